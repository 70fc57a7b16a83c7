#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages. Idempotent: a
# machine that has everything returns at once. Needs root (or sudo) only to install.
set -u
cd "$(dirname "$0")/.." || exit 1

packages=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev clang libclang-rt-14-dev
          clang-format clang-tidy shellcheck
          mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 xvfb x11-utils xdotool imagemagick locales fonts-wqy-microhei python3 unicode-data)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # A failing mirror index must not stop us: what can be installed still is.
  "${sudo_cmd[@]}" apt-get update -q >/dev/null 2>&1 || echo "setup: apt-get update reported errors; going on"
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null 2>&1 \
    || "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}" >/dev/null \
    || { echo "setup: could not install: ${missing[*]}" >&2; exit 1; }
fi

# 32-bit Wine is optional: the i386 index is sometimes unreachable.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  if [ ! -e build/.wine32-tried ]; then
    mkdir -p build
    echo "setup: trying to add wine32:i386 (optional)"
    { "${sudo_cmd[@]}" dpkg --add-architecture i386 \
      && { "${sudo_cmd[@]}" apt-get update -q >/dev/null 2>&1 || true; } \
      && "${sudo_cmd[@]}" apt-get install -y -q wine32:i386 >/dev/null 2>&1; } \
      || echo "setup: wine32:i386 not available; the 32-bit smoke test will be skipped"
    touch build/.wine32-tried
  fi
fi
# The installer compiler: scripts/release.sh needs it, the tests only for the installer case (which skips
# without it), so a failure here stops nothing.
if ! command -v makensis >/dev/null && [ ! -e build/.nsis-tried ]; then
  mkdir -p build
  echo "setup: installing nsis (for the installer)"
  { "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends nsis >/dev/null 2>&1 ||
    { "${sudo_cmd[@]}" apt-get update -q >/dev/null 2>&1 || true
      "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends nsis >/dev/null 2>&1; }; } ||
    { echo "setup: nsis not available; the installer case will be skipped"; touch build/.nsis-tried; }
fi
exit 0
