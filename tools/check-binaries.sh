#!/usr/bin/env bash
# Checks the built program and library without running them, as a host that cannot execute
# them still can: PE format and machine of the bitness, the program a GUI program, the
# library's one export ALERTKIT, the program importing it by name, the program's manifest, no
# C++ runtime DLL beside the system's, and the 32-bit pair's stripped size (what the package
# ships) at most 150,000 bytes.
#   tools/check-binaries.sh OBJDUMP BITS PROGRAM.exe LIBRARY.dll
set -uo pipefail
objdump=$1 bits=$2 exe=$3 dll=$4
failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what" >&2
        failures=$((failures + 1))
    fi
}

if [ "$bits" = 64 ]; then
    format=pei-x86-64 magic='020b	(PE32+)' arch=amd64
else
    format=pei-i386 magic='010b	(PE32)' arch=x86
fi
exe_headers=$("$objdump" -p "$exe") || exit 1
dll_headers=$("$objdump" -p "$dll") || exit 1

check "program is $format" grep -q "file format $format\$" <<<"$exe_headers"
check "library is $format" grep -q "file format $format\$" <<<"$dll_headers"
check "program is ${magic##*	}" grep -qF "Magic			$magic" <<<"$exe_headers"
check "library is ${magic##*	}" grep -qF "Magic			$magic" <<<"$dll_headers"
check "program is a GUI program" grep -qF "Subsystem		00000002	(Windows GUI)" <<<"$exe_headers"

# The name is the last field of an export or import line; binutils 2.40 writes "[   0] NAME",
# later ones "[   0] +base[   1]  0000 NAME" (and an import's hint column moved with it).
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dll_headers" |
          awk '/^[[:space:]]*\[ *[0-9]+\]/ { print $NF }')
check "library exports exactly ALERTKIT (got: ${exports//$'\n'/ })" [ "$exports" = ALERTKIT ]
check "library exports one function" grep -qE "Export Address Table[[:space:]]+00000001" <<<"$dll_headers"

imports=$(sed -n '/DLL Name: Alertkit.dll/,/^$/p' <<<"$exe_headers" | awk 'NR > 2 && NF { print $NF }')
check "program imports ALERTKIT by name from Alertkit.dll (got: ${imports//$'\n'/ })" \
    [ "$imports" = ALERTKIT ]

manifest_has() { LC_ALL=C grep -qaF "$1" "$exe"; }
check "manifest names the program" \
    manifest_has "name=\"FlagsmithII\" version=\""
check "manifest architecture $arch" manifest_has "processorArchitecture=\"$arch\""
check "manifest asks for common controls 6.0.0.0" manifest_has "Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
check "manifest declares DPI awareness" manifest_has "dpiAware"
check "manifest runs as invoker" manifest_has "level=\"asInvoker\""

# Only system DLLs: no C++ runtime (GCC's, its threads, clang's or the Visual C++ one) is
# imported; what little of it the binaries use is linked in.
runtime_dlls=$(grep -hiE "DLL Name: (libstdc|libgcc|libwinpthread|libc\+\+|libunwind|msvcp|vcruntime)" \
               <<<"$exe_headers$dll_headers")
check "no C++ runtime DLL imported${runtime_dlls:+ (got: $runtime_dlls)}" [ -z "$runtime_dlls" ]

strip=${objdump%objdump}strip
stripped_size() {
    local copy size
    copy=$(mktemp) || return 1
    "$strip" -o "$copy" "$1" && size=$(stat -c %s "$copy")
    rm -f "$copy"
    echo "${size:-0}"
}
exe_size=$(stripped_size "$exe")
dll_size=$(stripped_size "$dll")
total=$((exe_size + dll_size))
echo "stripped: program $exe_size bytes, library $dll_size bytes, $total in all"
if [ "$bits" = 32 ]; then
    size_limit=150000
    within_limit() { [ "$exe_size" -gt 0 ] && [ "$dll_size" -gt 0 ] && [ "$total" -le "$size_limit" ]; }
    check "32-bit program and library stripped at most $size_limit bytes" within_limit
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
