#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The packages built from the source package (packaging/build-package.sh):
# their names, control fields and files, unpacked with dpkg-deb. The version is
# the build's one version, which dpkg took from debian/changelog.
#   debian-package.sh VERSION      (PACKAGE_DIR, TALLYWICK_DELIVERED, EXPECTED_APPSTREAM_ID)
source "$(dirname "$0")/lib.sh"
version=$1
appstream_id=${EXPECTED_APPSTREAM_ID:?EXPECTED_APPSTREAM_ID names the id the program is published under}
assets=$(cd "$(dirname "$0")/../../assets" && pwd)
delivered=${TALLYWICK_DELIVERED:?TALLYWICK_DELIVERED names the folder of the delivered files}
find_packages
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "tallywick_${version}_$arch.deb" ] || fail "package file named $(basename "$deb")"
[ "$(basename "$dbgsym")" = "tallywick-dbgsym_${version}_$arch.deb" ] ||
    fail "debug symbols' package file named $(basename "$dbgsym")"
package_file "tallywick_$version.dsc"
grep -qx "Version: $version" "$found" || fail "the source package is not $version: $(grep ^Version: "$found")"

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
usr/share/lintian/overrides/tallywick
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

# The debug symbols' package holds the debug information of the three
# programs (the program, its launcher and the launcher's message box), each
# found by its build ID as debuggers look for it, and what dwz took out of them
# as shared.
expected=$(for program in usr/bin/tallywick usr/libexec/tallywick/tallywick-launcher \
                          usr/libexec/tallywick/tallywick-message-box; do
    build_id=$(readelf --notes "$root/$program" | sed -n 's/^ *Build ID: *//p')
    [ -n "$build_id" ] || fail "the packaged $program has no build ID"
    echo "./usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug"
done | sort)
debug_files=$(dpkg-deb --contents "$dbgsym" | awk '$1 ~ /^-/ { print $6 }' | sort)
[ "$debug_files" = "$(sort <<<"$expected"$'\n'"./usr/lib/debug/.dwz/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/tallywick.debug")" ] ||
    fail "the debug symbols' package holds [$debug_files], not the programs' [$expected]"

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
# The release date that the AppStream file and the manual page give is the day
# of the changelog's latest entry, as written there.
day=$(zcat "$root/usr/share/doc/tallywick/changelog.gz" |
    sed -n '0,/^ -- /s/^ -- .*>  [A-Z][a-z]*, \([0-9]* [A-Z][a-z]* [0-9]*\) .*/\1/p')
released=$(date --date "$day" +%F) || fail "no date in the changelog's latest entry: [$day]"
grep -q "^\.TH TALLYWICK 1 \"$released\"" <<<"$manual" || fail "the manual page is not dated $released"
grep -q "<release version=\"$version\" date=\"$released\">" "$root/usr/share/metainfo/$appstream_id.metainfo.xml" ||
    fail "the AppStream release $version is not dated $released"
grep -qx '\.I /usr/share/tallywick' <<<"$manual" || fail "the manual page does not name /usr/share/tallywick"
echo "package $(basename "$deb"): $(wc -l <<<"$actual") files, Depends: $(field Depends)"
