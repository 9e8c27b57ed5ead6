#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# lintian judges the source package and the binary packages (the .dsc, the
# .changes and the .debs they list) as Debian's archive would: any error or
# warning fails. Prints lintian's whole verdict, informational and pedantic
# tags included; debian/tallywick.lintian-overrides says why each overridden
# one does not apply.
#   lintian.sh [FOLDER...]      every .changes in each FOLDER (default: PACKAGE_DIR)
source "$(dirname "$0")/lib.sh"
[ "$#" -gt 0 ] || set -- "${PACKAGE_DIR:?PACKAGE_DIR names the folder of the package build}"
changes=()
for folder in "$@"; do
    changes+=("$folder"/*.changes)
done
grep -q '^Architecture: .*source' "${changes[@]}" || fail "no source package among ${changes[*]}"
grep -q "^Architecture: .*$(dpkg --print-architecture)" "${changes[@]}" ||
    fail "no binary package among ${changes[*]}"

# lintian says so on its standard error when it runs as root; its verdict is
# the tags on its standard output.
status=0
lintian --display-info --pedantic --show-overrides --fail-on error,warning \
    "${changes[@]}" >"$work/lintian.log" 2>"$work/lintian.err" || status=$?
sed 's/^/  /' "$work/lintian.log"
tags=$(grep -E '^[EW]: ' "$work/lintian.log" || [ $? -eq 1 ])
[ -z "$tags" ] || fail "lintian reports errors or warnings:
$tags"
[ "$status" -eq 0 ] || fail "lintian failed ($status): $(cat "$work/lintian.err")"
checked=$(sed -n '/^Files:/,/^[^ ]/s/^ .* \([^ ]*\)$/\1/p' "${changes[@]}" | paste -sd ' ' -)
echo "lintian: no error, no warning on $checked"
