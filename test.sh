#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

"$here/scripts/ensure-packages.sh"
"$here/scripts/build.sh" test

export QT_QPA_PLATFORM=offscreen
cd "$here/build/test"
ctest --output-on-failure --timeout 300 -j "$(nproc)"
