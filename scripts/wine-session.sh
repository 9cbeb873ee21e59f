#!/usr/bin/env bash
# Sourced: starts Xvfb and makes a private Wine prefix and home for this run.
# Sets VELKORA_WINEPREFIX, VELKORA_TEST_HOME, DISPLAY and VELKORA_WINE_ARCH
# (win32 where this machine runs 32-bit code, else win64).
# A folder of its own (about 700 MB of prefix) is removed at the end; one
# that the caller named is left to the caller.
if [ -n "${VELKORA_RUN_DIR:-}" ]; then
  run_dir=$VELKORA_RUN_DIR own_run_dir=0
else
  run_dir=$(mktemp -d /tmp/velkora-run.XXXXXX) own_run_dir=1
fi
mkdir -p "$run_dir"
export VELKORA_WINEPREFIX=$run_dir/prefix
export VELKORA_TEST_HOME=$run_dir/home
mkdir -p "$VELKORA_TEST_HOME"
display=${VELKORA_DISPLAY:-:$(( (RANDOM % 400) + 100 ))}
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$run_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# 32-bit code needs the kernel's compat mode; some virtual machines have none.
# VELKORA_WINE_ARCH=win64 asks for the twin where both would run.
if [ "${VELKORA_WINE_ARCH:-}" != win64 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export VELKORA_WINE_ARCH=win32 WINEARCH=win32 wineboot=/usr/lib/wine/wine
else
  export VELKORA_WINE_ARCH=win64 WINEARCH=win64 wineboot=/usr/lib/wine/wine64
fi
(
  export WINEPREFIX=$VELKORA_WINEPREFIX HOME=$VELKORA_TEST_HOME WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  "$wineboot" wineboot -i >"$run_dir/wineboot.log" 2>&1
  for face in "微软雅黑" "微软雅黑 Light" "宋体" "新宋体"; do
    "$wineboot" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  # There is no window manager on the virtual display; without this Wine
  # waits about 2 s for one at every hide and destroy of a window.
  "$wineboot" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # The desktop process that wineboot started read these settings before
  # they were written (its tray then waits 2 s at each icon's removal): end
  # it, so that the next start reads them.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
)
velkora_session_end() {
  WINEPREFIX=$VELKORA_WINEPREFIX /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX=$VELKORA_WINEPREFIX /usr/lib/wine/wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  if [ "$own_run_dir" = 1 ]; then rm -rf "$run_dir"; fi
}
