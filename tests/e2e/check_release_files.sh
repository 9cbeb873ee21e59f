#!/usr/bin/env bash
# Reads the three shipped files as a user's system sees them: no debugging
# sections and no symbol table, the GUI subsystem, the version resource of
# each; in Velkora.exe no load-time import of the libraries it binds at
# first use, and the program's icon group (read back from the built files by
# objdump and windres).
# Usage: check_release_files.sh OBJDUMP WINDRES VELKORA_EXE POWER_DLL CLOCK_DLL
set -euo pipefail
export LC_ALL=C
objdump=$1 windres=$2 velkora=$3 power=$4 clock=$5
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A text as windres writes a UTF-16 string it cannot show as ASCII:
# L"Velkora6 \x8ff7..." (ASCII kept, every other character as \x and hex).
windres_text() {
  printf '%s' "$1" | iconv -f UTF-8 -t UTF-16BE | xxd -p -c 2 | while read -r unit; do
    if [[ $unit == 00* && $((16#${unit:2})) -ge 32 && $((16#${unit:2})) -lt 127 ]]; then
      printf "\\x${unit:2}"
    else
      printf '\\x%x' "$((16#$unit))"
    fi
  done
}

check_file() {  # file description file-type(1 app, 2 dll)
  local file=$1 description=$2 type=$3 name rc expected
  name=$(basename "$file")
  # Whole outputs first: grep -q in a pipe would cut objdump short.
  grep -q ' \.debug' <<<"$("$objdump" -h "$file")" && fail "$name has debugging sections"
  grep -q '^no symbols$' <<<"$("$objdump" -t "$file")" || fail "$name has a symbol table"
  grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$("$objdump" -p "$file")" || fail "$name is not a GUI (subsystem 2) file"

  rc=$("$windres" -J coff -O rc -i "$file" 2>&1) || fail "$name has no resources"
  grep -q '^ FILEVERSION 6, 0, 0, 0$' <<<"$rc" || fail "$name FILEVERSION is not 6.0.0.0"
  grep -q '^ PRODUCTVERSION 6, 0, 0, 0$' <<<"$rc" || fail "$name PRODUCTVERSION is not 6.0.0.0"
  grep -q "^ FILETYPE 0x$type\$" <<<"$rc" || fail "$name FILETYPE is not $type"
  grep -q 'BLOCK "080403A8"' <<<"$rc" || fail "$name has no Chinese (080403A8) string block"
  grep -q 'VALUE "Translation", 0x804, 936$' <<<"$rc" || fail "$name translation is not 0x0804, 936"
  grep -Fq 'VALUE "FileVersion", "6.0.0.0"' <<<"$rc" || fail "$name FileVersion string"
  grep -Fq 'VALUE "ProductVersion", "6.0.0.0"' <<<"$rc" || fail "$name ProductVersion string"
  grep -Fq 'VALUE "ProductName", "Velkora6"' <<<"$rc" || fail "$name ProductName string"
  expected="VALUE \"FileDescription\", L\"$(windres_text "$description")\""
  grep -Fq "$expected" <<<"$rc" || fail "$name FileDescription is not \"$description\""
}

check_file "$velkora" "Velkora6 时间校准" 1
check_file "$power" "Velkora6 定时关机" 2
check_file "$clock" "Velkora6 迷你时钟" 2

# What the start-up does not need is bound at the first call: none of these
# libraries is loaded with the program.
imports=$("$objdump" -p "$velkora" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
for late in ole32.dll oleaut32.dll shell32.dll wininet.dll wsock32.dll; do
  grep -qx "$late" <<<"$imports" && fail "Velkora.exe loads $late with the program"
done
# Needed before the window shows, but loaded by a worker beside the start-up.
grep -qx comctl32.dll <<<"$imports" && fail "Velkora.exe loads comctl32.dll with the program"

# The first icon group, which the shell shows: number 1, three 32-bit
# images of 16, 32 and 48 pixels.
icons=$("$windres" -J coff -O rc -i "$velkora" 2>&1 | awk '/RT_GROUP_ICON/ { group++ } group == 1') || true
grep -q '^1 14 /\* RT_GROUP_ICON \*/' <<<"$icons" || fail "Velkora.exe has no icon group 1"
grep -q 'Has 3 elements' <<<"$icons" || fail "Velkora.exe icon group does not have 3 images"
for size in 020 040 060; do  # 16, 32 and 48, as windres writes them (octal)
  grep -Fq "\"\\$size\\$size\\000\\000\", 1, 32," <<<"$icons" || fail "Velkora.exe icon group has no 32-bit $((8#$size))-pixel image"
done

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "stripped GUI files with their version resources and the program's icon"
