#!/usr/bin/env bash
# Sets up and builds the program, then starts the desktop program when a display is available; without a display
# it runs unattended and, with no arguments, renders the island example. Output goes to the folder out/ of the
# checkout.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target dalvenor
args=()
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: rendering the island example unattended into out/." >&2
  args=("$root/examples/island_sunset.scr")
else
  for a in "$@"; do
    if [[ "$a" != -* && -e "$a" ]]; then args+=("$(realpath "$a")"); else args+=("$a"); fi
  done
fi
mkdir -p out
cd out
exec "$root/build/frontend/dalvenor" "${args[@]}"
