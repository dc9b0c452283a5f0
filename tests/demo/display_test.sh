#!/usr/bin/env bash
# The demo's display path under Xvfb, right after a headless run of the demo:
# the stand-in host's window is on the X screen and not blank (xwd of the
# root window, converted to PNG).
set -uo pipefail
root=$MEROVIN_ROOT build=$MEROVIN_BUILD
work=$build/tests/demo-display
mkdir -p "$work"
fail() { echo "FAILED: $*"; exit 1; }
for tool in Xvfb xwd; do
  command -v $tool >/dev/null || fail "$tool is missing (scripts/setup.sh installs xvfb and x11-apps)"
done
convert=/usr/bin/convert
[ -x $convert ] || convert=$(command -v convert) || fail "ImageMagick's convert is missing (scripts/setup.sh installs it)"

bash "$root/scripts/demo-run" --work "$work" "$build" > "$work/headless.log" 2>&1 ||
  { cat "$work/headless.log"; fail "the headless run failed"; }

xvfb="" demo=""
cleanup() {
  "$root/scripts/wine-run" --prefix "$work/wineprefix-display" --stop
  [ -n "$demo" ] && wait "$demo" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT
# Xvfb picks a free display number and writes it to fd 3.
rm -f "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")

bash "$root/scripts/demo-run" --work "$work" "$build" > "$work/display.log" 2>&1 &
demo=$!
# The host window (1000 x 672 client area at the top left corner) drawn on
# the otherwise black screen: many colours, mostly light.
seen=""
for _ in $(seq 90); do
  sleep 1
  xwd -root -silent -display "$DISPLAY" 2>/dev/null | $convert xwd:- png:"$work/screen.png" 2>/dev/null || continue
  read -r colours mean < <($convert "$work/screen.png" -crop 1000x650+0+0 +repage -format '%k %[fx:mean]\n' info:)
  seen="$colours colours, mean $mean"
  if [ "${colours:-0}" -ge 16 ] && awk -v m="${mean:-0}" 'BEGIN { exit !(m > 0.3) }'; then
    echo "ok: the host window is on $DISPLAY ($seen); screenshot $work/screen.png"
    exit 0
  fi
done
cat "$work/display.log"
fail "no host window on the X screen ($seen); screenshot $work/screen.png"
