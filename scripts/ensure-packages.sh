#!/usr/bin/env bash
# Installs the Debian packages listed in debian-packages.txt that are missing.
# apt-get runs only when something is missing.
#   ensure-packages.sh              what building, running and testing need
#   ensure-packages.sh --packaging  the tools of scripts/package.sh, listed
#                                   after the line starting "## packaging"
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
case "${1:-}" in
    "") group=main ;;
    --packaging) group=packaging ;;
    *) echo "usage: ensure-packages.sh [--packaging]" >&2; exit 2 ;;
esac
mapfile -t wanted < <(awk -v group="$group" '
    /^## packaging/ { inPackaging = 1; next }
    (group == "packaging") == (inPackaging == 1) { print }' "$here/debian-packages.txt" |
    sed -e 's/#.*//' -e 's/[[:space:]]//g' | grep -v '^$')

missing=()
for pkg in "${wanted[@]}"; do
    status="$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)"
    [ "$status" = "installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
