#!/usr/bin/env bash
# Sets up, builds the program and runs it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target dalvenor
mkdir -p out
cd out
exec ../build/frontend/dalvenor "$@"
