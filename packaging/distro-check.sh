#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# What a distribution does with the source package before it reaches anyone,
# each step with its verdict and time, in build-distro/ (each step's output in
# build-distro/<step>.log):
#   source       the source package of the tree's tracked files (build-package.sh)
#   chroots      clean Debian chroots made with mmdebstrap, kept in build-distro/cache
#                and made again when older than DISTRO_CHROOT_DAYS (7) days
#   sbuild       the binary packages built from the source package in a clean
#                chroot (unshare mode) with nothing but the declared Build-Depends
#   lintian      the source package and sbuild's packages
#   autopkgtest  debian/tests against the package installed in a clean testbed
#   older        an older package to upgrade from, in a local repository: the
#                package of DISTRO_CHECK_OLD (default: the last commit before
#                debian/ came), with a version that sorts before this one
#   piuparts     install, remove and purge in a clean chroot, nothing left
#                behind; then the older package installed and upgraded to this one
# Runs as root. sbuild's and autopkgtest's unshare modes map the ids of a
# subordinate range of root's: when /etc/subuid or /etc/subgid gives root none,
# this adds root:100000:65536 to it and says so. Downloads from Debian's archive
# (DISTRO_MIRROR); the tests themselves use no network.
#   packaging/distro-check.sh        (DISTRO: bookworm; JOBS)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-distro
cache=$out/cache
distro=${DISTRO:-bookworm}
mirror=${DISTRO_MIRROR:-http://deb.debian.org/debian}
security_mirror=${DISTRO_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
arch=$(dpkg --print-architecture)
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
export JOBS=${JOBS:-$(nproc)}

if [ "$(id -u)" != 0 ]; then
    echo "FAIL: the distro check runs as root (chroots, piuparts)" >&2
    exit 1
fi
mkdir -p "$out" "$cache"
verdicts=()
failed=0

# Runs STEP's function, its output into build-distro/STEP.log; prints and keeps
# its verdict and time. A step whose inputs a failed step should have made is
# skipped.
step() {
    local name=$1 start status
    shift
    start=$(date +%s)
    printf '%-12s ' "$name"
    "$@" >"$out/$name.log" 2>&1
    status=$?
    local verdict="PASS ($(($(date +%s) - start)) s)"
    if [ "$status" -ne 0 ]; then
        verdict="FAIL ($(($(date +%s) - start)) s, see build-distro/$name.log)"
        failed=1
        tail -n 15 "$out/$name.log" | sed 's/^/    /'
    fi
    echo "$verdict"
    verdicts+=("$(printf '%-12s %s' "$name" "$verdict")")
    return "$status"
}
skip() {
    printf '%-12s SKIPPED (%s)\n' "$1" "$2"
    verdicts+=("$(printf '%-12s SKIPPED (%s)' "$1" "$2")")
}

# --- Subordinate ids for root, which the unshare modes map.
for file in /etc/subuid /etc/subgid; do
    if ! grep -q '^root:' "$file" 2>/dev/null; then
        echo "root:100000:65536" >>"$file"
        echo "note: added root:100000:65536 to $file (sbuild's and autopkgtest's unshare modes need it)"
    fi
done

make_source() {
    "$root/packaging/build-package.sh" "$out/source" source
}

# A chroot tarball of one mmdebstrap variant, unless a fresh enough one is kept.
chroot_tarball() {
    local variant=$1 tarball=$2
    if [ -f "$tarball" ] && [ -z "$(find "$tarball" -mtime +"${DISTRO_CHROOT_DAYS:-7}")" ]; then
        echo "kept: $tarball"
        return 0
    fi
    # mmdebstrap makes what the name's ending says: a tarball is named so.
    local partial=${tarball%.tar.gz}.partial.tar.gz
    rm -f "$tarball" "$partial"
    mmdebstrap --variant="$variant" --architectures="$arch" "$distro" "$partial" \
        "deb $mirror $distro main" "deb $mirror $distro-updates main" \
        "deb $security_mirror $distro-security main" && mv "$partial" "$tarball"
}
buildd_chroot=$cache/$distro-$arch-buildd.tar.gz
minimal_chroot=$cache/$distro-$arch-apt.tar.gz
make_chroots() {
    # sbuild's: essential packages, apt and build-essential. The testbeds'
    # (piuparts, autopkgtest): essential packages and apt alone.
    chroot_tarball buildd "$buildd_chroot" && chroot_tarball apt "$minimal_chroot"
}

run_sbuild() {
    rm -rf "$out/sbuild"
    mkdir -p "$out/sbuild"
    sbuild --chroot-mode=unshare --chroot="$buildd_chroot" --dist="$distro" --arch="$arch" \
        --jobs="$JOBS" --build-dir="$out/sbuild" --no-source-only-changes \
        --no-run-lintian --no-run-piuparts --no-run-autopkgtest \
        "$out/source/tallywick_$version.dsc" &&
        [ -f "$out/sbuild/tallywick_${version}_$arch.deb" ]
}

run_lintian() {
    bash "$root/tests/install/lintian.sh" "$out/source" "$out/sbuild"
}

run_autopkgtest() {
    rm -rf "$out/autopkgtest"
    local status=0
    # The chroot tarball keeps no package lists: --apt-upgrade fetches them (and
    # brings the testbed up to date) before the test's dependencies come.
    autopkgtest --apt-upgrade --output-dir "$out/autopkgtest" \
        "$out/sbuild/tallywick_${version}_$arch.deb" "$out/source/tallywick_$version.dsc" \
        -- unshare --release "$distro" --arch "$arch" --tarball "$minimal_chroot" || status=$?
    cat "$out/autopkgtest/summary" 2>/dev/null
    # 0: every test passed; anything else (2: some skipped, 4: some failed, ...) fails.
    return "$status"
}

# The package of an older commit, as that commit's own `make package` built
# it, given a version that sorts before this one when its own does not;
# then a local repository of it for apt.
old_commit=
make_older() {
    local base commit folder=$out/older
    commit=${DISTRO_CHECK_OLD:-}
    if [ -z "$commit" ]; then
        base=$(git -C "$root" log --diff-filter=A --format=%H -- debian/changelog | tail -n 1)
        [ -n "$base" ] || { echo "debian/changelog is in no commit yet: set DISTRO_CHECK_OLD"; return 1; }
        commit=$base^
    fi
    old_commit=$(git -C "$root" rev-parse --short "$commit") || return 1
    echo "older package from commit $old_commit"
    rm -rf "$folder"
    mkdir -p "$folder/src" "$folder/repo"
    git -C "$root" archive --format=tar "$old_commit" | tar -x -C "$folder/src" || return 1
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct "$old_commit") \
        make -C "$folder/src" package JOBS="$JOBS" || return 1
    local debs=("$folder"/src/build-package/tallywick_*_"$arch".deb)
    [ -f "${debs[0]}" ] || { echo "the older commit's make package made no package"; return 1; }
    local unpacked=$folder/unpacked old_version
    dpkg-deb --raw-extract "${debs[0]}" "$unpacked" || return 1
    old_version=$(sed -n 's/^Version: //p' "$unpacked/DEBIAN/control")
    if ! dpkg --compare-versions "$old_version" lt "$version"; then
        old_version="$old_version~git$(git -C "$root" log -1 --format=%cd --date=format:%Y%m%d "$old_commit").$old_commit"
        sed -i "s/^Version: .*/Version: $old_version/" "$unpacked/DEBIAN/control"
    fi
    dpkg-deb --root-owner-group --build "$unpacked" "$folder/repo/tallywick_${old_version}_$arch.deb" || return 1
    (cd "$folder/repo" && dpkg-scanpackages --multiversion . >Packages) || return 1
    echo "older package: tallywick $old_version"
}

run_piuparts() {
    local repo=$out/older/repo
    piuparts --basetgz="$minimal_chroot" --distribution="$distro" --mirror="$mirror main" \
        --extra-repo="deb $mirror $distro-updates main" \
        --extra-repo="deb $security_mirror $distro-security main" \
        --bindmount="$repo" --extra-repo="deb [trusted=yes] file://$repo ./" \
        "$out/sbuild/tallywick_${version}_$arch.deb" || return 1
    # Both tests ran: the install and purge, and the upgrade from the older package.
    grep -q 'PASS: Installation and purging test' "$out/piuparts.log" &&
        grep -q 'PASS: Installation, upgrade and purging tests' "$out/piuparts.log"
}

echo "distro check of tallywick $version on $distro ($arch), in build-distro/"
step source make_source
step chroots make_chroots
chroots_ready=$?
if [ -f "$out/source/tallywick_$version.dsc" ] && [ "$chroots_ready" -eq 0 ]; then
    step sbuild run_sbuild
else
    skip sbuild "no source package or no chroot"
fi
if [ -f "$out/sbuild/tallywick_${version}_$arch.deb" ] && [ "${verdicts[-1]#*PASS}" != "${verdicts[-1]}" ]; then
    step lintian run_lintian
    step autopkgtest run_autopkgtest
    if step older make_older; then
        step piuparts run_piuparts
    else
        skip piuparts "no older package"
    fi
else
    for name in lintian autopkgtest older piuparts; do skip "$name" "no package from sbuild"; done
fi

echo
echo "distro check of tallywick $version:"
printf '  %s\n' "${verdicts[@]}"
exit "$failed"
