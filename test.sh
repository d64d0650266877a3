#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
# Usage: ./test.sh [--sanitize]
#   --sanitize  builds the tests with AddressSanitizer and
#               UndefinedBehaviorSanitizer in build/sanitize and fails on any
#               report, also from the program binaries the tests start.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
kind=test
case "${1:-}" in
    "") ;;
    --sanitize) kind=sanitize ;;
    *) echo "Usage: ./test.sh [--sanitize]" >&2; exit 2 ;;
esac

"$here/scripts/ensure-packages.sh"
"$here/scripts/build.sh" "$kind"

export QT_QPA_PLATFORM=offscreen
cd "$here/build/$kind"
if [ "$kind" = test ]; then
    exec ctest --output-on-failure --timeout 300 -j "$(nproc)"
fi

# Every process writes its reports to its own file under reports/, so a report
# from a child process (the end-to-end tests start the program) is not lost in
# a test's output.
reports="$PWD/reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$here/scripts/sanitize.supp:print_suppressions=0"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"
status=0
ctest --output-on-failure --timeout 900 -j "$(nproc)" || status=$?
if compgen -G "$reports/*" >/dev/null; then
    for report in "$reports"/*; do
        echo "=== $report"
        head -60 "$report"
    done
    echo "Sanitizer reports: $(find "$reports" -type f | wc -l) (in $reports)" >&2
    exit 1
fi
exit "$status"
