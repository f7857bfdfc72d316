# With a display present, "-b" still runs the command-line files unattended: no window opens, the picture is
# saved, the exit status is 0; a file that cannot be read gives status 1.
source "$(dirname "$0")/gui_lib.sh"
"$program" -b "$source_dir/tests/gui/small_scene.scr" "$source_dir/tests/gui/render_save.scr" 2>batch.err &
app_pid=$!
for i in $(seq 1 20); do
  [ -n "$(find_windows '^(Dalvenor|Topo)$')" ] && fail "a window opened for an unattended run"
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.2
done
wait_exit 120
status=$?
[ "$status" -eq 0 ] || fail "unattended run ended with status $status: $(tail -3 batch.err)"
[ -s unattended.tga ] || fail "no picture saved"
"$program" -b "$work/missing.scr" 2>missing.err
status=$?
[ "$status" -eq 1 ] || fail "a missing file gave status $status"
echo PASS
