# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Shared steps of the install and package tests: a scratch folder $work that
# goes away at the end, and the packages that packaging/build-package.sh made.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The one file of PACKAGE_DIR that matches PATTERN, in $found.
package_file() {
    local pattern=$1 files
    shopt -s nullglob
    files=(${PACKAGE_DIR:?PACKAGE_DIR names the folder of the package build}/$pattern)
    shopt -u nullglob
    [ "${#files[@]}" -eq 1 ] || fail "expected one $pattern in $PACKAGE_DIR, found: ${files[*]:-none}"
    found=${files[0]}
}

# Sets deb and dbgsym to the program's package and its debug symbols' package.
find_packages() {
    package_file "tallywick_*.deb"
    deb=$found
    package_file "tallywick-dbgsym_*.deb"
    dbgsym=$found
}
