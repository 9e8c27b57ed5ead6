#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Builds the Debian source package of this tree and then the binary packages
# from that source package, as a distribution does, all inside OUT_DIR:
#   OUT_DIR/tallywick_<version>.dsc, .tar.xz      the source package (dpkg-buildpackage -S)
#   OUT_DIR/tallywick_<version>_<arch>.deb        the program (dpkg-buildpackage -b, in
#   OUT_DIR/tallywick-dbgsym_<version>_<arch>.deb   the source package's unpacked copy)
#   OUT_DIR/*.changes, *.buildinfo                what each build made
#   OUT_DIR/source.log, binary.log                the builds' output
# The source package holds the tree's tracked files as they are now, modified
# or not (from a copy: nothing is written into the tree, and no build folder
# goes into the source package); out of a git work tree, every file but the
# build folders. dpkg dates every file from the latest entry of
# debian/changelog (SOURCE_DATE_EPOCH, unless it is set).
# With "source", the source package alone.
#   packaging/build-package.sh OUT_DIR [source]       (JOBS: parallel compile jobs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
out=$1
parts=${2:-all}
case $parts in all | source) ;; *) echo "FAIL: no part $parts (all, source)" >&2; exit 1 ;; esac
jobs=${JOBS:-$(nproc)}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
source_name=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Source)
arch=$(dpkg --print-architecture)
mkdir -p "$out"
out=$(cd "$out" && pwd)
case $out in / | "$root" | "$HOME") fail "OUT_DIR is $out: it is emptied first, so give a folder of its own" ;; esac
rm -rf "$out"
mkdir -p "$out"
tree=$out/$source_name-$version

# The tree as it is now, in a folder of the package's name, each file with the
# mode git gives it (0644, or 0755 for a program), whatever the umask.
umask 022
mkdir -p "$tree"
# (An export inside another work tree, as make reproducible makes, is no work
# tree of its own.)
if [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
    # A commit of the work tree's tracked files as they are, made without
    # touching the index, the branch or any file.
    snapshot=$(git -C "$root" stash create)
    git -C "$root" -c tar.umask=022 archive --format=tar "${snapshot:-HEAD}" | tar -x -C "$tree"
    untracked=$(git -C "$root" ls-files --others --exclude-standard)
    [ -z "$untracked" ] || echo "note: files not yet added to git are not packaged: $(paste -sd " " <<<"$untracked")"
else
    tar -C "$root" --exclude=./build --exclude='./build-*' --exclude=./.git --mode=go-w -c . |
        tar -x -C "$tree"
fi

# JOBS compile jobs, unless DEB_BUILD_OPTIONS asks for another number.
build_options=${DEB_BUILD_OPTIONS:-}
[[ " $build_options " == *" parallel="* ]] || build_options="${build_options:+$build_options }parallel=$jobs"

# Each build step in the folder given; its output is added to OUT_DIR/LOG, and
# its end shown when it fails.
build() {
    local folder=$1 log=$2
    shift 2
    (cd "$folder" && DEB_BUILD_OPTIONS=$build_options "$@") \
        >>"$out/$log" 2>&1 || {
        tail -n 40 "$out/$log" >&2
        fail "$* failed in $folder: see $out/$log"
    }
}
# The source package, then the binaries from what it holds alone.
build "$tree" source.log dpkg-buildpackage --build=source --no-sign
rm -rf "$tree"
if [ "$parts" = source ]; then
    echo "$out/${source_name}_$version.dsc"
    exit 0
fi
build "$out" source.log dpkg-source --extract "${source_name}_$version.dsc"
build "$tree" binary.log dpkg-buildpackage --build=binary --no-sign

deb=$out/${source_name}_${version}_$arch.deb
[ -f "$deb" ] || fail "no $deb after the build: see $out/binary.log"
echo "$deb"
