#!/usr/bin/env bash
# The main-job command: set-up, 64-bit build, then the stand-in file manager
# with the engine and the modules, in a Wine prefix laid out like a real
# installation (C:\tc with the host, its INI files and the plug-in folder;
# C:\data\left and C:\data\right with files). With DISPLAY set the window
# opens; headless a short scripted tour writes PNG screenshots into
# build/x64/demo/ and their paths are printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
build=$root/build/x64
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
# Keep going past a failing target: the demo runs with whatever was built.
if ! cmake --build "$build" -j "$(nproc)" -- -k 0; then
  echo "demo: some targets failed to build; going on with what was built" >&2
fi
bin=$build/bin
[ -f "$bin/tchost.exe" ] || { echo "demo: tchost.exe was not built" >&2; exit 1; }
demo=$build/demo
prefix=$demo/wineprefix
mkdir -p "$demo"
scripts/wine-run --prefix "$prefix" --init

# Installation: C:\tc is COMMANDER_PATH.
c=$prefix/drive_c
tc=$c/tc
plugins=$tc/plugins/wdx/Merovin
mkdir -p "$plugins"
cp "$bin/tchost.exe" "$tc/"
cp "$root"/testhost/files/* "$tc/"
engine=""
if [ -f "$bin/Merovin.wdx" ]; then
  cp "$bin/Merovin.wdx" "$plugins/"
  engine='C:\tc\plugins\wdx\Merovin\Merovin.wdx'
fi
modules=()
for m in Numbra TCPathfan Horalet; do
  [ -f "$bin/${m}64.dll" ] || continue
  cp "$bin/${m}64.dll" "$plugins/"
  modules+=("$m")
done
# The demo's settings: the modules and a few keys to try them with.
{
  printf '[Config]\r\nEnablePlugins=1\r\nBookMarks=1\r\nESCSpecial=1\r\n'
  printf '[Keyboard]\r\nReloadSettings=Ctrl+Alt+R\r\n'
  printf '[PluginList]\r\n'
  for m in "${modules[@]}"; do printf '%s=%s.dll\r\n' "$m" "$m"; done
  printf '[Plugins]\r\nCtrl+Q=Numbra,2\r\nCtrl+Shift+Q=Numbra,5\r\nCtrl+D=TCPathfan,1\r\nCtrl+Alt+W=Horalet,1\r\n'
} > "$plugins/Merovin.ini"

# Data folders with a few files and folders.
mkdir -p "$c/data/left/Projects" "$c/data/left/Music" "$c/data/right/Docs" "$c/data/right/Photos"
for f in readme.txt notes.md photo.jpg report.pdf script.cmd; do
  [ -f "$c/data/left/$f" ] || printf 'demo file %s\r\n' "$f" > "$c/data/left/$f"
done
for f in archive.zip budget.xlsx todo.txt; do
  [ -f "$c/data/right/$f" ] || printf 'demo file %s\r\n' "$f" > "$c/data/right/$f"
done
for f in letter.txt plan.txt; do
  [ -f "$c/data/right/Docs/$f" ] || printf 'demo file %s\r\n' "$f" > "$c/data/right/Docs/$f"
done

args=('--home=C:\tc' '--tabs=both')
[ -n "$engine" ] && args+=("--plugin=$engine")
args+=('C:\data\left' 'C:\data\right')

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  "$wine" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
  echo "demo: starting the stand-in host on $DISPLAY (engine: ${engine:-none})"
  "$wine" 'C:\tc\tchost.exe' "${args[@]}"
  exit 0
fi

# Headless: the null driver, a scripted tour, screenshots into build/x64/demo.
WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
rm -f "$demo"/*.png
shots="Z:$(echo "$demo" | tr '/' '\\')"
MEROVIN_TIME_LIMIT=120 scripts/wine-run --prefix "$prefix" 'C:\tc\tchost.exe' "${args[@]}" "--tour=$shots" >/dev/null || true
scripts/wine-run --prefix "$prefix" --stop
echo "demo: engine: ${engine:-none}; modules: ${modules[*]:-none}; log: $tc/tchost.log"
found=0
for p in "$demo"/*.png; do
  [ -f "$p" ] || continue
  echo "$p"
  found=1
done
[ $found = 1 ] || { echo "demo: no screenshot was written" >&2; exit 1; }
