# Esc and the render window's right button stop a long render: the render window goes away and the program keeps
# running; quitting while a render runs stops it and ends the program with exit status 0.
source "$(dirname "$0")/gui_lib.sh"
need_render_command
start_program "$source_dir/tests/gui/long_scene.scr"
main=$(wait_window '^Camera$' 60) || fail "start-up did not finish"
click_render_tool
for i in $(seq 1 100); do render_window >/dev/null && break; sleep 0.2; done
render_window >/dev/null || fail "no render window"
sleep 1
screenshot render_running
main=$(wait_window '^Dalvenor$')
keys_to "$main" Escape
for i in $(seq 1 100); do render_window >/dev/null || break; sleep 0.2; done
render_window >/dev/null && fail "Esc did not stop the render"
kill -0 "$app_pid" || fail "the program ended after Esc"
wait_window '^Topo$' 5 >/dev/null || fail "the map window is gone after Esc"
# The right button on the render window stops a render the same way.
click_render_tool
for i in $(seq 1 100); do render_window >/dev/null && break; sleep 0.2; done
rw=$(render_window) || fail "no render window for the render stopped by the right button"
sleep 1
click_in "$rw" 100 100 3
for i in $(seq 1 100); do render_window >/dev/null || break; sleep 0.2; done
render_window >/dev/null && fail "the right button did not stop the render"
kill -0 "$app_pid" || fail "the program ended after the right button"
# A second render, and Exit while it runs.
click_render_tool
for i in $(seq 1 100); do render_window >/dev/null && break; sleep 0.2; done
render_window >/dev/null || fail "no render window for the second render"
quit_through_menu
echo PASS
