# Shared steps of the desktop tests: start the program on the test display, wait for windows by name, click
# and type with xdotool, take screenshots, and end the program. Sourced by each test script, which runs under
# xvfb-run with the program's path, the source folder and a work folder as its arguments.
set -u
program="$1"
source_dir="$2"
work="$3"
rm -rf "$work"
mkdir -p "$work"
cd "$work"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
app_pid=""
shots="${DALVENOR_TEST_ARTIFACTS:-$work}"
mkdir -p "$shots"

fail() {
  echo "FAIL: $*" >&2
  screenshot "failure" || true
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  exit 1
}

# The test display must take connections before the program starts: on a loaded machine the server can be
# slow to, and a program that cannot open the display runs without a desktop instead.
display_ready() {
  local i
  for i in $(seq 150); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}
display_ready || { echo "FAIL: the test display $DISPLAY takes no connections" >&2; exit 1; }

# Starts the program with the given arguments; its standard error goes to program.err.
start_program() {
  "$program" "$@" >program.out 2>program.err &
  app_pid=$!
}

# The ids of the visible windows whose name matches the pattern, the case included (xdotool ignores it).
find_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    xdotool getwindowname "$w" 2>/dev/null | grep -qE "$1" && echo "$w"
  done
}

# The id of the first visible window whose name matches the pattern, waiting up to $2 seconds (default 60).
wait_window() {
  local pattern="$1" limit="${2:-60}" id=""
  local end=$((SECONDS + limit))
  while [ $SECONDS -lt $end ]; do
    id=$(find_windows "$pattern" | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$app_pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Waits until no visible window matches the pattern; 1 on time-out.
wait_gone() {
  local pattern="$1"
  local end=$((SECONDS + ${2:-60}))
  while [ $SECONDS -lt $end ]; do
    [ -z "$(find_windows "$pattern")" ] && return 0
    sleep 0.2
  done
  return 1
}

# 0 when the window is mapped and viewable.
window_visible() {
  xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# The render window while it is shown: the window of the program that is none of the fixed ones and no panel. Its
# title follows the status texts, so once found it is known by its id.
render_id=""
render_window() {
  if [ -n "$render_id" ]; then
    window_visible "$render_id" && { echo "$render_id"; return 0; }
    return 1
  fi
  local w n
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    n=$(xdotool getwindowname "$w" 2>/dev/null)
    case "$n" in
      Dalvenor|Select|Topo|Preview|Camera|Light|Sky|Terrain|Water|Tree|Texture|Manipulation|Creation|Placement|Image|"VR Control"|Path|Animation|dalvenor|"") ;;
      *) render_id="$w"; echo "$w"; return 0 ;;
    esac
  done
  return 1
}

# Clicks button 1 (or $4) at a point of a window.
click_in() {
  xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"
}

# Geometry of a window into WIDTH, HEIGHT, X and Y.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
}

# Gives a window the keyboard and types keys into it.
keys_to() {
  local w="$1"
  shift
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
  xdotool key --delay 60 "$@"
}

screenshot() {
  import -window root "$shots/$1.png" 2>/dev/null
}

# Waits for the program to end; its exit status, or 124 after the time-out (the program is then killed).
wait_exit() {
  local end=$((SECONDS + ${1:-60}))
  while [ $SECONDS -lt $end ]; do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      wait "$app_pid"
      return $?
    fi
    sleep 0.2
  done
  kill -9 "$app_pid" 2>/dev/null
  return 124
}

# The open drop-down menu: a window of the program without a title of its own, taller than a menu bar.
open_menu_window() {
  local w end=$((SECONDS + 10))
  while [ $SECONDS -lt $end ]; do
    for w in $(xdotool search --onlyvisible --name '^dalvenor$' 2>/dev/null); do
      [ "$(xdotool getwindowname "$w")" = dalvenor ] || continue  # the search ignores case
      geometry "$w"
      if [ "$HEIGHT" -gt 60 ]; then echo "$w"; return 0; fi
    done
    sleep 0.2
  done
  return 1
}

# Quits through the File menu's Exit item (its last item) and checks exit status 0 and that no window is left.
quit_through_menu() {
  local main menu
  main=$(wait_window '^Dalvenor$' 10) || fail "no main window to quit"
  click_in "$main" 18 10
  menu=$(open_menu_window) || fail "the File menu did not open"
  geometry "$menu"
  click_in "$menu" 40 $((HEIGHT - 12))
  wait_exit 60
  local status=$?
  [ "$status" -eq 0 ] || fail "exit status $status after Exit (stderr: $(tail -5 program.err))"
  if [ -n "$(find_windows '^(Dalvenor|Select|Topo|Preview|Camera)$')" ]; then
    fail "windows left after Exit"
  fi
}

# Skips the test (status 77) while the image and render commands are not built: the Render tool and button then
# only say "Not available yet.".
need_render_command() {
  if grep -q 'image_render_commands\[\] = {{0, nullptr}}' "$source_dir/engine/panels/command_rows_pending.cpp" 2>/dev/null; then
    echo "SKIP: the Render command is not built yet"
    exit 77
  fi
}

# Clicks the "Render" tool, the last one of the Select window.
click_render_tool() {
  local sel
  sel=$(wait_window '^Select$' 30) || fail "no Select window"
  geometry "$sel"
  click_in "$sel" $((WIDTH / 2)) $((HEIGHT - 20))
}

# Waits for the render window to show the reference picture (at any position in the window): exactly, or with
# "near" as $3 with a root mean square difference below 2%. Fails after $2 seconds.
wait_picture() {
  local reference="$1" end=$((SECONDS + ${2:-120})) mode="${3:-exact}" rw diff
  while [ $SECONDS -lt $end ]; do
    if rw=$(render_window); then
      import -window "$rw" shown.png 2>/dev/null
      if [ "$mode" = exact ]; then
        diff=$(compare -metric AE -subimage-search shown.png "$reference" null: 2>&1 | cut -d' ' -f1)
        [ "$diff" = "0" ] && return 0
      else
        diff=$(compare -metric RMSE -subimage-search shown.png "$reference" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
        [ -n "$diff" ] && awk -v d="$diff" 'BEGIN { exit !(d < 0.02) }' && return 0
      fi
    fi
    sleep 0.5
  done
  fail "the render window does not show the picture of the unattended render (last difference: ${diff:-none})"
}

# The centre of a tool of the Select window: the tools' ids (2 Topo, 3 Preview, 4 to 17 the panels, 19 Display,
# 20 Render), the tools standing 35 pixels apart with separators before Camera, Display and Render.
tool_y() {
  case "$1" in
    2) echo 22 ;;
    3) echo 54 ;;
    19) echo 622 ;;
    20) echo 684 ;;
    *) echo $((104 + ($1 - 4) * 349 / 10)) ;;
  esac
}

click_tool() {
  local sel
  sel=$(wait_window '^Select$' 30) || fail "no Select window"
  geometry "$sel"
  click_in "$sel" $((WIDTH / 2)) "$(tool_y "$1")"
}

# Number of pixels that differ between two pictures of the same size.
pixels_differ() {
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Takes window $1 into $3 until it differs from $2 in more than 500 pixels, for up to $4 seconds (default 10);
# fails when it never does. A slow machine redraws later, not differently.
wait_window_change() {
  local w="$1" before="$2" after="$3" end=$((SECONDS + ${4:-10}))
  while :; do
    import -window "$w" "$after" 2>/dev/null
    [ "$(pixels_differ "$before" "$after")" -gt 500 ] 2>/dev/null && return 0
    [ $SECONDS -lt $end ] || return 1
    sleep 0.3
  done
}

# The question box: a window of the program with an empty title (the question is in the box), waiting up to $1
# seconds.
wait_question() {
  local end=$((SECONDS + ${1:-60})) w
  while [ $SECONDS -lt $end ]; do
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] || continue
      geometry "$w"
      if [ "$WIDTH" -gt 60 ] && [ "$HEIGHT" -gt 60 ] && [ "$WIDTH" -lt 1000 ]; then echo "$w"; return 0; fi
    done
    kill -0 "$app_pid" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# Types a number into the value box (its field is the last control: Shift+Tab from the first button reaches
# it) and chooses the first button.
answer_value() {
  local box="$1" value="$2"
  keys_to "$box" shift+Tab ctrl+a
  xdotool type --delay 60 "$value"
  xdotool key Return
}

# Answers each question box that comes within $1 seconds of the last one with its first button.
answer_questions() {
  local box
  while box=$(wait_question "${1:-3}"); do
    keys_to "$box" Return
    sleep 0.5
  done
}
