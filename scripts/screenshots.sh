#!/usr/bin/env bash
# Retakes the workbench screenshots in docs/screenshots/ on a virtual X display.
# Needs a built workbench (make build), Xvfb and ImageMagick's `import`
# (apt-get install xvfb imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."

app=${VESTREL_APP:-build/src/workbench/vestrel}
out=docs/screenshots
display=${SCREENSHOT_DISPLAY:-:99}
for tool in Xvfb import; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (apt-get install xvfb imagemagick)"; exit 1; }
done
[ -x "$app" ] || { echo "screenshots: $app is not built (make build)"; exit 1; }
mkdir -p "$out"

# A fixed folder, so the window captions in the pictures do not change from run to run.
work=/tmp/vestrel-screenshots
rm -rf "$work"
mkdir -p "$work"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1

# A copy of the example with two faulty lines, so one window shows the message tree.
cp examples/pump.prg "$work/pump.prg"
{ cat examples/pump.prg; printf '01 \xe2 \xf5\xf501\r\n02 \xe8\xe201 = 1..2\r\n'; } > "$work/faulty.prg"

# The workbench's per-user settings: none for the plain pictures, highlighting on for one.
mkdir -p "$work/plain" "$work/highlighting/Vestrel"
printf '[Editor]\nHighlighting=true\n' > "$work/highlighting/Vestrel/workbench.ini"
config=$work/plain

# A copy of the example with a misspelt macro name, for the live check's marker.
sed 's/^01 \xf2\xee\xe3\xe4\xe0 \xe2 \xed\xe0\xf1\xee\xf1/01 \xf2\xee\xe3\xe4\xe0 \xe2 \xed\xe0\xf1\xf1/' examples/pump.prg > "$work/misspelt.prg"

# shoot <file.png> <workbench arguments...>
shoot() {
  local picture=$1
  shift
  DISPLAY=$display XDG_CONFIG_HOME=$config "$app" "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  DISPLAY=$display import -window root "$out/$picture"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "screenshots: $out/$picture"
}

shoot workbench.png --translate --arrange horizontal "$work/pump.prg" "$work/faulty.prg"
shoot translation-settings.png --translate --show translation-settings "$work/pump.prg"
shoot editor-settings.png --translate --show editor-settings "$work/pump.prg"
shoot about.png --show about
shoot help.png --show help
# The help window stands at the top left without a window manager; keep only it.
mogrify -crop 980x700+0+0 +repage "$out/help.png"
shoot source-map.png --translate --show-il 5 "$work/pump.prg"
config=$work/highlighting
shoot highlighting.png --translate "$work/pump.prg"
shoot live-check.png "$work/misspelt.prg"
