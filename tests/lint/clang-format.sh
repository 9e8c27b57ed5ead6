#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Every C++ file of the repository is formatted as .clang-format says: lists
# the files that are not, with what clang-format would change.
#   clang-format.sh CLANG_FORMAT ROOT
set -euo pipefail
clang_format=${1:?usage: clang-format.sh CLANG_FORMAT ROOT}
root=${2:?usage: clang-format.sh CLANG_FORMAT ROOT}
cd "$root"

mapfile -t files < <(git ls-files --cached --others --exclude-standard -- \
    '*.cpp' '*.h' | sort)
if [ "${#files[@]}" -eq 0 ]; then
    echo "FAIL: no C++ file found under $root" >&2
    exit 1
fi
unformatted=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue # deleted in the work tree, not yet in the index
    if ! "$clang_format" --style=file --dry-run --Werror "$file" >/dev/null 2>&1; then
        unformatted+=("$file")
    fi
done
if [ "${#unformatted[@]}" -gt 0 ]; then
    printf 'not formatted: %s\n' "${unformatted[@]}" >&2
    echo "FAIL: ${#unformatted[@]} of ${#files[@]} C++ files need clang-format -i" >&2
    exit 1
fi
echo "PASS: ${#files[@]} C++ files are formatted"
