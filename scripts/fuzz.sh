#!/usr/bin/env bash
# Builds the fuzz targets with clang, replays every checked-in seed and crash reproducer of each target
# (fuzz/corpus/<target>/), then fuzzes each target for FUZZ_SECONDS (60 by default) on FUZZ_JOBS
# processes (2). Any crash, leak, timeout or sanitizer report fails the script; a new reproducer is left
# in <build>/artifacts/<target>/, to be checked in beside the seeds once the fault is mended.
#   scripts/fuzz.sh                                # every target, a minute each
#   FUZZ_SECONDS=600 scripts/fuzz.sh fuzz_bmp      # one target, ten minutes
#   FUZZ_BUILD_JOBS=3 FUZZ_JOBS=2 ...              # build and fuzzing processes on a shared machine
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${FUZZ_SECONDS:-60}
jobs=${FUZZ_JOBS:-2}
build=$root/${FUZZ_BUILD:-build-fuzz}
clang=${FUZZ_CLANG:-clang++-14}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVENOR_FUZZ=ON -DDALVENOR_TESTS=OFF \
  -DCMAKE_CXX_COMPILER="$clang" >/dev/null
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-$(nproc)}" --target all_fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # The targets as fuzz/CMakeLists.txt lists them.
  mapfile -t targets < <(sed -n '/^set(FUZZ_TARGETS/,/)/p' fuzz/CMakeLists.txt | grep -o 'fuzz_[a-z_]*')
fi

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in "${targets[@]}"; do
  corpus=$root/fuzz/corpus/$t
  artifacts=$build/artifacts/$t
  work=$build/corpus/$t
  logs=$build/logs/$t
  rm -rf "$artifacts" "$logs"
  mkdir -p "$artifacts" "$work" "$logs"
  # Replay: every seed and every reproducer must run clean.
  if ! "$build/fuzz/$t" -timeout=25 -rss_limit_mb=2560 "$corpus"/* >"$logs/replay.log" 2>&1; then
    echo "FAIL replay $t (see $logs/replay.log)"
    status=1
    continue
  fi
  # Fuzz from a scratch copy of the seeds: libFuzzer writes (and reduces) inputs in its corpus folder,
  # and the checked-in seeds must stay as they are.
  cp -n "$corpus"/* "$work"/
  (cd "$logs" && "$build/fuzz/$t" "$work" -max_total_time="$seconds" -jobs="$jobs" -workers="$jobs" \
     -timeout=25 -rss_limit_mb=2560 -artifact_prefix="$artifacts/" -print_final_stats=1 >/dev/null 2>&1) || true
  runs=$(cat "$logs"/fuzz-*.log 2>/dev/null | awk '/stat::number_of_executed_units/ {s += $2} END {print s + 0}')
  rate=$(cat "$logs"/fuzz-*.log 2>/dev/null | awk '/stat::average_exec_per_sec/ {s += $2} END {print s + 0}')
  # Slow units (over ten seconds, often only a busy machine) are kept for a look but fail nothing.
  slow=$(find "$artifacts" -name 'slow-unit-*' | wc -l)
  [ "$slow" -gt 0 ] && echo "note $t: $slow slow inputs in $artifacts"
  if [ -n "$(find "$artifacts" -type f ! -name 'slow-unit-*')" ] ||
     grep -q "ERROR: libFuzzer\|Sanitizer\|runtime error" "$logs"/fuzz-*.log 2>/dev/null; then
    echo "FAIL fuzz $t: $runs runs (see $logs and $artifacts)"
    status=1
  else
    echo "ok   $t: $runs runs in ${seconds}s, $rate exec/s"
  fi
done
exit $status
