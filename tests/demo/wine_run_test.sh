#!/usr/bin/env bash
# scripts/wine-run: usage text, and a 32-bit program refused with a reason.
set -uo pipefail
run=$MEROVIN_ROOT/scripts/wine-run
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

# A PE header: "MZ", e_lfanew 0x40, "PE\0\0", a file header, then the optional header's magic.
pe() {
  { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\x00\x00\x00'; printf 'PE\x00\x00'; head -c 20 /dev/zero
    printf "$1"; head -c 200 /dev/zero; } > "$2"
}
pe '\x0b\x01' "$tmp/old.exe"
out=$("$run" --prefix "$MEROVIN_BUILD/wineprefix" "$tmp/old.exe" 2>&1)
rc=$?
[ $rc = 3 ] || fail "a PE32 program exited with $rc, not 3"
grep -q '32-bit' <<<"$out" || fail "the refusal does not say why: $out"
# Also when it is the program a launcher starts.
"$run" --prefix "$MEROVIN_BUILD/wineprefix" --desk "$MEROVIN_BUILD/bin/deskrun.exe" "$tmp/old.exe" >/dev/null 2>&1
[ $? = 3 ] || fail "a PE32 program behind --desk was not refused"
# A 64-bit program runs (deskrun without arguments answers with its own usage, exit 2).
out=$("$run" --prefix "$MEROVIN_BUILD/wineprefix" "$MEROVIN_BUILD/bin/deskrun.exe" 2>&1)
rc=$?
[ $rc = 2 ] && grep -q 'usage: deskrun' <<<"$out" || fail "a PE32+ program did not run: $rc $out"
echo "ok"
