#!/usr/bin/env bash
# Installs, builds, and starts Velkora under Wine in a private prefix on a
# virtual display; a screenshot of the screen lands in build/velkora-screen.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
source scripts/wine-session.sh
trap velkora_session_end EXIT
if [ "$VELKORA_WINE_ARCH" = win32 ]; then build=build/win32; else build=build/win64-test; fi
if [ ! -f "$build/velkora/Velkora.exe" ]; then
  echo "Velkora.exe is not built yet ($build/velkora/Velkora.exe): nothing to start."
  exit 0
fi
dir="$VELKORA_TEST_HOME/Velkora 程序"
mkdir -p "$dir"
cp "$build/velkora/Velkora.exe" "$dir"/
for dll in power/Power.dll clock/Clock.dll; do
  [ -f "$build/$dll" ] && cp "$build/$dll" "$dir"/
done
echo "Starting $build/velkora/Velkora.exe under Wine on $DISPLAY"
bash tests/support/wine-run.sh "$dir/Velkora.exe" </dev/null >"$VELKORA_TEST_HOME/velkora.log" 2>&1 &
pid=$!
sleep "${VELKORA_RUN_SECONDS:-8}"
if ! kill -0 $pid 2>/dev/null; then
  echo "Velkora exited before its window showed (see $VELKORA_TEST_HOME/velkora.log)"
  exit 0
fi
import -display "$DISPLAY" -window root build/velkora-screen.png 2>/dev/null && echo "Screenshot: build/velkora-screen.png"
kill $pid 2>/dev/null || true
