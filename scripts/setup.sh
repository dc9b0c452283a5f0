#!/usr/bin/env bash
# Installs what the build and the tests need; safe to run again.
# Debian packages: the mingw-w64 cross compilers, Wine (64-bit), CMake, Ninja,
# the GoogleTest sources; and the muParser source package, unpacked into a
# cache outside git.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cache=${MEROVIN_CACHE:-$HOME/.cache/merovin}
mkdir -p "$cache"

need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix)
command -v x86_64-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-x86-64)
command -v i686-w64-mingw32-windres >/dev/null || need+=(binutils-mingw-w64-i686)
command -v wine >/dev/null || need+=(wine)
command -v wine64 >/dev/null || [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
command -v dpkg-source >/dev/null || need+=(dpkg-dev)
command -v patch >/dev/null || need+=(patch)
[ -d /usr/src/googletest/googletest ] || need+=(googletest)

# The demo's display test: Xvfb, xwd (x11-apps) and ImageMagick's convert.
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xwd >/dev/null || need+=(x11-apps)
[ -x /usr/bin/convert ] || need+=(imagemagick)

src_list=/etc/apt/sources.list.d/merovin-src.sources
add_src=0
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  add_src=1
fi

if [ ${#need[@]} -gt 0 ] || [ $add_src = 1 ] || [ ! -f "$cache/muparser/.unpacked" ]; then
  if [ $add_src = 1 ]; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    cat > "$src_list" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ ${#need[@]} -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  fi
fi

# muParser 2.3.3 sources, unpacked once into the cache.
if [ ! -f "$cache/muparser/.unpacked" ]; then
  rm -rf "$cache/muparser" "$cache/muparser-dl"
  mkdir -p "$cache/muparser-dl"
  (cd "$cache/muparser-dl" && apt-get source -qq muparser >/dev/null 2>&1 || apt-get source muparser)
  dir=$(find "$cache/muparser-dl" -maxdepth 1 -mindepth 1 -type d -name 'muparser-*' | head -n 1)
  [ -n "$dir" ] || { echo "setup: muParser sources not found" >&2; exit 1; }
  mv "$dir" "$cache/muparser"
  rm -rf "$cache/muparser-dl"
  touch "$cache/muparser/.unpacked"
fi

echo "setup: ok (muParser in $cache/muparser)"
