#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds the packages of the last commit twice and compares them byte for byte.
# Each build starts from its own export of the commit in a fresh folder; the
# second lies at another path, starts later, with its files freshly dated and
# under another umask, time zone and locale. Prints each package's SHA-256, and
# what differs when two packages are not identical.
#   packaging/reproducible.sh [PART...]      PART: linux (default: every part)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-$(nproc)}
commit=$(git -C "$root" rev-parse HEAD)
# Every time stamp in a package is that of the latest entry of debian/changelog,
# as dpkg gives it to the build, whatever the day of the build.
unset SOURCE_DATE_EPOCH

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "note: uncommitted changes are not built: this builds commit $commit"
fi

# Exports the commit into FOLDER. Further options go to tar: --touch dates the
# files at the extraction instead of at the commit.
export_commit() {
    local folder=$1
    shift
    mkdir -p "$folder"
    git -C "$root" archive --format=tar "$commit" | tar -x -C "$folder" "$@"
}

# Says where two tar archives differ: their listings, then their files.
explain_tar() {
    local first=$1 second=$2 work
    diff <(tar -tv --numeric-owner --full-time -f "$first") \
        <(tar -tv --numeric-owner --full-time -f "$second") | sed 's/^/  /' || [ $? -eq 1 ]
    work=$(mktemp -d)
    mkdir -p "$work/a" "$work/b"
    tar -x -C "$work/a" -f "$first"
    tar -x -C "$work/b" -f "$second"
    diff -rq "$work/a" "$work/b" | sed "s:$work/[ab]/::g; s/^/  /" || [ $? -eq 1 ]
    rm -rf "$work"
}

# Says where two packages differ: a Debian package's members and the files
# inside them, a source tarball's files, or the lines of a text.
explain() {
    local first=$1 second=$2 work member
    case $first in
    *.deb)
        work=$(mktemp -d)
        mkdir -p "$work/a" "$work/b"
        (cd "$work/a" && ar x "$first")
        (cd "$work/b" && ar x "$second")
        echo "ar members:"
        diff <(ar tv "$first") <(ar tv "$second") | sed 's/^/  /' || [ $? -eq 1 ]
        for member in $(cd "$work/a" && ls); do
            cmp -s "$work/a/$member" "$work/b/$member" && continue
            echo "$member differs"
            case $member in
            *.tar.*) explain_tar "$work/a/$member" "$work/b/$member" ;;
            esac
        done
        rm -rf "$work"
        ;;
    *.tar.*) explain_tar "$first" "$second" ;;
    *) diff "$first" "$second" | sed 's/^/  /' || [ $? -eq 1 ] ;;
    esac
}

# Compares the two builds' files of one kind: prints both hashes, and fails
# with what differs when the bytes do.
compare() {
    local what=$1 first=$2 second=$3
    echo "$what:"
    (cd "$root" && sha256sum "${first#"$root"/}" "${second#"$root"/}") | sed 's/^/  /'
    if ! cmp "$first" "$second"; then
        explain "$first" "$second"
        fail "the two builds' $what differ"
    fi
    echo "  identical"
}

# The Debian packages (make package), built twice from the source package
# made of each export: the program's, its debug symbols', and the source
# package itself.
linux() {
    local first=$root/build-repro-a second=$root/build-repro-b
    rm -rf "$first" "$second"
    build_packages() {
        local source=$1 out=$2
        echo "building in $out (umask $(umask), TZ=$TZ, LC_ALL=$LC_ALL)"
        JOBS=$jobs "$source/packaging/build-package.sh" "$out" >"$out.log" 2>&1 ||
            fail "the build in $out failed: see $out.log"
    }
    export_commit "$first/src"
    (umask 022 && TZ=UTC LC_ALL=C.UTF-8 build_packages "$first/src" "$first/out")
    export_commit "$second/another/source" --touch
    (umask 002 && TZ=Pacific/Auckland LC_ALL=C build_packages "$second/another/source" "$second/b")
    local file
    for file in $(cd "$first/out" && ls -- *.deb *.dsc *.tar.xz); do
        [ -f "$second/b/$file" ] || fail "the second build made no $file"
        compare "$file" "$first/out/$file" "$second/b/$file"
    done
}

parts=("$@")
[ "${#parts[@]}" -gt 0 ] || parts=(linux)
for part in "${parts[@]}"; do
    case $part in
    linux) linux ;;
    *) fail "no part $part (parts: linux)" ;;
    esac
done
