# The open dialog of landscapes shows the selected file's preview: the thumbnail of a landscape file, and a
# cleared grey area for a cut, a noisy and an empty file, a pipe and a folder, none of which stops the program.
# Lower-case names are listed under the upper-case filter.
source "$(dirname "$0")/gui_lib.sh"
cp "$source_dir/examples/valley.d4s" a_valley.d4s
head -c 3000 a_valley.d4s > b_cut.d4s
head -c 5000 /dev/urandom > c_noise.d4s
: > d_empty.d4s
mkfifo e_pipe.d4s
mkdir f_folder.d4s
# The dialog opens in this folder, which a script sets as the landscapes' default folder.
printf 'Dalve Script File\n\nDefaultDirDEM %s/\n' "$work" > folder.scr
start_program folder.scr
wait_window '^Camera$' 60 >/dev/null || fail "start-up did not finish"
main=$(wait_window '^Dalvenor$')
click_in "$main" 18 10
menu=$(open_menu_window) || fail "the File menu did not open"
click_in "$menu" 40 12  # Open Landscape
dlg=$(wait_window '^Load Dalvenor Landscape$' 30) || fail "no file dialog"

# Pixels of the preview area's grey in the dialog: the whole area when cleared, few when a picture is shown.
grey_pixels() {
  import -window "$dlg" pane.png 2>/dev/null
  convert pane.png -fill black +opaque '#C0C0C0' -fill white -opaque '#C0C0C0' -format '%[fx:round(mean*w*h)]' info:
}
# Waits until the preview is shown ($1 = shown) or cleared ($1 = cleared).
wait_preview() {
  local end=$((SECONDS + 20)) n=0
  while [ $SECONDS -lt $end ]; do
    n=$(grey_pixels)
    if [ "$1" = shown ] && [ "$n" -lt 2000 ]; then return 0; fi
    if [ "$1" = cleared ] && [ "$n" -ge 15000 ]; then return 0; fi
    sleep 0.3
  done
  fail "the preview is not $1 for $2 ($n grey pixels)"
}
# The first file of the list, the landscape.
sleep 1
xdotool key Home
wait_preview shown a_valley.d4s
screenshot file_preview_valley
for name in b_cut c_noise d_empty e_pipe f_folder; do
  xdotool key Down
  wait_preview cleared $name.d4s
  kill -0 "$app_pid" || fail "the program ended at $name.d4s"
done
# Back to the landscape: its preview again.
xdotool key Home
wait_preview shown "a_valley.d4s again"
xdotool key Escape
wait_gone '^Load Dalvenor Landscape$' 10 || fail "the dialog did not close"
quit_through_menu
echo PASS
