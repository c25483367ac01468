#!/bin/sh
# The plug-in files as a host sees them: the export _mod_descrip, imports
# only from the system's own libraries, and the right machine type.
# usage: check-dlls.sh WIN64_DLL WIN32_DLL
set -u
status=0
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|WINSPOOL\.DRV|ADVAPI32|SHELL32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
check() {
    dll=$1 objdump=$2 format=$3
    if [ ! -f "$dll" ]; then echo "missing $dll"; status=1; return; fi
    "$objdump" -f "$dll" | grep -q "file format $format" || { echo "$dll: not $format"; status=1; }
    "$objdump" -p "$dll" | grep -Eq '\] _mod_descrip$' || { echo "$dll: no export _mod_descrip"; status=1; }
    for lib in $("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p'); do
        echo "$lib" | grep -Eiq "$allowed" || { echo "$dll imports $lib"; status=1; }
    done
    echo "$dll: $format, exports _mod_descrip, imports $("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
}
check "$1" x86_64-w64-mingw32-objdump pei-x86-64
check "$2" i686-w64-mingw32-objdump pei-i386
exit $status
