#!/usr/bin/env bash
# Sets up, builds the tests under AddressSanitizer and UndefinedBehaviorSanitizer, and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DDALVENOR_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
