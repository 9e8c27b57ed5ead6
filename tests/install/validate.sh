#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The installed desktop entry and AppStream file pass the freedesktop
# validators, and name the program, its icon and each other consistently.
#   validate.sh BUILD_DIR        (CMAKE_COMMAND may name cmake; EXPECTED_APPSTREAM_ID)
source "$(dirname "$0")/lib.sh"
build=$1
appstream_id=${EXPECTED_APPSTREAM_ID:?EXPECTED_APPSTREAM_ID names the id the program is published under}
prefix=$work/prefix
"${CMAKE_COMMAND:-cmake}" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$work/install.log")"

entry=$prefix/share/applications/tallywick.desktop
metainfo=$prefix/share/metainfo/$appstream_id.metainfo.xml
[ -f "$entry" ] || fail "no desktop entry installed"
[ -f "$metainfo" ] || fail "no AppStream file installed"

desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
# The whole tree: the AppStream file, and the desktop entry it launches.
appstreamcli validate-tree --no-net --no-color "$prefix" || fail "appstreamcli rejects the installed tree"

# The product's name and edition, as the title bar shows them, written into the
# entry, the AppStream file and the help text's first and last lines.
title=${EXPECTED_TITLE:?EXPECTED_TITLE names the title the main window must show}
name=${title%% *}
edition=$(sed -n 's/.* LIMITED VERSION \([^ ]*\) .*/\1/p' <<<"$title")
[ "$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Name=//p' "$entry")" = "$name" ] || fail "the entry's Name is not $name"
grep -q "<name>$name</name>" "$metainfo" || fail "the AppStream file's name is not $name"
grep -q "<p>The limited version $edition.</p>" "$metainfo" || fail "the AppStream release is not edition $edition"
help=$prefix/share/tallywick/bushelp.txt
[ "$(head -n 1 "$help")" = "$name - LIMITED VERSION $edition" ] &&
    [ "$(tail -n 2 "$help" | head -n 1)" = "$name - Limited Version $edition" ] ||
    fail "bushelp.txt does not name edition $edition in its first and last lines"

# The desktop finds the entry's icon in the installed hicolor theme, at the
# sizes a menu and a launcher ask for.
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    [ -f "$png" ] || fail "no ${size}x${size} icon $png"
    kind=$(file -b "$png")
    [[ $kind == *"PNG image data, $size x $size,"* ]] || fail "$png is not a ${size}x${size} PNG: $kind"
done

# The binary the AppStream file provides is the installed program; the entry
# starts it through the launcher, which prepares the user's lists folder.
binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
[ -x "$prefix/bin/$binary" ] || fail "the AppStream file provides [$binary], not installed in bin"
launcher=$prefix/libexec/tallywick/tallywick-launcher
[ -x "$launcher" ] || fail "no launcher installed at $launcher"
[ "$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Exec=//p' "$entry")" = "$launcher" ] ||
    fail "the entry's Exec= is not the launcher $launcher"
echo "desktop entry and AppStream file valid"
