#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Runs clang-tidy, with the checks of the repository's .clang-tidy, over the
# product source files a build compiles (its compile_commands.json) that lie
# in the FOLDERS given (blank-separated, from ROOT), two at a time; fails on
# any finding. Tests, benchmarks and generated files are not linted. Arguments
# after FOLDERS go to the compiler (a cross build's target).
#   clang-tidy.sh CLANG_TIDY BUILD_DIR ROOT "FOLDER..." [--extra-arg=...]...
set -euo pipefail
usage='usage: clang-tidy.sh CLANG_TIDY BUILD_DIR ROOT "FOLDER..." [ARGS]'
clang_tidy=${1:?$usage}
build=${2:?$usage}
root=${3:?$usage}
folders=${4:?$usage}
shift 4

database=$build/compile_commands.json
[ -f "$database" ] || { echo "FAIL: no $database" >&2; exit 1; }
# The product's own sources in those folders.
read -ra folder_list <<<"$folders"
alternatives=$(IFS='|' && echo "${folder_list[*]}")
mapfile -t files < <(grep -o '"file": *"[^"]*"' "$database" | sed 's/"file": *"\(.*\)"/\1/' |
    grep -E "^$root/($alternatives)/.*\.cpp$" | sort -u)
for folder in "${folder_list[@]}"; do
    [ -d "$root/$folder" ] || { echo "FAIL: no folder $root/$folder to lint" >&2; exit 1; }
done
if [ "${#files[@]}" -eq 0 ]; then
    echo "FAIL: $database compiles no source of $root in $folders" >&2
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
