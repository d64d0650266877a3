#!/usr/bin/env bash
# Configures and builds one of the build trees:
#   release   build/release, optimised, what run.sh starts
#   test      build/test, with assertions and the tests
#   sanitize  build/sanitize, the tests built with AddressSanitizer and
#             UndefinedBehaviorSanitizer (./test.sh --sanitize)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kind="${1:?usage: build.sh release|test|sanitize}"
extra=()
case "$kind" in
    release) type=Release; tests=OFF ;;
    test)    type=RelWithDebInfo; tests=ON ;;
    sanitize)
        type=RelWithDebInfo; tests=ON
        # -O1 keeps the instrumented tests fast enough while building in
        # reasonable time. Warnings are checked by the plain builds: GCC's
        # flow warnings give false alarms on instrumented code.
        flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
        extra=(-DCMAKE_CXX_FLAGS="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g"
               -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
               -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
               -DCMAKE_MODULE_LINKER_FLAGS="-fsanitize=address,undefined"
               -DQUILLON_WERROR=OFF) ;;
    *) echo "unknown build kind: $kind" >&2; exit 2 ;;
esac
dir="$here/build/$kind"
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DQUILLON_TESTS="$tests" "${extra[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
