#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds the Debian package from the build tree into a folder of its own,
# unpacks it with dpkg-deb and checks its files and control fields.
#   debian-package.sh BUILD_DIR VERSION      (CPACK_COMMAND may name cpack; EXPECTED_APPSTREAM_ID)
source "$(dirname "$0")/lib.sh"
build=$1
version=$2
appstream_id=${EXPECTED_APPSTREAM_ID:?EXPECTED_APPSTREAM_ID names the id the program is published under}
assets=$(cd "$(dirname "$0")/../../assets" && pwd)
delivered=${TALLYWICK_DELIVERED:?TALLYWICK_DELIVERED names the folder of the delivered files}
build_package "$build"
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "tallywick_${version}_$arch.deb" ] || fail "package file named $(basename "$deb")"

field() {
    dpkg-deb --field "$deb" "$1"
}
[ "$(field Package)" = tallywick ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Section)" = misc ] || fail "Section: $(field Section)"
[ "$(field Priority)" = optional ] || fail "Priority: $(field Priority)"
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends: $(field Recommends), expected qt6-wayland"
[[ $(field Description) == *TALLYWICK* ]] || fail "Description: $(field Description)"
# Depends: xdg-utils for the web pages, xdg-user-dirs for the user's documents
# folder, and what dpkg-shlibdeps found the programs linked against.
depends=$(field Depends | tr -d ' ' | tr ',' '\n' | sed 's/(.*//')
for package in xdg-utils xdg-user-dirs libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qx "$package" <<<"$depends" || fail "Depends lacks $package: $(field Depends)"
done
grep -q '^libqt6widgets6 (>= ' < <(field Depends | tr ',' '\n' | sed 's/^ *//') ||
    fail "Depends gives no version for libqt6widgets6: $(field Depends)"

root=$work/root
dpkg-deb -x "$deb" "$root"
expected=$(cat <<LIST
usr/bin/tallywick
usr/libexec/tallywick/tallywick-launcher
usr/libexec/tallywick/tallywick-message-box
usr/share/applications/tallywick.desktop
$(cd "$assets" && find icons/hicolor -name tallywick.png | sed 's:^:usr/share/:' | sort)
usr/share/metainfo/$appstream_id.metainfo.xml
usr/share/doc/tallywick/copyright
usr/share/doc/tallywick/changelog.gz
usr/share/man/man1/tallywick.1.gz
$(cd "$delivered" && ls | sed 's:^:usr/share/tallywick/:')
LIST
)
actual=$(cd "$root" && find . -type f -o -type l | sed 's:^\./::' | sort)
[ "$actual" = "$(sort <<<"$expected")" ] ||
    fail "the package's files differ from the expected list:
$(diff <(sort <<<"$expected") <(echo "$actual") || true)"

for program in usr/bin/tallywick usr/libexec/tallywick/tallywick-launcher \
    usr/libexec/tallywick/tallywick-message-box; do
    [ -x "$root/$program" ] || fail "$program is not executable"
    [[ $(file -b "$root/$program") == *ELF*", stripped"* ]] ||
        fail "$program is not a stripped program: $(file -b "$root/$program")"
done
for file in $(cd "$delivered" && ls); do
    cmp -s "$delivered/$file" "$root/usr/share/tallywick/$file" || fail "usr/share/tallywick/$file differs from the delivered one"
done
grep -qx 'Exec=/usr/libexec/tallywick/tallywick-launcher' "$root/usr/share/applications/tallywick.desktop" ||
    fail "the packaged entry does not start the launcher in /usr/libexec/tallywick"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$appstream_id.metainfo.xml" ||
    fail "the packaged AppStream file has no release $version"

# The licence, in Debian's machine-readable format, with LICENSE's own words.
copyright=$root/usr/share/doc/tallywick/copyright
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not machine-readable: $(head -n 1 "$copyright")"
grep -qx 'License: Expat' "$copyright" || fail "the copyright file names no Expat (MIT) licence"
licence=$(cd "$assets/.." && sed -n '/^Permission is hereby granted/,$p' LICENSE)
[ "$(sed -n 's/^ \.$//p; s/^ //p' "$copyright" | sed -n '/^Permission is hereby granted/,$p')" = "$licence" ] ||
    fail "the copyright file's licence text differs from LICENSE"
# The changelog and the manual page, as Debian installs them: compressed
# without a name or time stamp of their own.
for file in usr/share/doc/tallywick/changelog.gz usr/share/man/man1/tallywick.1.gz; do
    [[ $(file -b "$root/$file") == "gzip compressed data, max compression, from Unix"* ]] ||
        fail "$file is not compressed without name and time: $(file -b "$root/$file")"
done
zcat "$root/usr/share/doc/tallywick/changelog.gz" | head -n 1 | grep -q "^tallywick ($version) " ||
    fail "the changelog's latest entry is not $version"
manual=$(zcat "$root/usr/share/man/man1/tallywick.1.gz")
grep -q "^\.TH TALLYWICK 1 .*\"tallywick $version\"" <<<"$manual" || fail "the manual page is not for $version"
grep -qx '\.I /usr/share/tallywick' <<<"$manual" || fail "the manual page does not name /usr/share/tallywick"
echo "package $(basename "$deb"): $(wc -l <<<"$actual") files, Depends: $(field Depends)"
