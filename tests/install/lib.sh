# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Shared steps of the install and package tests: a scratch folder $work that
# goes away at the end, and the Debian package built from a build tree.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Builds the Debian package from BUILD_DIR into $work/out; sets deb to its
# path. CPACK_COMMAND may name cpack.
build_package() {
    local build=$1 debs
    "${CPACK_COMMAND:-cpack}" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" \
        >"$work/cpack.log" 2>&1 || fail "cpack failed: $(cat "$work/cpack.log")"
    shopt -s nullglob
    debs=("$work"/out/*.deb)
    shopt -u nullglob
    [ "${#debs[@]}" -eq 1 ] || fail "expected one package, cpack made: ${debs[*]:-none}"
    deb=${debs[0]}
}
