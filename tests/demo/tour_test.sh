#!/usr/bin/env bash
# The demo's tour, headless: every step ok with its caption, its picture and
# its place in index.html; and a tour whose module is missing reports the
# steps that cannot show and exits non-zero.
set -uo pipefail
root=$MEROVIN_ROOT build=$MEROVIN_BUILD
work=$build/tests/demo-tour
fail() { echo "FAILED: $*"; exit 1; }

out=$(bash "$root/scripts/demo-run" --work "$work" "$build" 2>&1)
rc=$?
echo "$out"
[ $rc = 0 ] || fail "demo-run exited with $rc"
steps=$(grep -c '^step [0-9]* ' <<<"$out")
[ "$steps" -ge 7 ] || fail "only $steps steps reported"
[ "$(grep -c '^step [0-9]* ok: ' <<<"$out")" = "$steps" ] || fail "a step is not ok"
prev=0
while read -r shot; do
  [ -s "$work/$shot" ] || fail "$shot is missing"
  at=$(grep -n "src=\"$shot\"" "$work/index.html" | cut -d: -f1)
  [ -n "$at" ] && [ "$at" -gt "$prev" ] || fail "index.html does not show $shot in tour order"
  prev=$at
done < <(sed -n 's/^step [0-9]* ok: .* \[\(.*\.png\)\]$/\1/p' <<<"$out")

# Without Horalet: the engine step and the stopwatch step fail, the tour says so.
rm -f "$work/wineprefix/drive_c/tc/plugins/wdx/Merovin/Horalet64.dll"
prefix=$work/wineprefix
out=$(MEROVIN_TIME_LIMIT=120 "$root/scripts/wine-run" --prefix "$prefix" 'C:\tc\tchost.exe' '--home=C:\tc' \
      '--plugin=C:\tc\plugins\wdx\Merovin\Merovin.wdx' "--tour=Z:${work//\//\\}\\missing" 2>&1)
rc=$?
"$root/scripts/wine-run" --prefix "$prefix" --stop
echo "$out"
[ $rc != 0 ] || fail "the tour without Horalet exited with 0"
grep -q '^step 1 FAILED: .*module Horalet' <<<"$out" || fail "step 1 did not name the missing module"
grep -q '^step 6 FAILED: ' <<<"$out" || fail "the stopwatch step did not fail"
grep -q '^step 2 ok: ' <<<"$out" || fail "the calculator step failed as well"
echo "ok"
