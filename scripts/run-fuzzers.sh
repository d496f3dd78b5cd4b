#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds every fuzz target with clang and libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each for a bounded time on a copy of its
# corpus, so the committed corpus stays as it is. Any crash, leak, timeout or
# memory blow-up fails the run, and the input is shown with its path.
# KC_FUZZ_SECONDS: time per target (default 20); KC_FUZZ_BUILD: build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${KC_FUZZ_SECONDS:-20}"
build="${KC_FUZZ_BUILD:-build-fuzz}"
findings="$build/fuzz-findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKC_FUZZ=ON \
  -DKC_BUILD_GUI=OFF -DKC_BUILD_BENCHMARKS=OFF -DKC_WERROR=ON >/dev/null
# Every fuzz target the build knows, also those added later.
mapfile -t targets < <(cmake --build "$build" --target help |
  sed -n -E 's/^(\.\.\. )?(fuzz_[A-Za-z0-9_]+)(:.*)?$/\2/p' | grep -v '_autogen$' | sort -u)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets found" >&2; exit 1; }
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

rm -rf "$findings"
mkdir -p "$findings"
failed=0
for target in "${targets[@]}"; do
  name="${target#fuzz_}"
  corpus="$work/$name"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
  log="$findings/$name.log"
  status=0
  started=$SECONDS
  "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$findings/$name-" "$corpus" >"$log" 2>&1 || status=$?
  took=$((SECONDS - started))
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
  rss="$(sed -n 's/^stat::peak_rss_mb: *//p' "$log")"
  printf '%-24s %10s executions %6s exec/s %5s MB peak  %s s\n' "$target" "${runs:-?}" "${rate:-?}" "${rss:-?}" "$took"
  if [ "$status" -ne 0 ]; then
    failed=1
    echo "FAILED: $target (exit status $status); log: $log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5 || true
    for input in "$findings/$name"-*; do
      [ -f "$input" ] || continue
      echo "input: $input"
      od -A x -t x1z -v "$input" | head -64
    done
  fi
done
exit "$failed"
