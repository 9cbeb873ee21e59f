#!/usr/bin/env bash
# Installs, builds, and starts Velkora under Wine in a private prefix on a
# virtual display; the screenshot of its main window lands in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" = 0 ] && bash scripts/setup.sh
bash scripts/build.sh
source scripts/wine-session.sh
trap velkora_session_end EXIT
if [ "$VELKORA_WINE_ARCH" = win32 ]; then exe=build/win32/velkora/Velkora.exe; else exe=build/win64-test/velkora/Velkora.exe; fi
dir=$VELKORA_TEST_HOME/Velkora
mkdir -p "$dir" && cp "$exe" build/win32/power/Power.dll build/win32/clock/Clock.dll "$dir"/ 2>/dev/null || cp "$exe" "$dir"/
echo "Starting $exe under Wine on $DISPLAY"
bash tests/support/wine-run.sh "$dir/Velkora.exe" &
pid=$!
sleep "${VELKORA_RUN_SECONDS:-8}"
import -display "$DISPLAY" -window root build/velkora-screen.png 2>/dev/null && echo "Screenshot: build/velkora-screen.png"
kill $pid 2>/dev/null || true
