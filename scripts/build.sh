#!/usr/bin/env bash
# Configures and builds one of the two build trees:
#   release  build/release, optimised, what run.sh starts
#   test     build/test, with assertions and the tests
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:?usage: build.sh release|test}"
case "$kind" in
    release) type=Release; tests=OFF ;;
    test)    type=RelWithDebInfo; tests=ON ;;
    *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
dir="$here/build/$kind"
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DQUILLON_TESTS="$tests" >/dev/null
cmake --build "$dir" -j "$(nproc)"
