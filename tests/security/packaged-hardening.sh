#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The packaged programs are hardened as the development build is, although
# debhelper builds them with CMAKE_BUILD_TYPE=None and dpkg's flags: each
# program of the .deb (the launcher's two as well) passes elf-hardening.sh,
# read with the debug information of its debug symbols' package, and every compile of the package build
# defines _FORTIFY_SOURCE last at the level the development build's do (dpkg's
# own flags ask for 2).
#   packaged-hardening.sh BUILD_DIR [C++ COMPILER]      (PACKAGE_DIR)
source "$(dirname "$0")/../install/lib.sh"
build=$1
compiler=${2:-c++}
find_packages
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -x "$dbgsym" "$work/root"
for program in usr/bin/tallywick usr/libexec/tallywick/tallywick-launcher \
               usr/libexec/tallywick/tallywick-message-box; do
    build_id=$(readelf --notes "$work/root/$program" | sed -n 's/^ *Build ID: *//p')
    bash "$(dirname "$0")/elf-hardening.sh" "$work/root/$program" "$compiler" \
        "$work/root/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug" ||
        fail "the packaged $program is not hardened"
done

# The level that each compile command (one a line; not the preprocessing
# that Qt's moc asks for) leaves _FORTIFY_SOURCE at,
# once each: "none" where it is left undefined.
fortify_levels() {
    awk '/ -c / && /c\+\+/ && !/ -E / {
        level = "none"
        for (i = 1; i <= NF; i++) {
            if ($i ~ /^-D_FORTIFY_SOURCE=/) level = substr($i, 19)
            if ($i ~ /^-U_FORTIFY_SOURCE/) level = "none"
        }
        print level
    }' "$1" | tr -d '",' | sort -u
}
development=$(fortify_levels "$build/compile_commands.json")
packaged=$(fortify_levels "$PACKAGE_DIR/binary.log")
[ -n "$packaged" ] || fail "no compile command in the package build's log"
[ "$packaged" = "$development" ] ||
    fail "_FORTIFY_SOURCE: the package build compiles at [$packaged], the development build at [$development]"
echo "PASS: the packaged program is hardened, _FORTIFY_SOURCE=$packaged as in the development build"
