#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds the Debian package from the build tree and has lintian judge it as
# Debian's archive would: any error or warning fails. Prints lintian's whole
# verdict, informational tags included.
#   lintian.sh BUILD_DIR      (CPACK_COMMAND may name cpack)
set -euo pipefail
build=$1
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"${CPACK_COMMAND:-cpack}" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" \
    >"$work/cpack.log" 2>&1 || fail "cpack failed: $(cat "$work/cpack.log")"
shopt -s nullglob
debs=("$work"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] || fail "expected one package, cpack made: ${debs[*]:-none}"

# lintian says so on its standard error when it runs as root; its verdict is
# the tags on its standard output.
status=0
lintian --display-info --pedantic --fail-on error,warning "${debs[0]}" \
    >"$work/lintian.log" 2>"$work/lintian.err" || status=$?
sed 's/^/  /' "$work/lintian.log"
tags=$(grep -E '^[EW]: ' "$work/lintian.log" || [ $? -eq 1 ])
[ -z "$tags" ] || fail "lintian reports errors or warnings:
$tags"
[ "$status" -eq 0 ] || fail "lintian failed ($status): $(cat "$work/lintian.err")"
echo "lintian: no error, no warning on $(basename "${debs[0]}")"
