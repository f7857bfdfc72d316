#!/usr/bin/env bash
# Sets up, builds the program and runs it unattended; with no arguments it renders the island example.
# Output goes to the folder out/ of the checkout.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target dalvenor
args=()
if [ $# -eq 0 ]; then
  args=("$root/examples/island_sunset.scr")
else
  for a in "$@"; do
    if [[ "$a" != -* && -e "$a" ]]; then args+=("$(realpath "$a")"); else args+=("$a"); fi
  done
fi
mkdir -p out
cd out
exec "$root/build/frontend/dalvenor" "${args[@]}"
