#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds the Debian package from the build tree and has lintian judge it as
# Debian's archive would: any error or warning fails. Prints lintian's whole
# verdict, informational tags included.
#   lintian.sh BUILD_DIR      (CPACK_COMMAND may name cpack)
source "$(dirname "$0")/lib.sh"
build=$1
build_package "$build"

# lintian says so on its standard error when it runs as root; its verdict is
# the tags on its standard output.
status=0
lintian --display-info --pedantic --fail-on error,warning "$deb" \
    >"$work/lintian.log" 2>"$work/lintian.err" || status=$?
sed 's/^/  /' "$work/lintian.log"
tags=$(grep -E '^[EW]: ' "$work/lintian.log" || [ $? -eq 1 ])
[ -z "$tags" ] || fail "lintian reports errors or warnings:
$tags"
[ "$status" -eq 0 ] || fail "lintian failed ($status): $(cat "$work/lintian.err")"
echo "lintian: no error, no warning on $(basename "$deb")"
