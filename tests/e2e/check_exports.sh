#!/usr/bin/env bash
# Checks the plug-ins' export tables (GBK names at their ordinals, nothing
# else exported). Their version resources: check_release_files.sh.
# Usage: check_exports.sh OBJDUMP POWER_DLL CLOCK_DLL
set -euo pipefail
export LC_ALL=C
objdump=$1 power=$2 clock=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }

# "ordinal name" lines of a DLL's export name table, names as raw bytes.
exports_of() {
  "$objdump" -p "$1" | awk '
    /^Ordinal Base/ { base = $3 }
    /^\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
    table && /^[ \t]*$/ { table = 0 }
    table && match($0, /\[ *[0-9]+\] /) {
      idx = substr($0, RSTART + 1, RLENGTH - 3) + 0
      print idx + base, substr($0, RSTART + RLENGTH)
    }'
}

check_exports() {  # dll library-name "ordinal name"...
  local dll=$1 library=$2; shift 2
  local actual expected=""
  actual=$(exports_of "$dll" | sort -n)
  for pair in "$@"; do
    expected+="${pair%% *} $(gbk "${pair#* }")"$'\n'
  done
  expected=$(printf '%s' "$expected" | sort -n)
  if [ "$actual" != "$expected" ]; then
    fail "$(basename "$dll") exports differ"
    diff <(echo "$expected" | iconv -f GBK -t UTF-8) <(echo "$actual" | iconv -f GBK -t UTF-8) || true
  fi
  grep -q "^Name .* $library\$" <<<"$("$objdump" -p "$dll")" || fail "$(basename "$dll") export directory name is not $library"
}

check_exports "$power" Power.dll \
  "1 _超级按钮1_被单击" "2 _超级按钮2_被单击" "3 _关机_周期事件" "4 _配置_尺寸被改变" \
  "5 _刷新_周期事件" "6 _睡眠_周期事件" "7 _重启_周期事件" "8 定时关机" "9 销毁关机"
check_exports "$clock" Clock.dll \
  "1 _迷你时钟_被双击" "2 _迷你时钟_创建完毕" "3 _时钟1_周期事件" "4 读取时钟" "5 销毁时钟"

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "exports as expected"
