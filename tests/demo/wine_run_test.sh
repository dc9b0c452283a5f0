#!/usr/bin/env bash
# scripts/wine-run: usage text; 64-bit and 32-bit programs run in one prefix,
# also behind the desktop launcher; a crashing program of either width ends
# at once instead of waiting in a debugger.
set -uo pipefail
run=$MEROVIN_ROOT/scripts/wine-run
prefix=$MEROVIN_BUILD/wineprefix
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

out=$("$run" --help 2>&1) || fail "--help exited with $?"
grep -q '^usage: wine-run' <<<"$out" || fail "--help shows no usage"
out=$("$run" 2>&1)
[ $? = 2 ] || fail "no arguments should exit with 2"
grep -q '^usage: wine-run' <<<"$out" || fail "no arguments shows no usage"
"$run" --bogus >/dev/null 2>&1
[ $? = 2 ] || fail "an unknown option should exit with 2"

# Programs of both widths: one that exits with 7, one that crashes after its
# first window (a program with windows is the one Wine would ask about).
cat > "$tmp/exit.c" <<'C'
int main(void) { return 7; }
C
cat > "$tmp/crash.c" <<'C'
#include <windows.h>
int main(void) {
  CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
  *(volatile int *)0 = 1;
  return 0;
}
C
for arch in x86_64 i686; do
  for name in exit crash; do
    "$arch-w64-mingw32-gcc" -o "$tmp/$name-$arch.exe" "$tmp/$name.c" || fail "cannot build $name for $arch"
  done
  "$run" --prefix "$prefix" "$tmp/exit-$arch.exe" >/dev/null 2>&1
  rc=$?
  [ $rc = 7 ] || fail "the $arch program exited with $rc, not 7"
  "$run" --prefix "$prefix" --desk "$MEROVIN_BUILD/bin/deskrun.exe" "$tmp/exit-$arch.exe" >/dev/null 2>&1
  rc=$?
  [ $rc = 7 ] || fail "the $arch program behind the launcher exited with $rc, not 7"
  start=$(date +%s)
  MEROVIN_TIME_LIMIT=60 "$run" --prefix "$prefix" "$tmp/crash-$arch.exe" >/dev/null 2>&1
  rc=$?
  took=$(( $(date +%s) - start ))
  { [ $rc != 0 ] && [ $rc != 124 ] && [ $took -lt 30 ]; } ||
    fail "the crashing $arch program exited with $rc after ${took}s"
done
echo "ok"
