#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The AppStream file, as the build configures it, passes the validator's
# pedantic checks without the network. Two hints concern the component ID the
# program is published under, and are expected: its domain is the reserved
# .example (a top-level domain the validator does not know), and its last part
# is capitalised. Any other message fails. The file is named by that ID, and
# gives it.
#   appstream.sh FOLDER VERSION        (EXPECTED_APPSTREAM_ID: the ID)
set -euo pipefail
id=${EXPECTED_APPSTREAM_ID:?EXPECTED_APPSTREAM_ID names the id the program is published under}
metainfo=$1/$id.metainfo.xml
version=$2
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[ -f "$metainfo" ] || fail "no AppStream file at $metainfo"
status=0
output=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1) || status=$?
echo "$output"
[ "$status" -eq 0 ] || fail "appstreamcli rejects $metainfo ($status)"
expected='^[IP]: [^ ]+: (cid-maybe-not-rdns|cid-contains-uppercase-letter) '
unexpected=$(grep -E '^[EWIP]: ' <<<"$output" | grep -Ev "$expected" || [ $? -eq 1 ])
[ -z "$unexpected" ] || fail "appstreamcli says more than the expected ID hints:
$unexpected"

# What a software centre shows: the licences, the launchable entry, this
# release, the developer, a content rating and a captioned screenshot.
element() {
    sed -n "s:.*<$1>\\(.*\\)</$1>.*:\\1:p" "$metainfo"
}
[ "$(element id)" = "$id" ] || fail "id: [$(element id)], expected [$id]"
[ "$(element project_license)" = MIT ] || fail "project_license: [$(element project_license)]"
[ "$(element metadata_license)" = MIT ] || fail "metadata_license: [$(element metadata_license)]"
grep -q '<launchable type="desktop-id">tallywick.desktop</launchable>' "$metainfo" ||
    fail "no launchable tallywick.desktop"
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\">" "$metainfo" ||
    fail "no dated release $version"
[ -n "$(element developer_name)" ] || fail "no developer"
grep -q '<content_rating type="oars-1.1">' "$metainfo" || fail "no OARS content rating"
[ -n "$(element caption)" ] && grep -q '<image>https://' "$metainfo" ||
    fail "no screenshot with a caption"
echo "AppStream file valid for release $version"
