#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds the Debian package from the build tree into a folder of its own,
# unpacks it with dpkg-deb and checks its files and control fields.
#   debian-package.sh BUILD_DIR VERSION      (CPACK_COMMAND may name cpack)
set -euo pipefail
build=$1
version=$2
assets=$(cd "$(dirname "$0")/../../assets" && pwd)
delivered=${TALLYWICK_DELIVERED:?TALLYWICK_DELIVERED names the folder of the delivered files}
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
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "tallywick_${version}_$arch.deb" ] || fail "package file named $(basename "$deb")"

field() {
    dpkg-deb --field "$deb" "$1"
}
[ "$(field Package)" = tallywick ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
[[ $(field Description) == *TALLYWICK* ]] || fail "Description: $(field Description)"
# Depends: xdg-utils for the web pages, and what dpkg-shlibdeps found the
# program linked against.
depends=$(field Depends | tr -d ' ' | tr ',' '\n' | sed 's/(.*//')
for package in xdg-utils libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qx "$package" <<<"$depends" || fail "Depends lacks $package: $(field Depends)"
done
grep -q '^libqt6widgets6 (>= ' < <(field Depends | tr ',' '\n' | sed 's/^ *//') ||
    fail "Depends gives no version for libqt6widgets6: $(field Depends)"

root=$work/root
dpkg-deb -x "$deb" "$root"
expected=$(cat <<LIST
usr/bin/tallywick
usr/share/applications/tallywick.desktop
$(cd "$assets" && find icons/hicolor -name tallywick.png | sed 's:^:usr/share/:' | sort)
usr/share/metainfo/example.tallywick.Tallywick.metainfo.xml
$(cd "$delivered" && ls | sed 's:^:usr/share/tallywick/:')
LIST
)
actual=$(cd "$root" && find . -type f -o -type l | sed 's:^\./::' | sort)
[ "$actual" = "$(sort <<<"$expected")" ] ||
    fail "the package's files differ from the expected list:
$(diff <(sort <<<"$expected") <(echo "$actual") || true)"

[ -x "$root/usr/bin/tallywick" ] || fail "usr/bin/tallywick is not executable"
[[ $(file -b "$root/usr/bin/tallywick") == *ELF*", stripped"* ]] ||
    fail "usr/bin/tallywick is not a stripped program: $(file -b "$root/usr/bin/tallywick")"
for file in $(cd "$delivered" && ls); do
    cmp -s "$delivered/$file" "$root/usr/share/tallywick/$file" || fail "usr/share/tallywick/$file differs from the delivered one"
done
grep -qx 'Path=/usr/share/tallywick' "$root/usr/share/applications/tallywick.desktop" ||
    fail "the packaged entry does not start the program in /usr/share/tallywick"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/example.tallywick.Tallywick.metainfo.xml" ||
    fail "the packaged AppStream file has no release $version"
echo "package $(basename "$deb"): $(wc -l <<<"$actual") files, Depends: $(field Depends)"
