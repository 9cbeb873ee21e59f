#!/usr/bin/env bash
# Runs a Windows program under Wine in the private test prefix.
# Picks wine or wine64 by the program's PE machine type.
set -euo pipefail
exe=$1; shift
: "${VELKORA_WINEPREFIX:?run the tests through scripts/test-all.sh, or set VELKORA_WINEPREFIX}"
export WINEPREFIX=$VELKORA_WINEPREFIX
export HOME=${VELKORA_TEST_HOME:-$VELKORA_WINEPREFIX/home}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export LC_ALL=zh_CN.UTF-8
# Every test talks to 127.0.0.1 only: no proxy may come between.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY
export DISPLAY=${DISPLAY:-:99}
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$exe" | tr -d ' ')
if [ "$machine" = "8664" ]; then wine=/usr/lib/wine/wine64; else wine=/usr/lib/wine/wine; fi
exec "$wine" "$exe" "$@"
