#!/usr/bin/env bash
# Installs, builds and runs every test: the portable unit tests natively, the
# fuzz targets for a bounded time, and the unit, Win32 and end-to-end tests
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" = 0 ] && bash scripts/setup.sh
bash scripts/build.sh

status=0
echo "== native unit tests"
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1

echo "== fuzz targets"
bash scripts/fuzz.sh || status=1

echo "== tests under Wine"
source scripts/wine-session.sh
trap velkora_session_end EXIT
echo "(Wine runs the $VELKORA_WINE_ARCH build on this machine)"
ctest --test-dir "build/${VELKORA_WINE_ARCH}-test" --output-on-failure || status=1
exit $status
