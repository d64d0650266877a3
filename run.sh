#!/usr/bin/env bash
# Installs what is missing, makes a release build and starts Quillon.
# Usage: ./run.sh [file]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
if [ $# -gt 1 ]; then
    echo "Usage: ./run.sh [file]" >&2
    exit 2
fi

"$here/scripts/ensure-packages.sh"
"$here/scripts/build.sh" release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: start one first, for example 'Xvfb :99 -screen 0 1600x1000x24 & DISPLAY=:99 ./run.sh', or run 'xvfb-run ./run.sh'." >&2
    exit 1
fi
exec "$here/build/release/bin/quillon" "$@"
