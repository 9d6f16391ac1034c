#!/usr/bin/env bash
# Velmora's two commands:
#   ./project.sh run    install what is missing, build, open the program on the sample bibliography
#   ./project.sh test   install what is missing, build, run every test headless
#   ./project.sh bench  build for speed and run the benchmark of a million cards (bench/)
set -euo pipefail
cd "$(dirname "$0")"
build=${VELMORA_BUILD_DIR:-build}

configure_and_build() {
  bash tools/setup-debian.sh
  # Warnings are errors: what CI builds must be free of them.
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON >/dev/null
  cmake --build "$build"
}

case "${1:-}" in
  run)
    configure_and_build
    # The program opens Filis.dat in the folder it starts in.
    cd "$build/data"
    exec ../src/app/velmora
    ;;
  test)
    configure_and_build
    cd "$build"
    exec ctest --output-on-failure --timeout 600
    ;;
  bench)
    shift
    bash tools/setup-debian.sh
    bench_build=${VELMORA_BENCH_BUILD_DIR:-build-release}
    cmake -S . -B "$bench_build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$bench_build" --target velmora_bench velmora
    exec "$bench_build/bench/velmora_bench" "$@"
    ;;
  *)
    echo "usage: $0 run|test|bench" >&2
    exit 2
    ;;
esac
