#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
#
# The Windows installer under Wine, in a fresh Wine prefix of this test's own:
# - it carries the program's version record and icon;
# - a silent install (/S) puts the program and the delivered files into
#   C:\Program Files\TALLYWICK, a Start-menu and a desktop shortcut whose
#   target is the program and whose working folder is its folder, and the
#   Uninstall entry with its name, publisher, version, icon, size and commands;
# - the program started through its Start-menu shortcut shows its window with
#   the counts of the delivered lists, and ends with code 0 when closed;
# - a silent reinstall with /NODESKTOP takes the desktop shortcut away, one
#   without puts it back;
# - a silent uninstall leaves no file, shortcut or key of ours.
# Environment: SETUP (the installer), PROBE (install_probe.exe), TALLYWICK
# (the program the installer packs), TALLYWICK_DELIVERED (the delivered files),
# TALLYWICK_VERSION (from project(VERSION)).
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
: "${SETUP:?}" "${PROBE:?}" "${TALLYWICK:?}" "${TALLYWICK_DELIVERED:?}" "${TALLYWICK_VERSION:?}"
# fail and eventually.
source "$(dirname "$0")/../e2e/lib.sh"

SANDBOX=$(mktemp -d)
export WINEPREFIX=$SANDBOX/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# Wine links the user's Desktop and Documents to folders of HOME: this test's own.
export HOME=$SANDBOX/home XDG_CONFIG_HOME=$SANDBOX/home/.config XDG_DATA_HOME=$SANDBOX/home/.local
mkdir -p "$HOME" "$SANDBOX/elsewhere"

cleanup() {
    # Ends every process of this prefix, and only of this one; when none is
    # left there is no server to end.
    wineserver -k 2>/dev/null || :
    rm -rf "$SANDBOX"
}
trap cleanup EXIT

win() {
    wine "$@" </dev/null 2>>"$SANDBOX/wine.log"
}

# The Unix path of a Windows path in this prefix.
unix_path() {
    win winepath -u "$1" | tr -d '\r'
}

INSTALL_DIR='C:\Program Files\TALLYWICK'
START_MENU_LINK='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\TALLYWICK.lnk'
DESKTOP_LINK='C:\users\Public\Desktop\TALLYWICK.lnk'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TALLYWICK'

# A fresh prefix, its windows left to this test rather than to a window
# manager (otherwise Wine waits for one whenever a window closes).
wineboot -u </dev/null >/dev/null 2>>"$SANDBOX/wine.log" || fail "wineboot could not make the prefix"
win reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null

# The installer shows the program's version record and icon.
setup_file=$(win winepath -w "$SETUP" | tr -d '\r')
program_file=$(win winepath -w "$TALLYWICK" | tr -d '\r')
setup_version=$(win "$PROBE" version "$setup_file") || fail "the installer has no version record"
[ "$setup_version" = "$(win "$PROBE" version "$program_file")" ] ||
    fail "the installer's version record differs from the program's: $setup_version"
grep -qxF "fileversion=$TALLYWICK_VERSION" <<<"$setup_version" ||
    fail "the installer's version is not $TALLYWICK_VERSION: $setup_version"
setup_icon=$(win "$PROBE" icon "$setup_file") || fail "the installer has no icon"
[ "$setup_icon" = "$(win "$PROBE" icon "$program_file")" ] ||
    fail "the installer's icon differs from the program's: $setup_icon"

win "$SETUP" /S || fail "the silent install failed with code $?"

# The files: the program and each delivered file, as built.
install_dir=$(unix_path "$INSTALL_DIR")
expected_files=(tallywick.exe uninstall.exe)
cmp "$TALLYWICK" "$install_dir/tallywick.exe" || fail "the installed program differs from the built one"
for file in "$TALLYWICK_DELIVERED"/*; do
    name=$(basename "$file")
    expected_files+=("$name")
    cmp "$file" "$install_dir/$name" || fail "$name was not installed as delivered"
done
installed=$(cd "$install_dir" && ls | sort)
[ "$installed" = "$(printf '%s\n' "${expected_files[@]}" | sort)" ] ||
    fail "installed files: $(echo $installed), expected: ${expected_files[*]}"

# The shortcuts: the program as target, its folder as working folder.
check_link() {
    local link=$1 facts
    [ -f "$(unix_path "$link")" ] || fail "no shortcut $link"
    facts=$(win "$PROBE" link "$link") || fail "cannot read $link"
    grep -qxF "target=$INSTALL_DIR\\tallywick.exe" <<<"$facts" ||
        fail "$link does not start the installed program: $facts"
    grep -qxF "workdir=$INSTALL_DIR" <<<"$facts" ||
        fail "$link does not start in the program's folder: $facts"
}
check_link "$START_MENU_LINK"
check_link "$DESKTOP_LINK"

# The Uninstall entry.
entry=$(win reg query "$UNINSTALL_KEY" | tr -d '\r') || fail "no Uninstall entry $UNINSTALL_KEY"
value() {
    sed -n "s/^    $1    REG_[A-Z_]*    //p" <<<"$entry"
}
[ "$(value DisplayName)" = TALLYWICK ] || fail "DisplayName: $(value DisplayName)"
[ "$(value Publisher)" = tallywick.example ] || fail "Publisher: $(value Publisher)"
[ "$(value DisplayVersion)" = "$TALLYWICK_VERSION" ] || fail "DisplayVersion: $(value DisplayVersion)"
[ "$(value DisplayIcon)" = "$INSTALL_DIR\\tallywick.exe,0" ] || fail "DisplayIcon: $(value DisplayIcon)"
[ "$(value UninstallString)" = "\"$INSTALL_DIR\\uninstall.exe\"" ] ||
    fail "UninstallString: $(value UninstallString)"
[ "$(value QuietUninstallString)" = "\"$INSTALL_DIR\\uninstall.exe\" /S" ] ||
    fail "QuietUninstallString: $(value QuietUninstallString)"
[ "$(value NoModify)" = 0x1 ] && [ "$(value NoRepair)" = 0x1 ] || fail "NoModify, NoRepair: $entry"
# The size in KB of what was installed, as Windows counts it: each file in
# whole KB, give or take one per file for the rounding.
kilobytes=$(($(value EstimatedSize)))
total=$(cat "$install_dir"/* | wc -c)
((kilobytes >= total / 1024 - ${#expected_files[@]} && kilobytes <= total / 1024 + ${#expected_files[@]})) ||
    fail "EstimatedSize $kilobytes KB for $total bytes"

# Started through the Start-menu shortcut from another folder, the program
# finds the delivered lists in its own and shows their counts.
(cd "$SANDBOX/elsewhere" && win start "$START_MENU_LINK") || fail "start could not open the shortcut"
window_shown() {
    win "$PROBE" texts 'TALLYWICK - ' >"$SANDBOX/texts"
}
eventually 300 window_shown || fail "the main window did not show: $(cat "$SANDBOX/texts" "$SANDBOX/wine.log")"
for caption in '12 American Express Cards' '20 Visa / MasterCard Cards' '25 Retail Business Cards'; do
    grep -qxF "text=$caption" "$SANDBOX/texts" || fail "no \"$caption\" in the window: $(cat "$SANDBOX/texts")"
done
closed=$(win "$PROBE" close 'TALLYWICK - ') || fail "the program could not be closed"
[ "$closed" = exitcode=0 ] || fail "the program ended with $closed"

# A reinstall with /NODESKTOP keeps the Start-menu shortcut only; one
# without brings the desktop shortcut back.
win "$SETUP" /S /NODESKTOP || fail "the silent reinstall failed with code $?"
[ ! -e "$(unix_path "$DESKTOP_LINK")" ] || fail "the desktop shortcut stayed after /NODESKTOP"
check_link "$START_MENU_LINK"
win "$SETUP" /S || fail "the second silent reinstall failed with code $?"
check_link "$DESKTOP_LINK"

# The uninstaller hands over to a copy of itself in the temporary folder and
# returns at once: wait for the copy to finish.
win "$install_dir/uninstall.exe" /S || fail "the silent uninstall failed with code $?"
entry_gone() {
    ! win reg query "$UNINSTALL_KEY" >/dev/null
}
eventually 300 entry_gone || fail "the Uninstall entry is still there"
wineserver -w
[ ! -e "$install_dir" ] || fail "left in the program's folder: $(ls -A "$install_dir")"
for link in "$START_MENU_LINK" "$DESKTOP_LINK"; do
    [ ! -e "$(unix_path "$link")" ] || fail "the shortcut $link is still there"
done
leftovers=$(find "$WINEPREFIX/drive_c" -iname '*tallywick*' -o -path '*/Temp/~nsu*' -type f)
[ -z "$leftovers" ] || fail "left after the uninstall: $leftovers"
echo "Windows installer: installed, started through its shortcut, reinstalled, uninstalled"
