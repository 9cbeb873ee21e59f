#!/usr/bin/env bash
# Start-up time of Velkora.exe under Wine, from process start to its main
# window being shown (mapped and viewable) on the display, next to a minimal
# Win32 window program built the same way (the two alternate, at least 7
# runs each, medians compared); and the sizes of the three shipped files.
# Prints the figures and the machine they were measured on.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${VELKORA_BENCH_RUNS:-9}
[ "$runs" -ge 7 ] || runs=7
source scripts/wine-session.sh
# The session's prefix and home take some 700 MB: they go with the figures,
# unless the caller named the folder (VELKORA_RUN_DIR).
bench_end() {
  [ -z "${keeper:-}" ] || kill "$keeper" 2>/dev/null || true
  velkora_session_end
  WINEPREFIX=$VELKORA_WINEPREFIX /usr/lib/wine/wineserver -w 2>/dev/null || true
  [ -n "${VELKORA_RUN_DIR:-}" ] || rm -rf "$run_dir"
}
trap bench_end EXIT
if [ "$VELKORA_WINE_ARCH" = win32 ]; then
  build=build/win32; cxx=i686-w64-mingw32-g++-posix
else
  # The twin's deliverables are built as the shipped ones are (Release).
  build=build/win64-test; cxx=x86_64-w64-mingw32-g++-posix
fi
# VELKORA_BENCH_TREE: another build tree of the same architecture to
# measure (an older version, say), with the same yardstick.
build=${VELKORA_BENCH_TREE:-$build}
[ -f "$build/velkora/Velkora.exe" ] || { echo "bench: build $build first (scripts/build.sh)" >&2; exit 1; }
# A persistent wineserver: every run pays for its program, not for Wine's start.
WINEPREFIX=$VELKORA_WINEPREFIX /usr/lib/wine/wineserver -p 2>/dev/null || true  # one may run already
work=$VELKORA_TEST_HOME/bench
mkdir -p "$work"
"$cxx" -O2 -static -mwindows -o "$work/minimal.exe" scripts/bench/minimal_window.cpp
"$cxx" -O2 -static -mwindows -o "$work/keeper.exe" scripts/bench/desktop_keeper.cpp
if [ "${VELKORA_BENCH_COLD_DESKTOP:-0}" != 1 ]; then
  bash tests/support/wine-run.sh "$work/keeper.exe" </dev/null >/dev/null 2>&1 &
  keeper=$!
fi

now_ms() { date +%s%3N; }
source scripts/x-windows.sh
# Starts exe, waits until its window of that title is on the screen, prints ms.
time_to_window() {  # exe title
  local exe=$1 title=$2 start pid elapsed=""
  start=$(now_ms)
  bash tests/support/wine-run.sh "$exe" </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1500); do
    if shown "$title"; then elapsed=$(( $(now_ms) - start )); break; fi
    sleep 0.005
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # The next run starts only once this window is gone.
  for _ in $(seq 500); do
    [ -n "$(windows_named "$title")" ] || break
    sleep 0.01
  done
  echo "${elapsed:-timeout}"
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# The first Wine process of a session starts its services: not counted.
time_to_window "$work/minimal.exe" BenchMinimal >/dev/null
minimal=(); velkora=()
for i in $(seq "$runs"); do
  minimal+=("$(time_to_window "$work/minimal.exe" BenchMinimal)")
  dir="$work/Velkora 测试 $i"
  mkdir -p "$dir" && cp "$build/velkora/Velkora.exe" "$dir"/
  velkora+=("$(time_to_window "$dir/Velkora.exe" Velkora6)")
done
m=$(printf '%s\n' "${minimal[@]}" | median)
v=$(printf '%s\n' "${velkora[@]}" | median)
echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), kernel $(uname -r)"
echo "start-up to visible window under Wine ($VELKORA_WINE_ARCH, $build, $runs alternating runs each, median):"
echo "  minimal Win32 window: ${m} ms   (runs: ${minimal[*]})"
echo "  Velkora.exe:          ${v} ms   (runs: ${velkora[*]})"
if [[ $m =~ ^[0-9]+$ && $v =~ ^[0-9]+$ && $m -gt 0 ]]; then
  awk -v v="$v" -v m="$m" 'BEGIN {printf "  ratio Velkora / minimal: %.2f\n", v / m}'
fi
for tree in "$(dirname "$build")/win32" "$build"; do
  [ -f "$tree/velkora/Velkora.exe" ] || continue
  total=0
  for f in velkora/Velkora.exe power/Power.dll clock/Clock.dll; do
    [ -f "$tree/$f" ] || continue
    size=$(stat -c %s "$tree/$f"); total=$((total + size))
    echo "size of $tree/$f: $size bytes"
  done
  echo "  together: $total bytes"
  [ "$tree" = "$build" ] && break
done
exit 0
