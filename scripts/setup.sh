#!/usr/bin/env bash
# Installs what the build and the tests need; safe to run again.
# Debian packages: the mingw-w64 cross compilers, Wine (64-bit, and 32-bit
# wine32:i386 for the 32-bit programs), CMake, Ninja, the GoogleTest sources,
# the Boost headers (Boost.Regex is header-only from 1.76 on); and the muParser
# source package, unpacked into a cache outside git.
set -euo pipefail

cache=${MEROVIN_CACHE:-$HOME/.cache/merovin}
mkdir -p "$cache"
apt_dir=${MEROVIN_APT_DIR:-/etc/apt} # another folder only to try the source entries out

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

# Boost headers new enough for a header-only Boost.Regex (1.76 or later).
boost_ok() {
  local version
  version=$(sed -n 's/^#define BOOST_VERSION \([0-9]*\).*/\1/p' /usr/include/boost/version.hpp 2>/dev/null)
  [ -n "$version" ] && [ -f /usr/include/boost/regex.hpp ] && [ "$version" -ge 107600 ]
}
need_boost=0
boost_ok || need_boost=1

# The deb-src entries for the muParser sources mirror the machine's own
# binary entries (same URIs, suites, components and keys), so mirrors and
# other Debian releases work. Only added when no other source entry exists;
# our own files are regenerated on every run.
src_sources=$apt_dir/sources.list.d/merovin-src.sources
src_list=$apt_dir/sources.list.d/merovin-src.list

# The files apt reads, ours left out.
apt_files() {
  local suffix=$1 file
  if [ "$suffix" = list ] && [ -f "$apt_dir/sources.list" ]; then
    echo "$apt_dir/sources.list"
  fi
  for file in "$apt_dir"/sources.list.d/*."$suffix"; do
    [ -f "$file" ] || continue
    [ "$file" = "$src_sources" ] || [ "$file" = "$src_list" ] && continue
    echo "$file"
  done
}

# deb822 stanzas of type "deb" (not disabled), as "deb-src" stanzas.
src_from_sources() {
  local file
  apt_files sources | while read -r file; do
    awk 'BEGIN { RS = ""; FS = "\n" }
      {
        types = ""; enabled = "yes"; out = ""
        for (i = 1; i <= NF; i++) {
          line = $i
          if (line ~ /^#/) continue
          if (tolower(line) ~ /^types:/) { types = " " substr(line, 7) " "; continue }
          if (tolower(line) ~ /^enabled:/) { enabled = tolower(substr(line, 9)); gsub(/[ \t]/, "", enabled) }
          out = out line "\n"
        }
        if (enabled != "no" && types ~ /[ \t]deb[ \t]/ && out != "")
          printf "Types: deb-src\n%s\n", out
      }' "$file"
  done
}

# One-line "deb" entries, as "deb-src" lines.
src_from_lists() {
  local file
  apt_files list | while read -r file; do
    sed -n 's/^[[:space:]]*deb[[:space:]]\+/deb-src /p' "$file"
  done
}

other_src_exists() {
  local file
  for file in $(apt_files list); do
    grep -qs '^[[:space:]]*deb-src[[:space:]]' "$file" && return 0
  done
  for file in $(apt_files sources); do
    awk 'BEGIN { RS = ""; FS = "\n"; found = 1 }
      {
        types = ""; enabled = "yes"
        for (i = 1; i <= NF; i++) {
          line = tolower($i)
          if (line ~ /^types:/) types = " " substr(line, 7) " "
          if (line ~ /^enabled:/) { enabled = substr(line, 9); gsub(/[ \t]/, "", enabled) }
        }
        if (enabled != "no" && types ~ /[ \t]deb-src[ \t]/) found = 0
      }
      END { exit found }' "$file" && return 0
  done
  return 1
}

# Writes $2 into file $1 when it differs; true when the file changed.
write_if_changed() {
  local target=$1 text=$2
  if [ -z "$text" ]; then
    [ -f "$target" ] || return 1
    rm -f "$target"
    return 0
  fi
  if [ -f "$target" ] && [ "$(cat "$target")" = "$text" ]; then
    return 1
  fi
  printf '%s\n' "$text" > "$target"
  return 0
}

sources_changed=0
if ! other_src_exists; then
  stanzas=$(src_from_sources)
  lines=$(src_from_lists)
  if [ -z "$stanzas" ] && [ -z "$lines" ]; then
    echo "setup: no Debian package sources (deb entries) found under $apt_dir" >&2
  fi
  write_if_changed "$src_sources" "$stanzas" && sources_changed=1
  write_if_changed "$src_list" "$lines" && sources_changed=1
fi

if [ ${#need[@]} -gt 0 ] || [ $need_boost = 1 ] || [ $sources_changed = 1 ] ||
   [ ! -f "$cache/muparser/.unpacked" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ $need_boost = 1 ]; then
    # The release's own libboost-dev when it is new enough, else Boost 1.81.
    candidate=$(apt-cache policy libboost-dev 2>/dev/null | sed -n 's/^ *Candidate: //p')
    if [ -n "$candidate" ] && [ "$candidate" != "(none)" ] &&
       dpkg --compare-versions "$candidate" ge 1.76; then
      need+=(libboost-dev)
    else
      need+=(libboost1.81-dev)
    fi
  fi
  if [ ${#need[@]} -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
  fi
fi

# 32-bit Wine runs the shipped 32-bit programs (MerovSet, Merovcall) in the
# same prefix. Its package comes from the i386 architecture, whose package
# index can lag the amd64 one for a while: one retry after a fresh index,
# then a failure that names the package and apt's own error.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt_log=$(mktemp)
  installed=0
  for attempt in 1 2; do
    if apt-get update -qq >"$apt_log" 2>&1 &&
       apt-get install -y -qq --no-install-recommends wine32:i386 >>"$apt_log" 2>&1; then
      installed=1
      break
    fi
  done
  if [ $installed = 0 ]; then
    echo "setup: cannot install wine32:i386 (32-bit Wine, which runs the 32-bit MerovSet and Merovcall in the tests). apt said:" >&2
    grep -E '^(E|W):|Depends|broken|held' "$apt_log" >&2 || tail -n 20 "$apt_log" >&2
    rm -f "$apt_log"
    exit 1
  fi
  rm -f "$apt_log"
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
