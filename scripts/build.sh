#!/usr/bin/env bash
# Builds the portable core and its tests natively, the 32-bit deliverables
# (build/win32: the shipped files and nothing else), and the test trees: the
# 32-bit one and the 64-bit twin that the tests run under Wine where 32-bit
# code cannot run.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
build build/native -DVELKORA_BUILD_TESTS=ON
build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVELKORA_BUILD_TESTS=OFF
# The test builds talk to servers that the tests start on loopback.
test_settings=(-DVELKORA_BUILD_TESTS=ON
  -DVELKORA_TIME_SERVER_URL=http://127.0.0.1:18123 -DVELKORA_UPDATE_SERVER_HOST=127.0.0.1:18124)
build build/win32-test -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake "${test_settings[@]}"
build build/win64-test -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake "${test_settings[@]}"
