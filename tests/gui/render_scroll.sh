# screen: 1024x768x24
# A picture larger than the screen: the render window keeps to the screen and shows scroll bars; the End and
# Insert keys and clicks into the bars move the picture in the window.
source "$(dirname "$0")/gui_lib.sh"
need_render_command
start_program "$source_dir/tests/gui/small_scene.scr" "$source_dir/tests/gui/big_image.scr"
wait_window '^Camera$' 60 >/dev/null || fail "start-up did not finish"
# The map panel's Render button.
topo=$(wait_window '^Topo$') || fail "no map window"
click_in "$topo" 150 340
for i in $(seq 1 150); do render_window >/dev/null && break; sleep 0.2; done
rw=$(render_window) || fail "no render window"

# Waits until the render has ended and the render window shows the same picture twice in a row, and keeps it as
# $1.png. While a render runs the window's first menu reads "Press right mouse button to abort rendering"; after it,
# "Close!", so the menu bar is empty where the long label stood.
steady_shot() {
  local end=$((SECONDS + 180))
  import -window "$rw" "$1.png" 2>/dev/null
  while [ $SECONDS -lt $end ]; do
    sleep 1
    import -window "$rw" next.png 2>/dev/null
    if [ "$(compare -metric AE "$1.png" next.png null: 2>&1 | cut -d' ' -f1)" = "0" ] &&
      awk -v m="$(convert next.png -crop 150x12+130+5 -format '%[fx:minima]' info:)" 'BEGIN { exit !(m > 0.6) }'; then
      return 0
    fi
    mv next.png "$1.png"
  done
  fail "the render window never settled for $1"
}
# 0 when two shots differ.
differ() {
  [ "$(compare -metric AE "$1.png" "$2.png" null: 2>&1 | cut -d' ' -f1)" != "0" ]
}

steady_shot centred
screenshot render_scroll_centred
geometry "$rw"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
  fail "the render window lies off the screen: $WIDTH x $HEIGHT at ($X, $Y)"
keys_to "$rw" End
steady_shot corner
differ centred corner || fail "End did not move the picture"
keys_to "$rw" Insert
steady_shot top_left
differ corner top_left || fail "Insert did not move the picture"
# Clicks into the bars' troughs, near their far ends: the picture moves down, then right.
geometry "$rw"
click_in "$rw" $((WIDTH - 8)) $((HEIGHT - 40))
steady_shot bar_down
differ top_left bar_down || fail "a click into the vertical bar did not move the picture"
click_in "$rw" $((WIDTH - 40)) $((HEIGHT - 8))
steady_shot bar_right
differ bar_down bar_right || fail "a click into the horizontal bar did not move the picture"
screenshot render_scroll_moved
quit_through_menu
echo PASS
