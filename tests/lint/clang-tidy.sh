#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Runs clang-tidy, with the checks of the repository's .clang-tidy, over every
# product source file a build compiles (its compile_commands.json), two at a
# time; fails on any finding. Tests, benchmarks and generated files are not
# linted. Arguments after ROOT go to the compiler (a cross build's target).
#   clang-tidy.sh CLANG_TIDY BUILD_DIR ROOT [--extra-arg=...]...
set -euo pipefail
clang_tidy=${1:?usage: clang-tidy.sh CLANG_TIDY BUILD_DIR ROOT [ARGS]}
build=${2:?usage: clang-tidy.sh CLANG_TIDY BUILD_DIR ROOT [ARGS]}
root=${3:?usage: clang-tidy.sh CLANG_TIDY BUILD_DIR ROOT [ARGS]}
shift 3

database=$build/compile_commands.json
[ -f "$database" ] || { echo "FAIL: no $database" >&2; exit 1; }
# The product's own sources, by their folders.
mapfile -t files < <(grep -o '"file": *"[^"]*"' "$database" | sed 's/"file": *"\(.*\)"/\1/' |
    grep -E "^$root/(base|launch|ports|catalogue|app|platform|ui)/.*\.cpp$" | sort -u)
if [ "${#files[@]}" -eq 0 ]; then
    echo "FAIL: $database compiles no product source of $root" >&2
    exit 1
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
printf '%s\n' "${files[@]}" |
    xargs -P 2 -n 4 "$clang_tidy" -p "$build" --quiet "$@" >"$log" 2>/dev/null || status=$?
findings=$(grep -cE '(warning|error): ' "$log" || :)
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    grep -E -A3 '(warning|error): ' "$log" >&2 || :
    echo "FAIL: clang-tidy found $findings things to mend in ${#files[@]} files" >&2
    exit 1
fi
echo "PASS: clang-tidy found nothing in ${#files[@]} files"
