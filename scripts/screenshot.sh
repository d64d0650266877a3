#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window of a release build with a sample
# page open, on a private X server (Xvfb) at 1280x800, with fresh settings.
# Needs xvfb, xdotool and imagemagick.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/docs/screenshot.png}"
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshot.sh needs $tool (xvfb, xdotool, imagemagick)" >&2; exit 1; }
done

"$here/scripts/build.sh" release >/dev/null
scratch="$(mktemp -d)"
server=""
cleanup() {
    pkill -P $$ -x quillon 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# A program folder of its own, with highlighting on and the file manager
# showing a small site.
site="$scratch/home/Sites/garden"
mkdir -p "$scratch/program" "$site/images" "$scratch/home/Sites/"{allotment,blog,photos}
cp "$here/build/release/bin/quillon" "$here/build/release/bin/"*.so "$scratch/program/"
printf '[Help]\r\nLanguage=Eng\r\n\r\n[SHigh]\r\nEnabled=1\r\n\r\n[ToolBars]\r\nFileManager=1\r\n\r\n[File]\r\nMask=*.*\r\n\r\n[Work]\r\nDir=%s\r\n' \
    "$site" >"$scratch/program/settings.ini"
for page in roses.html contact.html; do printf '<p>%s</p>\r\n' "$page" >"$site/$page"; done
printf 'body { margin: 0; }\r\n' >"$site/garden.css"
cat >"$site/index.html" <<'PAGE'
<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<html>
<head>
<title>Garden notes</title>
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
<style type="text/css">
  body { font-family: Georgia, serif; background: #fdfbf5; }
  h1   { color: #2e6b3f; border-bottom: 1px solid #c8d8c0; }
</style>
<script>
  function season() {
    var month = new Date().getMonth();
    return month < 3 ? "winter" : "spring";
  }
</script>
</head>
<body>
<h1>Garden notes</h1>
<!-- Planting plan for the south border -->
<p align="left">The <b>tulips</b> went in on the 12th of October &amp; the
<i>alliums</i> a week after.</p>
<table border="1" cellpadding="4" width="60%">
  <tr><td>Bed</td><td>Plants</td></tr>
  <tr><td>South</td><td>Tulips, alliums</td></tr>
</table>
<a href="roses.html">Roses</a> | <img src="border.jpg" width="200" height="120" alt="Border">
</body>
</html>
PAGE

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
sleep 1
export DISPLAY="$display" HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
    XDG_DATA_HOME="$scratch/home/.local/share" XDG_CACHE_HOME="$scratch/home/.cache"
"$scratch/program/quillon" "$site/index.html" >/dev/null 2>&1 &
timeout 60 xdotool search --sync --name "index.html" >/dev/null ||
    { echo "The main window did not appear" >&2; exit 1; }
sleep 3
import -window root "$out"
echo "Wrote $out"
