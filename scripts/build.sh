#!/usr/bin/env bash
# With no argument: builds the portable core and its tests natively, the
# 32-bit deliverables (build/win32: the shipped files and nothing else), and
# the test trees: the 32-bit one and the 64-bit twin that the tests run under
# Wine where 32-bit code cannot run.
# With a tree's name (native, win32, win64, win32-test, win64-test): builds
# that tree alone, in build/NAME; any further arguments are CMake settings
# for it (-DVELKORA_TIME_SERVER_URL=...). win64 is the 64-bit twin of the
# deliverables.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# The test builds talk to servers that the tests start on loopback.
test_settings=(-DVELKORA_BUILD_TESTS=ON
  -DVELKORA_TIME_SERVER_URL=http://127.0.0.1:18123 -DVELKORA_UPDATE_SERVER_HOST=127.0.0.1:18124)
build() {  # name, extra cmake args...
  local name=$1 settings; shift
  case $name in
    native) settings=(-DVELKORA_BUILD_TESTS=ON) ;;
    win32) settings=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake) ;;
    win64) settings=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake) ;;
    win32-test) settings=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake "${test_settings[@]}") ;;
    win64-test) settings=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake "${test_settings[@]}") ;;
    *) echo "build.sh: no tree named '$name' (native, win32, win64, win32-test, win64-test)" >&2
       return 2 ;;
  esac
  # Each configure starts from the settings' defaults: a tree holds what its
  # name and this command say, never what an earlier configure left there.
  cmake -S . -B "build/$name" -U 'VELKORA_*' -DCMAKE_BUILD_TYPE=Release "${settings[@]}" "$@" >/dev/null
  cmake --build "build/$name" -j "$jobs"
}
if [ $# -gt 0 ]; then
  build "$@"
else
  build native
  build win32
  build win32-test
  build win64-test
fi
