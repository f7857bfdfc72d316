# A pop-up panel takes the input while it is open and gives it back when it closes: after "About" is closed with its
# OK button, placing the camera on the map works again, and the click's release reaching the closed window touches
# nothing freed. Quitting while a pop-up is open ends the program with status 0.
source "$(dirname "$0")/gui_lib.sh"

# Opens Help > About Dalvenor (the third item from the end of the Help menu).
open_about() {
  local main menu
  main=$(wait_window '^Dalvenor$' 10) || fail "no main window"
  click_in "$main" 285 10
  menu=$(open_menu_window) || fail "the Help menu did not open"
  geometry "$menu"
  click_in "$menu" 60 $((HEIGHT - 62))
  wait_window '^About$' 20 || fail "the About panel did not open"
}

start_program
wait_window '^Camera$' 60 >/dev/null || fail "start-up did not finish"
sleep 1
about=$(open_about)
screenshot popup_open
click_in "$about" 34 17  # OK
wait_gone '^About$' 10 || fail "OK did not close the About panel"
# The panels take clicks again: "Place camera", then a click on the map moves the camera and the preview.
cam=$(wait_window '^Camera$' 10) || fail "no Camera panel"
preview=$(wait_window '^Preview$')
import -window "$preview" preview0.png
click_in "$cam" 85 49
sleep 0.5
topo=$(wait_window '^Topo$')
click_in "$topo" 80 220
sleep 2
import -window "$preview" preview1.png
[ "$(pixels_differ preview0.png preview1.png)" -gt 500 ] || fail "the map takes no click after the pop-up closed"
# Quit with the pop-up open.
about=$(open_about)
main=$(wait_window '^Dalvenor$')
keys_to "$about" alt+x
wait_exit 60
status=$?
[ "$status" -eq 0 ] || fail "exit status $status when quitting with a pop-up open (stderr: $(tail -5 program.err))"
echo PASS
