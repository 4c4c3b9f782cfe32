#!/usr/bin/env bash
# Checks that hueberry.exe is a 64-bit Windows program that needs no MinGW runtime DLL.
set -euo pipefail
exe=$1
dump=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-x86-64' <<<"$dump" || { echo "not an x86_64 PE file"; exit 1; }
dlls=$(grep 'DLL Name:' <<<"$dump" | awk '{print tolower($3)}' | sort -u)
echo "imports:" $dlls
if grep -E 'libstdc|libgcc|libwinpthread|mingw' <<<"$dlls"; then
    echo "imports a MinGW runtime DLL"
    exit 1
fi
grep -q '^gdi32.dll$' <<<"$dlls" && grep -q '^user32.dll$' <<<"$dlls"
echo "ok"
