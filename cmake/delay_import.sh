#!/bin/sh
# Makes a delay-loading import library from a system import library: every
# function the library names, bound by the MinGW runtime's delay-load helper
# at the first call, so that the DLL is loaded then and not with the program.
# Usage: delay_import.sh NM DLLTOOL IMPORT_LIBRARY DLL_NAME OUTPUT LEADING_UNDERSCORE(0|1)
set -eu
nm=$1 dlltool=$2 import=$3 dll=$4 out=$5 underscore=$6
def=${out%.a}.def
{
  echo "LIBRARY \"$dll\""
  echo "EXPORTS"
  # __imp_ names the import of each function; i686 names carry C's leading
  # underscore, which the module-definition file leaves out.
  "$nm" -g "$import" | sed -n 's/^[0-9a-fA-F]* I __imp_//p' |
    if [ "$underscore" = 1 ]; then sed 's/^_//'; else cat; fi | sort -u
} >"$def"
# -k: the DLL exports the i686 stdcall names without their @N.
"$dlltool" -k -d "$def" -D "$dll" -y "$out"
