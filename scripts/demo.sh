#!/usr/bin/env bash
# The main-job command: set-up, the 64-bit build of the deliverables and the
# stand-in host (nothing else), then scripts/demo-run: with DISPLAY set the
# stand-in file manager opens with the engine and the modules; headless a
# scripted tour prints one caption per step and writes its screenshots and
# index.html into build/x64/demo/. Build output is shown only on failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build/x64
mkdir -p "$build"
log=$build/demo-build.log

quiet() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "demo: failed: $*" >&2
    exit 1
  fi
}

quiet bash scripts/setup.sh
# Configured once; ninja itself reconfigures when a CMakeLists.txt changes.
if [ ! -f "$build/build.ninja" ]; then
  echo "demo: configuring build/x64"
  quiet cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
fi
echo "demo: building the deliverables and the stand-in host"
quiet cmake --build "$build" --target demo -j "${MEROVIN_JOBS:-$(nproc)}"
exec bash scripts/demo-run "$build"
