#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# debian/copyright, which the package installs as its copyright file, says
# what REUSE says of the source tree: the same copyright holders and the same
# licences, these by their Debian names (MIT is Debian's Expat).
#   debian-copyright.sh SOURCE_DIR        (REUSE may name the reuse tool)
set -euo pipefail
source_dir=$1
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

spdx=$("${REUSE:-reuse}" --root "$source_dir" spdx) || fail "reuse spdx failed"
reuse_holders=$(sed -n 's/^FileCopyrightText: <text>\(SPDX-FileCopyrightText: \)\{0,1\}\(.*\)<\/text>$/\2/p' <<<"$spdx" |
    sort -u)
reuse_licences=$(sed -n 's/^LicenseInfoInFile: //p' <<<"$spdx" | sed 's/^MIT$/Expat/' | sort -u)
debian_holders=$(sed -n 's/^Copyright: //p' "$source_dir/debian/copyright" | sort -u)
debian_licences=$(sed -n 's/^License: //p' "$source_dir/debian/copyright" | sort -u)
[ "$reuse_holders" = "$debian_holders" ] || fail "copyright holders differ (REUSE, then debian/copyright):
$(diff <(echo "$reuse_holders") <(echo "$debian_holders") || [ $? -eq 1 ])"
[ "$reuse_licences" = "$debian_licences" ] || fail "licences differ (REUSE, then debian/copyright):
$(diff <(echo "$reuse_licences") <(echo "$debian_licences") || [ $? -eq 1 ])"
echo "debian/copyright agrees with REUSE: $(paste -sd ';' <<<"$debian_holders"), $(paste -sd ' ' <<<"$debian_licences")"
