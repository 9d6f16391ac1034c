#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the fuzzers with clang in a build folder of their own and runs each for a while.
#   run-fuzzers.sh SOURCE_DIR BUILD_DIR SECONDS [FUZZER...]
# New inputs go to BUILD_DIR/corpus/FUZZER (the seeds in fuzz/corpus are only read), a
# crashing input to BUILD_DIR/artifacts. Exit status 77 when clang is not installed.
set -euo pipefail
src=$1
build=$2
seconds=$3
shift 3
fuzzers=("$@")
[ ${#fuzzers[@]} -eq 0 ] && fuzzers=(fuzz_cardrecord fuzz_cardnumber fuzz_matching)

if ! command -v clang++-14 >/dev/null; then
  echo "clang++-14 is not installed: no fuzzing (tools/setup-debian.sh installs it)"
  exit 77
fi

cmake -S "$src" -B "$build" -G Ninja -DVELMORA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "${VELMORA_FUZZ_JOBS:-2}" --target "${fuzzers[@]}"

mkdir -p "$build/artifacts"
status=0
for fuzzer in "${fuzzers[@]}"; do
  corpus="$build/corpus/$fuzzer"
  log="$build/$fuzzer.log"
  mkdir -p "$corpus"
  echo "== $fuzzer, $seconds s"
  if "$build/fuzz/$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/artifacts/$fuzzer-" "$corpus" "$src/fuzz/corpus/$fuzzer" >"$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)|cov: ' "$log" | tail -n 4
  else
    status=1
    tail -n 60 "$log"
    echo "== $fuzzer FAILED; the input is in $build/artifacts"
  fi
done
exit $status
