# screen: 1024x768x8
# On an 8-bit display the program starts with every window on the screen, renders through the 8-bit palette path of
# the render window, and Exit ends it with status 0.
source "$(dirname "$0")/gui_lib.sh"
need_render_command
start_program "$source_dir/tests/gui/small_scene.scr"
for name in Dalvenor Select Topo Preview Camera; do
  w=$(wait_window "^$name\$" 60) || fail "window $name did not appear"
  geometry "$w"
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
    fail "window $name lies off the screen: $WIDTH x $HEIGHT at ($X, $Y)"
done
topo=$(wait_window '^Topo$')
click_in "$topo" 150 340  # the map panel's Render button
for i in $(seq 1 150); do render_window >/dev/null && break; sleep 0.2; done
render_window >/dev/null || fail "no render window on the 8-bit display"
sleep 3
kill -0 "$app_pid" || fail "the program ended while rendering on the 8-bit display"
quit_through_menu
echo PASS
