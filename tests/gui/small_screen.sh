# screen: 800x600x16
# On a 16-bit display smaller than the windows' layout the program starts, every window lies on the screen, and
# Exit ends it with status 0.
source "$(dirname "$0")/gui_lib.sh"
start_program
for name in Dalvenor Select Topo Preview Camera; do
  w=$(wait_window "^$name\$" 60) || fail "window $name did not appear"
  geometry "$w"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 800 ] && [ $((Y + HEIGHT)) -le 600 ] ||
    fail "window $name lies off the screen: $WIDTH x $HEIGHT at ($X, $Y)"
done
screenshot small_screen
quit_through_menu
echo PASS
