# Every control panel opens from the Select window; gadgets of the Camera panel react to clicks, and a camera
# placed with a map click changes the preview.
source "$(dirname "$0")/gui_lib.sh"
start_program
wait_window '^Camera$' 60 >/dev/null || fail "start-up did not finish"
sleep 1
# Every control panel opens from its tool.
names=(Camera Light Sky Terrain Water Tree Texture Manipulation Creation Placement Image "VR Control" Path Animation)
for type in $(seq 5 17); do
  name="${names[$((type - 4))]}"
  click_tool "$type"
  w=$(wait_window "^$name\$" 20) || fail "the $name panel did not open"
  # The whole canvas is the panel's face: its corners, where no gadget lies, show the face grey.
  face=""
  for i in $(seq 1 25); do
    import -window "$w" panel.png 2>/dev/null
    read -r pw ph < <(identify -format '%w %h' panel.png 2>/dev/null)
    face=$(convert panel.png -format "%[pixel:p{3,3}] %[pixel:p{$((pw - 4)),3}] %[pixel:p{3,$((ph - 4))}] %[pixel:p{$((pw - 4)),$((ph - 4))}]" info: 2>/dev/null | sed "s/gray(\([0-9]*\))/srgb(\1,\1,\1)/g")
    [ "$face" = "srgb(176,176,176) srgb(176,176,176) srgb(176,176,176) srgb(176,176,176)" ] && break
    sleep 0.2
  done
  [ "$face" = "srgb(176,176,176) srgb(176,176,176) srgb(176,176,176) srgb(176,176,176)" ] ||
    fail "the $name panel's canvas is not filled with the face colour (corners: $face)"
done
sleep 1
screenshot panels_open
# Clicking the tool of the active panel hides it; clicking again brings it back.
click_tool 17
wait_gone '^Animation$' 10 || fail "the Animation tool did not hide its panel"
click_tool 17
wait_window '^Animation$' 10 >/dev/null || fail "the Animation tool did not show its panel again"
# The Camera panel to the front; "Wide angle" changes the lens and so the preview.
click_tool 4
cam=$(wait_window '^Camera$' 10) || fail "no Camera panel"
sleep 1
preview=$(wait_window '^Preview$')
import -window "$preview" preview0.png
click_in "$cam" 84 363
wait_window_change "$preview" preview0.png preview1.png 20 || fail "Wide angle did not change the preview"
sleep 1
import -window "$preview" preview1.png
# "Place camera", then a click on the map: the camera moves and the preview follows.
click_in "$cam" 85 49
sleep 1
topo=$(wait_window '^Topo$')
click_in "$topo" 80 220
wait_window_change "$preview" preview1.png preview2.png 20 ||
  fail "placing the camera on the map did not change the preview"
screenshot camera_placed
quit_through_menu
echo PASS
