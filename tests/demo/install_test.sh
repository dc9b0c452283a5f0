#!/usr/bin/env bash
# `cmake --install` of the built trees: exactly the deliverables and the sample
# settings, PE32+ from the 64-bit tree and PE32 from the 32-bit one, no debug
# sections.
set -uo pipefail
build=$MEROVIN_BUILD
x86=$(cd "$build/.." && pwd)/x86
dist=$(mktemp -d)
trap 'rm -rf "$dist"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$build" --prefix "$dist" >/dev/null || fail "install of $build"
want="Horalet64.dll Merovin.ini Merovin.wdx Numbra64.dll TCPathfan64.dll mvdl.icl"
if [ -f "$x86/build.ninja" ]; then
  cmake --install "$x86" --prefix "$dist" >/dev/null || fail "install of $x86"
  want="Horalet.dll $want MerovSet.exe Merovcall.exe Numbra.dll TCPathfan.dll"
else
  echo "note: $x86 is not built; its part of the layout is not checked"
fi
have=$(cd "$dist" && ls | sort | tr '\n' ' ')
[ "$have" = "$(tr ' ' '\n' <<<"$want" | sort | tr '\n' ' ')" ] || fail "dist holds: $have"
for f in "$dist"/*.dll "$dist"/*.exe "$dist"/*.wdx; do
  [ -f "$f" ] || continue
  format=$(x86_64-w64-mingw32-objdump -f "$f" | sed -n 's/.*file format //p')
  case $(basename "$f") in
    *64.dll|*.wdx) [ "$format" = pei-x86-64 ] || fail "$f is $format, not PE32+" ;;
    *) [ "$format" = pei-i386 ] || fail "$f is $format, not PE32" ;;
  esac
  ! x86_64-w64-mingw32-objdump -h "$f" | grep -q '\.debug' || fail "$f carries debug sections"
done
echo "ok: $have"
