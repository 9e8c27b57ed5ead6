#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
#
# The Windows program file keeps its hardening: its PE header asks Windows
# for address space layout randomisation with high entropy (DYNAMIC_BASE,
# HIGH_ENTROPY_VA) and for data execution prevention (NX_COMPAT), and, for
# reproducible builds, carries no build time. It takes DLLs from the system
# folder only: it imports SetDefaultDllDirectories (which WinMain calls first),
# and its own code (the OBJECTS given: its libraries and object files) calls
# neither LoadLibraryA nor LoadLibraryW, which search the program's folder
# first: a DLL it loads by name is loaded with LoadLibraryExW.
# (The C run-time imports LoadLibraryW for advapi32.dll, a known DLL, where
# msvcrt.dll lacks rand_s; that no Windows since Vista does.)
#   pe-hardening.sh OBJDUMP PROGRAM.exe [OBJECTS...]
set -euo pipefail
objdump=$1
program=$2
shift 2

header=$(TZ=UTC LC_ALL=C "$objdump" -p "$program") || { echo "FAIL: $objdump cannot read $program" >&2; exit 1; }
grep -q '^Magic[[:space:]]*020b' <<<"$header" || { echo "FAIL: $program is not a 64-bit PE file" >&2; exit 1; }

# DllCharacteristics, as a number: objdump prints it in hex and names the
# flags below it.
characteristics=$((16#$(sed -n 's/^DllCharacteristics[[:space:]]*//p' <<<"$header")))
status=0
for flag in HIGH_ENTROPY_VA:0x0020 DYNAMIC_BASE:0x0040 NX_COMPAT:0x0100; do
    if ((characteristics & ${flag#*:})); then
        echo "$program: ${flag%%:*}"
    else
        echo "FAIL: $program lacks ${flag%%:*} in DllCharacteristics" >&2
        status=1
    fi
done
# Randomisation needs the relocations that the flags promise.
if grep -q 'Characteristics.*relocations stripped' <<<"$header"; then
    echo "FAIL: $program has no relocations, so Windows cannot move it" >&2
    status=1
fi
stamp=$(sed -n 's/^Time\/Date[[:space:]]*//p' <<<"$header")
if [ "$stamp" != "Thu Jan  1 00:00:00 1970" ]; then
    echo "FAIL: $program carries a build time in its PE header: $stamp" >&2
    status=1
fi
# "KERNEL32.DLL!LoadLibraryExW": each imported function with its DLL.
imports=$(awk '/^\tDLL Name:/ { dll = toupper($3) }
               dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll "!" $3 }' <<<"$header")
if grep -qxF "KERNEL32.DLL!SetDefaultDllDirectories" <<<"$imports"; then
    echo "$program: imports SetDefaultDllDirectories"
else
    echo "FAIL: $program does not import SetDefaultDllDirectories" >&2
    status=1
fi
if grep -qxF 'KERNEL32.DLL!LoadLibraryA' <<<"$imports"; then
    echo "FAIL: $program imports LoadLibraryA" >&2
    status=1
fi
for object in "$@"; do
    symbols=$("$objdump" -t "$object") || { echo "FAIL: $objdump cannot read $object" >&2; exit 1; }
    if grep -E '__imp_LoadLibrary[AW]$' <<<"$symbols" >&2; then
        echo "FAIL: $object loads a DLL by a name that the program's folder could answer" >&2
        status=1
    fi
done
exit "$status"
