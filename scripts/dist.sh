#!/usr/bin/env bash
# dist.sh [FOLDER]: lays out FOLDER (default dist/) exactly as a user copies
# it into the file manager's plug-in folder: Merovin.wdx, the modules of both
# widths, the 32-bit Merovcall.exe and a commented sample Merovin.ini. Builds
# the deliverables of both trees (release), then `cmake --install` of each
# tree, which strips them. Build output is shown only on failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
dist=${1:-$root/dist}
mkdir -p "$root/build"
log=$root/build/dist.log

quiet() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "dist: failed: $*" >&2
    exit 1
  fi
}

quiet bash scripts/setup.sh
rm -rf "$dist"
for tree in x64:mingw-x86_64 x86:mingw-i686; do
  build=$root/build/${tree%%:*}
  echo "dist: building the deliverables in build/${tree%%:*}"
  quiet cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/${tree#*:}.cmake -DCMAKE_BUILD_TYPE=Release
  quiet cmake --build "$build" --target deliverables -j "${MEROVIN_JOBS:-$(nproc)}"
  quiet cmake --install "$build" --prefix "$dist" --strip
done
echo "dist: $dist holds"
for f in "$dist"/*; do
  case $f in
    *.ini) echo "  $(basename "$f"): sample settings" ;;
    *) echo "  $(basename "$f"): $(x86_64-w64-mingw32-objdump -f "$f" | sed -n 's/.*file format //p')" ;;
  esac
done
