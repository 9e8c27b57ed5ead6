#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Every test a document cites is one that ctest lists in one of the build
# folders given, so that a claim never rests on a test that was renamed or
# never written. A citation is a name in backquotes that starts with the
# prefix of a listed test ("`e2e.faults`"), or whose second part names a
# suite ("`core.CardApplicationTest.x`"); "prefix.Suite.*" must match one
# test at least, and a bare prefix ("`platform.`") must be one.
#   cited-tests.sh "DOCUMENT..." BUILD_FOLDER...
set -euo pipefail
read -r -a documents <<<"${1:?usage: cited-tests.sh \"DOCUMENT...\" BUILD_FOLDER...}"
shift
[ "$#" -gt 0 ] || { echo "usage: cited-tests.sh \"DOCUMENT...\" BUILD_FOLDER..." >&2; exit 2; }

listed=$(mktemp)
trap 'rm -f "$listed"' EXIT
for build in "$@"; do
    [ -f "$build/CTestTestfile.cmake" ] || { echo "FAIL: no tests in $build" >&2; exit 1; }
    (cd "$build" && ctest -N) | sed -n 's/^ *Test *#[0-9]*: \(.*\)$/\1/p' >>"$listed"
done
[ -s "$listed" ] || { echo "FAIL: ctest lists no test in $*" >&2; exit 1; }
prefixes=$(cut -d. -f1 "$listed" | sort -u)

is_prefix() { grep -qx -- "$1" <<<"$prefixes"; }

status=0
count=0
for document in "${documents[@]}"; do
    while IFS= read -r name; do
        first=${name%%.*} rest=${name#*.}
        second=${rest%%.*}
        if ! is_prefix "$first" && [[ ! "$second" =~ ^[A-Z] ]] && [ -n "$rest" ]; then
            continue # a file name such as buslist.txt
        fi
        count=$((count + 1))
        if [ -z "$rest" ]; then
            is_prefix "$first" && continue
            echo "FAIL: $document cites the prefix $name, which no test has" >&2
        elif [[ "$name" == *'*' ]]; then
            grep -q -- "^${name%\*}" "$listed" && continue
            echo "FAIL: $document cites $name, which matches no test" >&2
        else
            grep -qxF -- "$name" "$listed" && continue
            echo "FAIL: $document cites $name, which ctest does not list" >&2
        fi
        status=1
    done < <(grep -o '`[a-z0-9]\+\.[A-Za-z0-9_.*-]*`' "$document" | tr -d '`' | sort -u)
done
[ "$status" -eq 0 ] && echo "PASS: $count cited tests in ${documents[*]} are all listed"
exit "$status"
