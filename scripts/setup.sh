#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12
# machine (run as root). Safe to run again.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
  cmake make g++ clang libclang-rt-14-dev googletest \
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 \
  wine wine32:i386 wine64 xvfb x11-utils fonts-wqy-microhei locales \
  python3-fonttools imagemagick
# Wine takes its ANSI code page (936) from a real, installed locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
