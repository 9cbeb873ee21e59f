#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12
# machine. Safe to run again, and quick when nothing is missing.
set -euo pipefail
# Installing needs root: through sudo when it asks for no password, else
# whoever runs this must have installed the packages already.
if [ "$(id -u)" != 0 ]; then
  if sudo -n true 2>/dev/null; then exec sudo -n bash "$0" "$@"; fi
  echo "setup: not root and no password-less sudo; installing nothing" >&2
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 xvfb x11-utils fonts-wqy-microhei locales
  python3-fonttools imagemagick
)
# Wine for 32-bit programs. Without it (or on a kernel without 32-bit mode)
# the tests run the 64-bit twin, so a failed install of it is not fatal.
optional=(wine32:i386)
# The tools the scripts call; a package whose files were removed by hand
# still counts as installed, so look for the files too.
tools=(cmake make g++ clang++ i686-w64-mingw32-g++-posix i686-w64-mingw32-ar
       x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-ar i686-w64-mingw32-windres
       x86_64-w64-mingw32-windres Xvfb xdpyinfo import convert iconv localedef)

missing=()
for p in "${packages[@]}" "${optional[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
broken=()
for t in "${tools[@]}"; do
  command -v "$t" >/dev/null 2>&1 || broken+=("$t")
done
[ -x /usr/lib/wine/wine64 ] || broken+=(wine64)
[ -d /usr/src/googletest/googletest ] || broken+=(googletest)

if [ ${#missing[@]} -gt 0 ] || [ ${#broken[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]:-}${broken[*]:+ (missing tools: ${broken[*]})}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails one index now and then; the install
  # below says clearly whether what was fetched is enough.
  for attempt in 1 2 3; do
    apt-get update -qq && break
    echo "setup: apt-get update failed (attempt $attempt)"
    sleep $((attempt * 5))
  done
  apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
  if ! apt-get install -y -qq --no-install-recommends "${optional[@]}" >/dev/null; then
    echo "setup: ${optional[*]} could not be installed; the tests will run the 64-bit build"
  fi
  # Files deleted from installed packages come back only by reinstalling them.
  reinstall=()
  for p in "${packages[@]}"; do
    if dpkg -V "$p" 2>/dev/null | grep -q '^missing'; then reinstall+=("$p"); fi
  done
  if [ ${#reinstall[@]} -gt 0 ]; then
    echo "setup: reinstalling ${reinstall[*]} (files missing)"
    apt-get install -y -qq --reinstall --no-install-recommends "${reinstall[@]}" >/dev/null
  fi
  for t in "${tools[@]}"; do
    command -v "$t" >/dev/null 2>&1 || { echo "setup: $t is still missing after the install" >&2; exit 1; }
  done
fi

# Wine takes its ANSI code page (936) from a real, installed locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
echo "setup: every package is present"
