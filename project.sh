#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Velmora's two commands:
#   ./project.sh run    install what is missing, build, open the program on the sample bibliography
#   ./project.sh test   install what is missing, build, run every test headless
#   ./project.sh bench  build for speed and run the benchmark of a million cards (bench/)
#   ./project.sh package  build the Debian package from debian/, then test it installed
#                         (autopkgtest installs it on this machine)
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
  package)
    bash tools/setup-debian.sh
    out=${VELMORA_PACKAGE_DIR:-build-package}
    # dpkg-buildpackage on a copy of the sources in $out, then lintian.
    bash tools/build-package.sh "$out"
    version=$(dpkg-parsechangelog -S Version)
    # The null runner tests on this very machine: it installs the package, and what its
    # tests depend on, with apt.
    exec autopkgtest "$out/velmora_${version}_$(dpkg --print-architecture).deb" "$out/velmora-$version" -- null
    ;;
  *)
    echo "usage: $0 run|test|bench|package" >&2
    exit 2
    ;;
esac
