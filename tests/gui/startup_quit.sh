# Start-up shows the main frame, the Select window, the map, the preview and the Camera panel with the map of the
# start-up landscape; the File menu's Exit ends the program with exit status 0.
source "$(dirname "$0")/gui_lib.sh"
start_program
for name in Dalvenor Select Topo Preview Camera; do
  wait_window "^$name\$" 60 >/dev/null || fail "window $name did not appear"
done
sleep 1
screenshot startup
topo=$(wait_window '^Topo$')
import -window "$topo" topo.png 2>/dev/null
# The start-up landscape is flat ground: its map is mostly one green.
green=$(convert topo.png -crop 240x240+40+40 +repage -fx 'g>r*1.3 && g>b*1.3 ? 1 : 0' -format '%[fx:mean]' info:)
awk -v g="$green" 'BEGIN { exit !(g > 0.8) }' || fail "the map does not show the start-up landscape (green share $green)"
# The main frame and the map carry the program's icon at 16, 32 and 48 pixels.
for name in Dalvenor Topo; do
  sizes=$(xprop -id "$(wait_window "^$name\$")" -notype 32c _NET_WM_ICON 2>/dev/null | tr -d ' ' |
    awk -F'[=,]' '{ i = 2; while (i < NF) { w = $i; h = $(i + 1); printf "%sx%s ", w, h; i += 2 + w * h } }')
  [ "$sizes" = "16x16 32x32 48x48 " ] || fail "window $name has no program icon (sizes: '$sizes')"
done
quit_through_menu
echo PASS
