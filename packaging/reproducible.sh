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
# Every time stamp in a package is the last commit's, whatever the day of the build.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH

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

# Says where two archives differ: their members, then the files inside the
# tar members.
explain() {
    local first=$1 second=$2 work
    work=$(mktemp -d)
    mkdir -p "$work/a" "$work/b"
    (cd "$work/a" && ar x "$first")
    (cd "$work/b" && ar x "$second")
    echo "ar members:"
    diff <(ar tv "$first") <(ar tv "$second") | sed 's/^/  /' || [ $? -eq 1 ]
    local member
    for member in $(cd "$work/a" && ls); do
        cmp -s "$work/a/$member" "$work/b/$member" && continue
        echo "$member differs"
        case $member in
        *.tar.*)
            diff <(tar -tv --numeric-owner --full-time -f "$work/a/$member") \
                <(tar -tv --numeric-owner --full-time -f "$work/b/$member") |
                sed 's/^/  /' || [ $? -eq 1 ]
            mkdir -p "$work/a/$member.d" "$work/b/$member.d"
            tar -x -C "$work/a/$member.d" -f "$work/a/$member"
            tar -x -C "$work/b/$member.d" -f "$work/b/$member"
            diff -rq "$work/a/$member.d" "$work/b/$member.d" |
                sed "s:$work/[ab]/::g; s/^/  /" || [ $? -eq 1 ]
            ;;
        esac
    done
    rm -rf "$work"
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

# The Debian package (make package), built twice. CPack gives the package's
# own members the modes of the umask it runs under: it runs under 022, as in
# make package.
linux() {
    local first=$root/build-repro-a second=$root/build-repro-b
    rm -rf "$first" "$second"
    build_deb() {
        local source=$1 build=$2
        echo "building $build (umask $(umask), TZ=$TZ, LC_ALL=$LC_ALL)"
        cmake --preset package -S "$source" -B "$build" >"$build.log" 2>&1 &&
            cmake --build "$build" -j "$jobs" >>"$build.log" 2>&1 &&
            (cd "$build" && umask 022 && cpack -G DEB -B "$build/packages") >>"$build.log" 2>&1 ||
            fail "the build in $build failed: see $build.log"
    }
    export_commit "$first/src"
    (umask 022 && TZ=UTC LC_ALL=C.UTF-8 build_deb "$first/src" "$first/build")
    export_commit "$second/another/source" --touch
    (umask 002 && TZ=Pacific/Auckland LC_ALL=C build_deb "$second/another/source" "$second/b")
    local debs=()
    shopt -s nullglob
    debs=("$first"/build/packages/*.deb "$second"/b/packages/*.deb)
    shopt -u nullglob
    [ "${#debs[@]}" -eq 2 ] || fail "expected one package from each build, found: ${debs[*]:-none}"
    compare "Debian package" "${debs[0]}" "${debs[1]}"
}

parts=("$@")
[ "${#parts[@]}" -gt 0 ] || parts=(linux)
for part in "${parts[@]}"; do
    case $part in
    linux) linux ;;
    *) fail "no part $part (parts: linux)" ;;
    esac
done
