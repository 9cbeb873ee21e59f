#!/usr/bin/env bash
# Sourced: starts Xvfb and makes a private Wine prefix and home for this run.
# Sets VELKORA_WINEPREFIX, VELKORA_TEST_HOME, DISPLAY and VELKORA_WINE_ARCH
# (win32 where this machine runs 32-bit code, else win64).
# A folder of its own (about 700 MB of prefix) is removed at the end; one
# that the caller named is left to the caller, and a prefix already made in
# it is used as it is.
# VELKORA_ON_DISPLAY=1: no Xvfb; Wine shows its windows on the display that
# DISPLAY names (a user's desktop, whose window manager manages them).
if [ -n "${VELKORA_RUN_DIR:-}" ]; then
  run_dir=$VELKORA_RUN_DIR own_run_dir=0
else
  run_dir=$(mktemp -d /tmp/velkora-run.XXXXXX) own_run_dir=1
fi
mkdir -p "$run_dir"
export VELKORA_WINEPREFIX=$run_dir/prefix
export VELKORA_TEST_HOME=$run_dir/home
mkdir -p "$VELKORA_TEST_HOME"
xvfb_pid=
if [ "${VELKORA_ON_DISPLAY:-0}" = 1 ]; then
  # Wine runs with the private home: the display's key must not be looked
  # up in it.
  if [ -z "${XAUTHORITY:-}" ] && [ -f "$HOME/.Xauthority" ]; then export XAUTHORITY=$HOME/.Xauthority; fi
else
  display=${VELKORA_DISPLAY:-:$(( (RANDOM % 400) + 100 ))}
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$run_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

source "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"
if [ ! -f "$VELKORA_WINEPREFIX/system.reg" ]; then (
  export WINEPREFIX=$VELKORA_WINEPREFIX HOME=$VELKORA_TEST_HOME WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  "$wineboot" wineboot -i >"$run_dir/wineboot.log" 2>&1
  for face in "微软雅黑" "微软雅黑 Light" "宋体" "新宋体"; do
    "$wineboot" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  # There is no window manager on the virtual display; without this Wine
  # waits about 2 s for one at every hide and destroy of a window. A user's
  # display has one, which then moves, stacks and decorates the windows.
  if [ -n "$xvfb_pid" ]; then
    "$wineboot" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  fi
  # The desktop process that wineboot started read these settings before
  # they were written (its tray then waits 2 s at each icon's removal): end
  # it, so that the next start reads them.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
) fi
velkora_session_end() {
  WINEPREFIX=$VELKORA_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX=$VELKORA_WINEPREFIX /usr/lib/wine/wineserver -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [ "$own_run_dir" = 1 ]; then rm -rf "$run_dir"; fi
}
