#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
#
# Shows that the Windows deliverables are reproducible: builds the current
# commit twice with the windows preset, each time from a fresh copy of the
# commit in a folder of a different name and depth, the second one after the
# first and with another umask, and compares tallywick.exe,
# tallywick-launcher.exe, tallywick-windows.zip, tallywick-setup.exe and the
# MSI byte for byte. Prints their sha256 hashes;
# fails on any difference. The files are built unsigned, whatever the
# environment says: a signature carries the time of signing.
#   packaging/reproducible-windows.sh        (make reproducible-windows)
set -euo pipefail

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deliverables=(tallywick.exe tallywick-launcher.exe tallywick-windows.zip tallywick-setup.exe)
unset TALLYWICK_SIGN_PFX TALLYWICK_SIGN_PASSWORD TALLYWICK_SIGN_PASSWORD_FILE TALLYWICK_SIGN_TIMESTAMP_URL

commit=$(git -C "$source_dir" rev-parse HEAD)
if [ -n "$(git -C "$source_dir" status --porcelain --untracked-files=no)" ]; then
    echo "Note: uncommitted changes are not built; this checks commit $commit." >&2
fi
# The time the builds stamp on what they pack, the same for both.
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

work=$(mktemp -d /tmp/tallywick-reproducible-XXXXXX)
trap 'rm -rf "$work"' EXIT

build() {
    local folder=$1
    mkdir -p "$folder/source"
    git -C "$source_dir" archive --format=tar "$commit" | tar -x -C "$folder/source"
    echo "Building $commit in $folder ($(date -u '+%H:%M:%S UTC'))..." >&2
    cmake -S "$folder/source" -B "$folder/build" --preset windows \
        -DTALLYWICK_BUILD_TESTS=OFF >"$folder/build.log" 2>&1 &&
        cmake --build "$folder/build" -j "$(nproc)" \
            --target tallywick tallywick-launcher tallywick_zip tallywick_setup tallywick_msi >>"$folder/build.log" 2>&1 ||
        { tail -n 30 "$folder/build.log" >&2; echo "the build in $folder failed" >&2; exit 1; }
}

first=$work/first
second=$work/second/a/longer/path
build "$first"
(umask 0077 && build "$second")
# The MSI's name carries the version.
msi=$(cd "$first/build" && ls tallywick-*-x64.msi)
deliverables+=("$msi")

status=0
for name in "${deliverables[@]}"; do
    hash=$(sha256sum "$first/build/$name" | cut -d' ' -f1)
    if cmp -s "$first/build/$name" "$second/build/$name"; then
        printf '%s  %s\n' "$hash" "$name"
    else
        status=1
        # cmp -l lists every differing byte: offset (from 1), then both values in octal.
        ! cmp -l "$first/build/$name" "$second/build/$name" >"$work/$name.cmp"
        printf '%s  %s DIFFERS from %s: %s bytes, the first at offset %s\n' "$hash" "$name" \
            "$(sha256sum "$second/build/$name" | cut -d' ' -f1)" \
            "$(wc -l <"$work/$name.cmp")" "$(awk 'NR == 1 {print $1 - 1}' "$work/$name.cmp")"
    fi
done
if [ "$status" -eq 0 ]; then
    echo "Reproducible: both builds of $commit gave the same ${#deliverables[@]} files."
else
    echo "NOT reproducible: the builds of $commit differ." >&2
fi
exit "$status"
