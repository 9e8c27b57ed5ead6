#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The built program carries the hardening that distributions ask for, read
# from its ELF headers, symbols, notes and debug information: PIE, full RELRO,
# the stack protector, fortified C library calls, control-flow protection and
# stack clash protection. Prints what it found; fails on anything missing. A
# stripped program's debug information is read from DEBUG_FILE (a Debian
# package's from its debug symbols' package).
#   elf-hardening.sh PROGRAM [C++ COMPILER [DEBUG_FILE]]
set -euo pipefail
program=$1
compiler=${2:-c++}
debug=${3:-$program}
[ -f "$program" ] || { echo "FAIL: no program at $program" >&2; exit 1; }
[ -f "$debug" ] || { echo "FAIL: no debug information at $debug" >&2; exit 1; }

missing=()
check() {
    local what=$1
    shift
    if "$@"; then
        echo "found:   $what"
    else
        echo "MISSING: $what"
        missing+=("$what")
    fi
}
note() {
    echo "note:    $*"
}

header=$(readelf --file-header --wide "$program")
dynamic=$(readelf --dynamic --wide "$program")
segments=$(readelf --segments --wide "$program")
imports=$(readelf --dyn-syms --wide "$program" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')
notes=$(readelf --notes --wide "$program")
# GCC records each compile unit's code generation switches in the debug
# information (absent from a stripped program): one line per unit, its name, a
# tab and its producer. Units of the compiler's own run-time libraries (the
# sanitizers' start-up code) are built by the compiler's makers, not here.
units=$(readelf --debug-dump=info "$debug" 2>/dev/null | awk '
    function value(line) { sub(/^[^:]*: *(\(indirect[^)]*\): )?/, "", line); return line }
    /DW_TAG_compile_unit/ { unit = 1; producer = ""; next }
    unit && /DW_AT_producer/ { producer = value($0) }
    unit && /DW_AT_name/ { print value($0) "\t" producer; unit = 0 }')
runtime_units='/(libsanitizer|libgcc|libstdc\+\+-v3|libiberty)/'
gcc_producers=$(awk -F'\t' -v runtime="$runtime_units" \
    '$2 ~ /^GNU C/ && $1 !~ runtime { print $2 }' <<<"$units" | sort -u)

imports_symbol() {
    grep -qx "$1" <<<"$imports"
}
is_pie() {
    grep -q 'Type: *DYN' <<<"$header" && grep -q 'FLAGS_1.*\bPIE\b' <<<"$dynamic"
}
binds_now() {
    grep -qE '\(FLAGS\).*\bBIND_NOW\b|\(FLAGS_1\).*\bNOW\b' <<<"$dynamic"
}
has_relro() {
    grep -q '^ *GNU_RELRO ' <<<"$segments"
}
every_unit_has() {
    local switch=$1
    [ -n "$gcc_producers" ] && ! grep -v -- "$switch" <<<"$gcc_producers" | grep -q .
}
# The names of glibc's fortified wrappers' headers, present in the debug
# information only where such a wrapper was compiled in. (grep reads to the
# end: readelf must not be cut off by a closed pipe.)
inlines_fortified_wrappers() {
    readelf --debug-dump=line "$debug" 2>/dev/null |
        grep -E '(_fortified|stdio2|wchar2|fcntl2|socket2|poll2)\.h' >/dev/null
}
fortified_imports() {
    grep -E '^__.+_chk$' <<<"$imports" | grep -vx '__stack_chk_fail' | paste -sd ' ' -
}
is_fortified() {
    [ -n "$(fortified_imports)" ] || inlines_fortified_wrappers
}

check "PIE (ELF type DYN, FLAGS_1 PIE)" is_pie
check "immediate binding (BIND_NOW / FLAGS_1 NOW)" binds_now
check "read-only relocations (GNU_RELRO segment)" has_relro
check "stack protector (__stack_chk_fail)" imports_symbol __stack_chk_fail

# _FORTIFY_SOURCE needs optimisation, and the sanitizers intercept the plain
# calls it would replace: those builds go without it.
if grep -qE '^__(asan|ubsan|tsan|msan)_' <<<"$imports"; then
    note "sanitizer build: _FORTIFY_SOURCE is not used with the sanitizers"
elif [ -n "$gcc_producers" ] && ! grep -v -- ' -O0\b' <<<"$gcc_producers" | grep -q ' -O'; then
    note "unoptimised build: _FORTIFY_SOURCE needs optimisation"
else
    check "fortified C library calls (_FORTIFY_SOURCE)" is_fortified
    if [ -n "$(fortified_imports)" ]; then
        note "fortified calls checked at run time: $(fortified_imports)"
    elif is_fortified; then
        note "fortified wrappers compiled in, but no __*_chk import: each call's size was" \
            "proved safe, or its buffer's size unknown, when compiled"
    fi
fi

machine=$(sed -n 's/^ *Machine: *//p' <<<"$header")
runtime=$(awk -F'\t' -v runtime="$runtime_units" '$1 ~ runtime { print $1 }' <<<"$units" | paste -sd ' ' -)
[ -z "$runtime" ] || note "compiler run-time units not judged: $runtime"
if [ -z "$gcc_producers" ]; then
    note "no GCC debug information: the compile units' switches cannot be read"
else
    check "stack clash protection in every compile unit" every_unit_has -fstack-clash-protection
    check "strong stack protector in every compile unit" every_unit_has -fstack-protector-strong
fi
case $machine in
*X86-64*)
    [ -z "$gcc_producers" ] ||
        check "control-flow protection (-fcf-protection) in every compile unit" \
            every_unit_has -fcf-protection
    # The linker marks the program for IBT and SHSTK only when every object
    # linked in is marked, the C library's start files included.
    start_files=$("$compiler" -print-file-name=crti.o)
    if readelf --notes "$start_files" 2>/dev/null | grep -q 'x86 feature:.*IBT.*SHSTK'; then
        check "CET property note (x86 feature: IBT, SHSTK)" \
            grep -q 'x86 feature:.*IBT.*SHSTK' <<<"$notes"
    else
        note "the C library's start files ($start_files) carry no CET note, so the linker" \
            "gives the program none: $(grep -o 'Properties: .*' <<<"$notes" || echo 'no properties')"
    fi
    ;;
*AArch64*)
    [ -z "$gcc_producers" ] ||
        check "branch protection (-mbranch-protection) in every compile unit" \
            every_unit_has -mbranch-protection
    ;;
esac

if [ "${#missing[@]}" -gt 0 ]; then
    echo "FAIL: $program lacks: $(printf '%s\n' "${missing[@]}" | paste -sd ';' -)" >&2
    exit 1
fi
echo "PASS: $program is hardened"
