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

# The render window: the visible window of the program that is none of the fixed ones and no panel.
render_window() {
  local w n
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    n=$(xdotool getwindowname "$w" 2>/dev/null)
    case "$n" in
      Dalvenor|Select|Topo|Preview|Camera|Light|Sky|Terrain|Water|Tree|Texture|Manipulation|Creation|Placement|Image|"VR Control"|Path|Animation|dalvenor|"") ;;
      *) echo "$w"; return 0 ;;
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
  eval "$(xdotool getwindowgeometry --shell "$1")"
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
