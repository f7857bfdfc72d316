# The question box: Enter chooses its first button and the second button gives the other answer. The value box:
# a number typed into its field reaches the engine, and a number the engine refuses is asked again.
source "$(dirname "$0")/gui_lib.sh"

# "Continue" (first button, Enter) lets the script go on to its Exit: the program ends with status 0.
start_program "$source_dir/tests/gui/pause_exit.scr"
box=$(wait_question 60) || fail "no question box for Pause"
screenshot question
keys_to "$box" Return
wait_exit 30
status=$?
[ "$status" -eq 0 ] || fail "Continue and Exit ended with status $status"

# "Stop" (second button) ends the script before its Exit, which the engine reports: the program stays.
start_program "$source_dir/tests/gui/pause_exit.scr"
box=$(wait_question 60) || fail "no question box for Pause"
keys_to "$box" Tab Return
sleep 1
wait_question 30 >/dev/null || fail "no message after Stop"
answer_questions 3
kill -0 "$app_pid" 2>/dev/null || fail "Stop did not stop the script before its Exit"
quit_through_menu

# A movie asks for its codec in the value box: 99 is refused with a message, 1 is taken; quitting while the
# frames are rendered ends the program with status 0 and leaves a movie that can be read.
start_program -ta -ovalue_movie "$source_dir/tests/gui/small_flight.scr"
box=$(wait_window '^Enter Value$' 60) || fail "no value box for the codec"
screenshot value_box
answer_value "$box" 99
box=$(wait_question 30) || fail "no message for a codec number that does not exist"
keys_to "$box" Return
box=$(wait_window '^Enter Value$' 30) || fail "the codec was not asked again"
answer_value "$box" 1
# Codec 1 loses detail, so the quality is asked too: Enter keeps the value shown.
sleep 1
box=$(wait_window '^Enter Value$' 60) || fail "no value box for the quality"
keys_to "$box" Return
# Quit once frames are being written into the movie.
for i in $(seq 1 300); do [ -n "$(find . -name 'value_movie*' -size +0c)" ] && break; sleep 0.2; done
[ -n "$(find . -name 'value_movie*' -size +0c)" ] || fail "no frames written into the movie"
quit_through_menu
movie=$(ls value_movie*.avi value_movie* 2>/dev/null | head -1)
[ -n "$movie" ] || fail "no movie written"
frames=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$movie" 2>/dev/null)
[ -n "$frames" ] && [ "$frames" -ge 1 ] || fail "the movie $movie cannot be read after quitting (frames: ${frames:-none})"
echo PASS
