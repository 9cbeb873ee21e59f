#!/usr/bin/env bash
# Installs what is missing, builds the release files for this machine (only
# those) and starts Velkora.exe under Wine as its users get it.
# Arguments are CMake settings for that build, the servers say
# (-DVELKORA_TIME_SERVER_URL=..., -DVELKORA_UPDATE_SERVER_HOST=...); without
# them it has the build settings' defaults.
# Where DISPLAY names a display that answers, the window shows there and this
# ends when the program does; the program's prefix and home (config.ini, the
# shortcuts it makes) stay in build/run-<arch>/ from one run to the next.
# Else it runs on a virtual display of its own in a prefix that goes at the
# end: the screenshot lands in build/velkora-screen.png and the program ends
# VELKORA_RUN_SECONDS (default 8) after its start. That run fails when the
# main window did not show, or was gone or blank at the screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Decided before the build, so that only the tree it starts is built.
source scripts/wine-arch.sh
build=build/$VELKORA_WINE_ARCH
bash scripts/build.sh "$VELKORA_WINE_ARCH" "$@"
server=$(sed -n 's/^VELKORA_TIME_SERVER_URL:[A-Z]*=//p' "$build/CMakeCache.txt")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export VELKORA_ON_DISPLAY=1 VELKORA_RUN_DIR=${VELKORA_RUN_DIR:-$PWD/build/run-$VELKORA_WINE_ARCH}
else
  export VELKORA_ON_DISPLAY=0
fi
source scripts/wine-session.sh
trap velkora_session_end EXIT
# Installed as a user's copy is: the program with its plug-ins in a folder of
# its own. The files are replaced, not rewritten, in case an earlier run's
# program still has them open.
dir="$VELKORA_TEST_HOME/Velkora 程序"
mkdir -p "$dir"
for file in velkora/Velkora.exe power/Power.dll clock/Clock.dll; do
  cp --remove-destination "$build/$file" "$dir"/
done
log=$run_dir/velkora.log
echo "Starting $build/velkora/Velkora.exe (time server $server) under Wine on $DISPLAY"

if [ "$VELKORA_ON_DISPLAY" = 1 ]; then
  echo "Its window is on your display; this ends when Velkora does (its settings: $dir)"
  bash tests/support/wine-run.sh "$dir/Velkora.exe" </dev/null >"$log" 2>&1 && exit 0
  status=$?
  echo "Velkora ended with exit code $status (see $log)"
  exit "$status"
fi

source scripts/x-windows.sh
shot=build/velkora-screen.png log_kept=build/velkora-run.log
fail() {  # why
  echo "FAILED: $1 (its output: $log_kept)"
  cp "$log" "$log_kept" 2>/dev/null || true
  exit 1
}
run_seconds=${VELKORA_RUN_SECONDS:-8}
show_limit=60  # seconds the program has to show its window
rm -f "$shot"
start=$(date +%s)
bash tests/support/wine-run.sh "$dir/Velkora.exe" </dev/null >"$log" 2>&1 &
pid=$!
until shown Velkora6; do
  kill -0 $pid 2>/dev/null || fail "Velkora ended before its main window showed"
  [ $(( $(date +%s) - start )) -lt $show_limit ] || fail "Velkora's main window did not show in $show_limit s"
  sleep 0.1
done
echo "Velkora's main window showed after $(( $(date +%s) - start )) s"
wait_left=$(( start + run_seconds - $(date +%s) ))
[ $wait_left -le 0 ] || sleep $wait_left
window=$(shown_window Velkora6) || fail "Velkora's main window was gone after $run_seconds s"
import -display "$DISPLAY" -window root "$shot"
# A window that shows but never paints is one flat colour.
colours=$(convert "$shot" -crop "$(window_geometry "$window")" +repage -format %k info:)
[ "$colours" -gt 1 ] || fail "Velkora's main window is blank in $shot"
echo "Screenshot: $shot"
kill $pid 2>/dev/null || true
