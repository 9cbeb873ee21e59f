#!/usr/bin/env bash
# Sourced: which Wine this machine runs Velkora under, and so which build it
# needs. Sets VELKORA_WINE_ARCH (win32 where this machine runs 32-bit code,
# else win64), WINEARCH and wineboot (the Wine loader of that kind).
# 32-bit code needs the kernel's compat mode; some virtual machines have none.
# VELKORA_WINE_ARCH=win64 asks for the twin where both would run.
if [ "${VELKORA_WINE_ARCH:-}" != win64 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export VELKORA_WINE_ARCH=win32 WINEARCH=win32 wineboot=/usr/lib/wine/wine
else
  export VELKORA_WINE_ARCH=win64 WINEARCH=win64 wineboot=/usr/lib/wine/wine64
fi
