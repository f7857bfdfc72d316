# A render started with the Select window's Render tool, and again with the map panel's Render button, shows in
# the render window exactly the picture that the unattended program renders of the same scene.
source "$(dirname "$0")/gui_lib.sh"
need_render_command
"$program" -b "$source_dir/tests/gui/small_scene.scr" "$source_dir/tests/gui/render_save.scr" 2>unattended.err ||
  fail "the unattended render failed: $(tail -3 unattended.err)"
convert unattended.tga -auto-orient reference.png || fail "no unattended picture"
start_program "$source_dir/tests/gui/small_scene.scr"
wait_window '^Camera$' 60 >/dev/null || fail "start-up did not finish"
click_render_tool
wait_picture reference.png 120
screenshot render_done
# Enter hides the render window; the map panel's Render button brings it back with the picture (a second render
# continues the random sequences of the first, so its picture differs in fine detail).
rw=$(render_window) || fail "render window lost"
keys_to "$rw" Return
for i in $(seq 1 50); do render_window >/dev/null || break; sleep 0.2; done
render_window >/dev/null && fail "Enter did not hide the render window"
topo=$(wait_window '^Topo$')
click_in "$topo" 150 340
wait_picture reference.png 120 near
quit_through_menu
echo PASS
