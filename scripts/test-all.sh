#!/usr/bin/env bash
# Installs, builds and runs every test: the portable unit tests natively, the
# fuzz targets for a bounded time, and the unit, Win32 and end-to-end tests
# under Wine. Exits non-zero when any step fails, and says which.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
bash scripts/setup.sh
echo "== build"
if [ "${VELKORA_SKIP_BUILD:-0}" = 1 ]; then
  echo "(VELKORA_SKIP_BUILD=1: testing the trees as they are)"
elif ! bash scripts/build.sh; then
  echo "FAILED: the build (see the compiler's messages above); no test ran"
  exit 1
fi

failed=()
echo "== native unit tests"
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || failed+=("native ctest")

echo "== fuzz targets"
bash scripts/fuzz.sh || failed+=("fuzz")

echo "== tests under Wine"
source scripts/wine-session.sh
trap velkora_session_end EXIT
wine_build=build/${VELKORA_WINE_ARCH}-test
echo "(Wine runs $wine_build on this machine)"
rm -rf "$wine_build/screenshots" && mkdir -p "$wine_build/screenshots"
# One at a time: the end-to-end tests own the mouse, keyboard and screen.
ctest --test-dir "$wine_build" --output-on-failure --timeout 1500 || failed+=("ctest under Wine ($wine_build)")

# Screenshots for a reviewer: PNG beside each .bmp.
shots=0
for bmp in "$wine_build"/screenshots/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp" && shots=$((shots + 1))
done
echo "screenshots: $shots PNG in $wine_build/screenshots"

echo "== took $(( $(date +%s) - start )) s"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all test steps passed"
