#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
#
# The Windows installers under Wine, each part in a fresh Wine prefix of its
# own, with a HOME of its own (Wine links Documents, Desktop... to HOME):
#   windows-installer.sh nsis      tallywick-setup.exe
#   windows-installer.sh msi       the Windows Installer package
#   windows-installer.sh signing   the files signed with a throwaway certificate
#
# Every install kind is used as a user would: its "TALLYWICK" shortcut starts
# the program in the user's lists folder, Documents\TALLYWICK, which its first
# start fills with the three lists and bushelp.txt (the lists show, read back
# from the list boxes); a list edited there shows at the next start and stays
# through a reinstall, an upgrade and the uninstall; the "TALLYWICK lists"
# shortcut opens that folder in the file manager.
#
# nsis: the installer and the launcher carry the program's version record and
# icon; the installer asks an administrator first whether to install for all
# users or just for them; it refuses to install for all users into a folder outside Program
# Files (C:\TALLYWICK, or one that reaches it through ".."); then
# for all users (a silent install with no switch, as an administrator) and
# for the current user (/CurrentUser), one after the other in the prefix
# that the first one's uninstall left as it found it:
# - the program, its launcher and the delivered files in the users' folder;
#   Start-menu shortcuts "TALLYWICK" and "TALLYWICK lists" and a desktop
#   shortcut "TALLYWICK" of those users, to the launcher; the Uninstall entry
#   under HKLM or HKCU (and none under the other) with its name, publisher,
#   version, icon, size and commands;
# - the user's lists as above;
# - a silent reinstall with /NODESKTOP (and no switch for the users) keeps the
#   same install and takes the desktop shortcut away, one without puts it back;
# - for all users: a per-user install beside it is removed by its own
#   uninstaller and leaves the one for all users whole; the MSI, which uses
#   the same folder, refuses to install over it;
# - for the current user: a list edited in the install folder (where earlier
#   versions started the program) stays there through a reinstall and an
#   upgrade, is what the first start copies, and stays after the uninstall;
#   and Documents\TALLYWICK being a file is told in the launcher's message box,
#   read back from the box, naming the folder and the reason;
# - an upgrade to a higher version (made here, with another buslist.txt)
#   brings the new list into the install folder, not into the user's folder;
# - the quiet uninstall command of the entry leaves no file, folder or
#   registry value of ours in the prefix but the user's lists.
# msi: msiexec /i ... /qn installs the program, its launcher and the delivered
# files into Program Files\TALLYWICK (INSTALLDIR=C:\TALLYWICK on its command
# line moves nothing), the two Start-menu shortcuts to the launcher, and one
# Add/Remove entry with the version and publisher; the NSIS installer refuses
# to install for all users over it; the user's lists as above (REINSTALL=ALL
# reinstalls every file); a package of a higher version (made here, from other files)
# installed over it leaves one entry, of the new version, and the new files;
# msiexec /x leaves nothing of either but the user's lists.
# signing: with a certificate made here, the program and the launcher (signed
# by hand, with the password itself), the installer, the uninstaller it
# installs and the MSI (made as the build makes them, with the name of a file
# that holds the password) verify against it; the signed program files keep
# their hardening, and the signed program starts through its shortcut; a
# wrong password signs nothing.
#
# Every wait is for what it waits for, and fails only after a hang (HANG
# seconds), saying how long it waited.
#
# Environment: SETUP (the installer), MSI (the package), PROBE
# (install_probe.exe), TALLYWICK (the program), LAUNCHER (its launcher),
# TALLYWICK_DELIVERED (the delivered list and help files), TALLYWICK_VERSION
# (from project(VERSION)), DELIVERY (the files as the build packs them),
# DELIVERY_SETTINGS, MAKE_SETUP, MAKE_MSI (how the build makes the
# installers), SIGN (sign.sh), OBJDUMP.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
part=${1:?nsis, msi or signing}
: "${PROBE:?}" "${TALLYWICK:?}" "${LAUNCHER:?}" "${TALLYWICK_DELIVERED:?}" "${TALLYWICK_VERSION:?}"
# fail.
source "$(dirname "$0")/../e2e/lib.sh"

SANDBOX=$(mktemp -d)
export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
mkdir -p "$SANDBOX/elsewhere"

# Ends every process of the prefix in use, and only of it; when none is left
# there is no server to end.
end_prefix() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k 2>/dev/null || :
    fi
}
cleanup() {
    end_prefix
    rm -rf "$SANDBOX"
}
trap cleanup EXIT

# A Windows program's exit code reaches the shell modulo 256.
win() {
    wine "$@" </dev/null 2>>"$SANDBOX/wine.log"
}

# How long a step may take before it counts as hung: a busy machine takes
# seconds where an idle one takes a fraction of one.
HANG=180

# Waits until the command succeeds; after HANG seconds fails with WHAT and
# how long it waited.
wait_for() {
    local what=$1 start=$SECONDS
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS - start < HANG)) || fail "$what: not after $((SECONDS - start)) s"
        sleep 0.2
    done
}

# A fresh prefix, its windows left to this test rather than to a window
# manager (otherwise Wine waits for one whenever a window closes). Wine links
# the user's Desktop and Documents to folders of HOME: the prefix's own.
fresh_prefix() {
    end_prefix
    export WINEPREFIX=$SANDBOX/$1/prefix HOME=$SANDBOX/$1/home
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local
    mkdir -p "$HOME"
    wineboot -u </dev/null >/dev/null 2>>"$SANDBOX/wine.log" || fail "wineboot could not make the prefix"
    win reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    # The user's own folders, as this prefix names them; the user's lists
    # folder in Documents, and where that is on this side.
    LOCAL_APP_DATA=$(win cmd /c echo %LOCALAPPDATA% | tr -d '\r')
    APP_DATA=$(win cmd /c echo %APPDATA% | tr -d '\r')
    USER_PROFILE=$(win cmd /c echo %USERPROFILE% | tr -d '\r')
    LISTS="$USER_PROFILE\\Documents\\TALLYWICK"
    LISTS_UNIX=$(unix_path "$LISTS")
}

# The MSI, which the build makes only where wixl and msitools are installed.
need_msi() {
    [ -f "${MSI:-}" ] || fail "no MSI was built: wixl and msitools are needed"
}

# The Unix path of a Windows path in this prefix.
unix_path() {
    win winepath -u "$1" | tr -d '\r'
}

# Every file and folder of the prefix and its HOME but the system's (the
# packages Windows Installer keeps are ours, the folder it keeps them in is
# not) and the NSIS uninstaller's copies of itself (see below), and every
# registry line that names the program, once its server has written the
# registry out.
prefix_state() {
    wineserver -w
    (cd "$WINEPREFIX/.." && find home prefix/drive_c ! -path '*/drive_c/windows/*' \
        ! -path '*/Temp/~nsu*' -o -path '*/drive_c/windows/Installer/*' | sort)
    grep -i -h tallywick "$WINEPREFIX"/*.reg || :
}

# Waits until the quiet uninstall, which hands over to a copy of itself in
# the temporary folder and returns at once, has removed the entry.
entry_gone() {
    ! win reg query "$1" >/dev/null
}

check_nothing_left() {
    local before=$1 after
    after=$(prefix_state)
    [ "$after" = "$before" ] || fail "left in the prefix: $(diff <(echo "$before") <(echo "$after") | grep '^>')"
}

# The shortcut: the launcher in FOLDER as target, with ARGUMENTS, and FOLDER
# (or WORKDIR, as written) as working folder.
check_link() {
    local link=$1 folder=$2 workdir=${3:-$2} arguments=${4:-} facts
    [ -f "$(unix_path "$link")" ] || fail "no shortcut $link"
    facts=$(win "$PROBE" link "$link") || fail "cannot read $link"
    grep -qxF "target=$folder\\tallywick-launcher.exe" <<<"$facts" ||
        fail "$link does not start the installed launcher: $facts"
    grep -qxF "workdir=$workdir" <<<"$facts" || fail "$link does not start in the program's folder: $facts"
    grep -qxF "arguments=$arguments" <<<"$facts" || fail "$link does not pass \"$arguments\": $facts"
}

# The Start-menu shortcuts of the program and of the lists folder in MENU,
# to the launcher in FOLDER, starting in WORKDIR.
check_menu_links() {
    local menu=$1 folder=$2 workdir=${3:-$2}
    check_link "$menu\\TALLYWICK.lnk" "$folder" "$workdir"
    check_link "$menu\\TALLYWICK lists.lnk" "$folder" "$workdir" --open-folder
}

# The program, its launcher and each delivered file in FOLDER as built, and
# OTHERS beside them.
check_files() {
    local folder=$1 name installed expected=(tallywick.exe tallywick-launcher.exe)
    shift
    folder=$(unix_path "$folder")
    cmp "$TALLYWICK" "$folder/tallywick.exe" || fail "the installed program differs from the built one"
    cmp "$LAUNCHER" "$folder/tallywick-launcher.exe" || fail "the installed launcher differs from the built one"
    for file in "$TALLYWICK_DELIVERED"/*; do
        name=$(basename "$file")
        expected+=("$name")
        cmp "$file" "$folder/$name" || fail "$name was not installed as delivered"
    done
    expected+=("$@")
    installed=$(cd "$folder" && ls | sort)
    [ "$installed" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
        fail "installed files: $(echo $installed), expected: ${expected[*]}"
}

# The values of a registry key, one "name<TAB>value" a line.
key_values() {
    win reg query "$1" | tr -d '\r' | sed -n 's/^    \(.*\)    REG_[A-Z_]*    \(.*\)$/\1\t\2/p'
}

value() {
    sed -n "s/^$1\t//p" <<<"$2"
}

main_window_shown() {
    win "$PROBE" texts 'TALLYWICK - ' >"$SANDBOX/texts"
}

# The main window, or a box of the launcher's (titled TALLYWICK alone).
window_or_box_shown() {
    main_window_shown || win "$PROBE" texts TALLYWICK >"$SANDBOX/texts"
}

# Starts the shortcut LINK as Explorer does, from another folder, and waits
# for the main window or a message box; sets SHOWN to window or box and
# leaves its texts in $SANDBOX/texts.
start_shortcut() {
    local link=$1
    (cd "$SANDBOX/elsewhere" && win start /unix "$(unix_path "$link")") || fail "start could not open $link"
    wait_for "no window after starting $link" window_or_box_shown
    SHOWN=box
    if grep -q '^title=TALLYWICK - ' "$SANDBOX/texts"; then
        SHOWN=window
    fi
}

# Started through its shortcut LINK, the program shows its window with
# lists of COUNT1, COUNT2 and COUNT3 entries, read back from its list boxes
# (the first entry of each delivered list, and LAST at the end of List2 when
# given), and their counts; it ends with code 0 when closed.
check_starts() {
    local link=$1 count1=${2:-12} count2=${3:-20} count3=${4:-25} last=${5:-} caption n count closed
    start_shortcut "$link"
    [ "$SHOWN" = window ] || fail "$link showed a box: $(cat "$SANDBOX/texts")"
    for caption in "$count1 American Express Cards" "$count2 Visa / MasterCard Cards" \
        "$count3 Retail Business Cards"; do
        grep -qxF "text=$caption" "$SANDBOX/texts" || fail "no \"$caption\" in the window: $(cat "$SANDBOX/texts")"
    done
    win "$PROBE" lists 'TALLYWICK - ' >"$SANDBOX/lists" || fail "the list boxes could not be read"
    for n in 1:"$count1" 2:"$count2" 3:"$count3"; do
        count=$(grep -c "^list${n%%:*}=" "$SANDBOX/lists" || :)
        [ "$count" = "${n#*:}" ] || fail "List${n%%:*} holds $count entries, not ${n#*:}"
    done
    [ "$(grep -m1 '^list1=' "$SANDBOX/lists")" = 'list1=American Express Business Gold Card' ] &&
        [ "$(grep -m1 '^list3=' "$SANDBOX/lists")" = 'list3=The Home Depot Commercial Revolving Charge Card' ] ||
        fail "the delivered entries do not show: $(head -3 "$SANDBOX/lists")"
    if [ -n "$last" ]; then
        [ "$(grep '^list2=' "$SANDBOX/lists" | tail -n 1)" = "list2=$last" ] ||
            fail "List2 does not end with $last: $(grep '^list2=' "$SANDBOX/lists" | tail -n 2)"
    fi
    closed=$(win "$PROBE" close 'TALLYWICK - ') || fail "the program could not be closed"
    [ "$closed" = exitcode=0 ] || fail "the program ended with $closed"
}

# The user's lists folder holds the three lists and the help text, each as
# in FOLDER (a Unix path), and nothing else.
check_user_folder() {
    local from=$1 name
    [ -d "$LISTS_UNIX" ] || fail "no lists folder $LISTS"
    for name in buslist.txt buslistb.txt buslistc.txt bushelp.txt; do
        cmp "$from/$name" "$LISTS_UNIX/$name" || fail "$LISTS\\$name is not as in $from"
    done
    [ "$(cd "$LISTS_UNIX" && ls -A | sort | paste -sd ' ')" = "bushelp.txt buslist.txt buslistb.txt buslistc.txt" ] ||
        fail "the lists folder holds: $(ls -A "$LISTS_UNIX")"
}

# A user's entry, as Notepad saves it; its copy of the folder, to compare.
USER_ENTRY="A card of my own"
edit_user_list() {
    printf '%s\r\n' "$USER_ENTRY" >>"$LISTS_UNIX/buslistb.txt"
    rm -rf "$SANDBOX/user-lists"
    cp -a "$LISTS_UNIX" "$SANDBOX/user-lists"
}
user_lists_kept() {
    diff -r "$SANDBOX/user-lists" "$LISTS_UNIX" >/dev/null || fail "$1 changed the user's lists folder"
}

# An Explorer of this prefix shows FOLDER.
folder_opened() {
    local pid args
    while read -r pid args; do
        [[ "${args//\"/}" == *"explorer.exe $1" ]] || continue
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
    done < <(ps -eo pid=,args=)
    return 1
}

# The lists shortcut in MENU opens the user's lists folder in the file
# manager, making and filling it first when it is missing.
check_opens_folder() {
    local menu=$1
    win start /unix "$(unix_path "$menu\\TALLYWICK lists.lnk")" || fail "start could not open the lists shortcut"
    wait_for "the lists shortcut opened no file manager on $LISTS" folder_opened "$LISTS"
    # Its window is titled with the folder's name.
    wait_for "the file manager shows no window" win "$PROBE" texts TALLYWICK
    win "$PROBE" close TALLYWICK >/dev/null || fail "the file manager's window could not be closed"
}

# One NSIS install for USERS (all or current), made by the installer started
# with SWITCHES, checked, used, reinstalled, upgraded and removed.
nsis_install() {
    local users=$1 hive other_hive folder menu start_menu desktop key entry kilobytes total before
    shift
    if [ "$users" = all ]; then
        hive=HKLM other_hive=HKCU
        folder='C:\Program Files\TALLYWICK'
        menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
        desktop='C:\users\Public\Desktop\TALLYWICK.lnk'
    else
        hive=HKCU other_hive=HKLM
        folder="$LOCAL_APP_DATA\\Programs\\TALLYWICK"
        menu="$APP_DATA\\Microsoft\\Windows\\Start Menu\\Programs"
        desktop="$USER_PROFILE\\Desktop\\TALLYWICK.lnk"
    fi
    start_menu="$menu\\TALLYWICK.lnk"
    key="$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TALLYWICK"
    before=$(prefix_state)

    win "$SETUP" /S "$@" || fail "the silent install for $users users ($*) failed with code $?"
    check_files "$folder" uninstall.exe
    check_menu_links "$menu" "$folder"
    check_link "$desktop" "$folder"

    entry=$(key_values "$key") || fail "no Uninstall entry $key"
    ! win reg query "$other_hive\\${key#*\\}" >/dev/null 2>&1 || fail "an Uninstall entry under $other_hive too"
    [ "$(value DisplayName "$entry")" = TALLYWICK ] || fail "DisplayName: $entry"
    [ "$(value Publisher "$entry")" = tallywick.example ] || fail "Publisher: $entry"
    [ "$(value DisplayVersion "$entry")" = "$TALLYWICK_VERSION" ] || fail "DisplayVersion: $entry"
    [ "$(value DisplayIcon "$entry")" = "$folder\\tallywick.exe,0" ] || fail "DisplayIcon: $entry"
    [ "$(value InstallLocation "$entry")" = "$folder" ] || fail "InstallLocation: $entry"
    [ "$(value UninstallString "$entry")" = "\"$folder\\uninstall.exe\"" ] || fail "UninstallString: $entry"
    [ "$(value QuietUninstallString "$entry")" = "\"$folder\\uninstall.exe\" /S" ] ||
        fail "QuietUninstallString: $entry"
    [ "$(value NoModify "$entry")" = 0x1 ] && [ "$(value NoRepair "$entry")" = 0x1 ] ||
        fail "NoModify, NoRepair: $entry"
    # The size in KB of what was installed, as Windows counts it: each file in
    # whole KB, give or take one per file for the rounding.
    kilobytes=$(($(value EstimatedSize "$entry")))
    total=$(cat "$(unix_path "$folder")"/* | wc -c)
    ((kilobytes >= total / 1024 - 7 && kilobytes <= total / 1024 + 7)) ||
        fail "EstimatedSize $kilobytes KB for $total bytes"

    local installed_lists="$TALLYWICK_DELIVERED"
    if [ "$users" = current ]; then
        # The user's own lists folder cannot be made: the launcher says so in
        # its box, naming the folder and why, and starts nothing.
        touch "$LISTS_UNIX"
        start_shortcut "$start_menu"
        [ "$SHOWN" = box ] || fail "Documents\\TALLYWICK as a file: the program started"
        grep -qxF "$LISTS" "$SANDBOX/texts" && grep -q "There is a file of that name" "$SANDBOX/texts" ||
            fail "the box does not name the folder and the reason: $(cat "$SANDBOX/texts")"
        [ "$(win "$PROBE" close TALLYWICK)" = exitcode=1 ] || fail "the launcher did not end with 1"
        rm "$LISTS_UNIX"
        # A list edited in the install folder, where earlier versions started
        # the program, stays there through a reinstall, and is what the first
        # start copies.
        installed_lists=$SANDBOX/installed-lists
        cp -r "$TALLYWICK_DELIVERED" "$installed_lists"
        printf '%s\r\n' "Edited in the install folder" >>"$installed_lists/buslist.txt"
        cp "$installed_lists/buslist.txt" "$(unix_path "$folder")/buslist.txt"
        win "$SETUP" /S || fail "the silent reinstall failed with code $?"
        cmp "$installed_lists/buslist.txt" "$(unix_path "$folder")/buslist.txt" ||
            fail "the reinstall overwrote the list edited in the install folder"
        check_starts "$start_menu" 13
    else
        check_starts "$start_menu"
    fi
    # The first start filled the user's folder; an edit there shows next time.
    check_user_folder "$installed_lists"
    edit_user_list
    check_starts "$desktop" "$([ "$users" = current ] && echo 13 || echo 12)" 21 25 "$USER_ENTRY"

    # Installing again, with no switch for the users, updates this install.
    win "$SETUP" /S /NODESKTOP || fail "the silent reinstall failed with code $?"
    [ ! -e "$(unix_path "$desktop")" ] || fail "the desktop shortcut stayed after /NODESKTOP"
    check_menu_links "$menu" "$folder"
    ! win reg query "$other_hive\\${key#*\\}" >/dev/null 2>&1 || fail "the reinstall made a second install"
    win "$SETUP" /S || fail "the second silent reinstall failed with code $?"
    check_link "$desktop" "$folder"
    user_lists_kept "Reinstalling"

    if [ "$users" = all ]; then
        # A per-user install beside it is removed by its own uninstaller, as
        # an administrator, and this one stays whole.
        win "$SETUP" /S /CurrentUser || fail "the per-user install beside it failed with code $?"
        local user_folder="$LOCAL_APP_DATA\\Programs\\TALLYWICK"
        local user_key="HKCU\\${key#*\\}"
        check_files "$user_folder" uninstall.exe
        win "$(unix_path "$user_folder")/uninstall.exe" /S || fail "the per-user uninstall failed with code $?"
        wait_for "the per-user Uninstall entry is still there" entry_gone "$user_key"
        wineserver -w
        [ ! -e "$(unix_path "$user_folder")" ] || fail "the per-user folder is still there"
        [ ! -e "$(unix_path "$APP_DATA\\Microsoft\\Windows\\Start Menu\\Programs\\TALLYWICK.lnk")" ] ||
            fail "the per-user Start-menu shortcut is still there"
        check_files "$folder" uninstall.exe
        check_menu_links "$menu" "$folder"
        check_link "$desktop" "$folder"
        win reg query "$key" >/dev/null || fail "removing the per-user install took the entry for all users"

        # The MSI, which uses the same folder, is not installed over it.
        local code=0
        win msiexec /i "$(win winepath -w "$MSI" | tr -d '\r')" /qn || code=$?
        [ "$code" -eq $((1603 & 255)) ] || fail "msiexec /i over the install for all users ended with $code"
        msi_entry
        [ "$(value DisplayVersion "$entry")" = "$TALLYWICK_VERSION" ] || fail "the entry changed: $entry"
        check_files "$folder" uninstall.exe
    fi

    # An upgrade brings its new list into the install folder, for new users;
    # the user's folder stays as it is, and so does a list the user edited in
    # the install folder.
    win "$NEWER_SETUP" /S || fail "the upgrade to $NEWER_VERSION failed with code $?"
    [ "$(value DisplayVersion "$(key_values "$key")")" = "$NEWER_VERSION" ] || fail "no upgrade to $NEWER_VERSION"
    if [ "$users" = current ]; then
        cmp "$installed_lists/buslist.txt" "$(unix_path "$folder")/buslist.txt" ||
            fail "the upgrade overwrote the list edited in the install folder"
    else
        cmp "$NEWER_DELIVERY/buslist.txt" "$(unix_path "$folder")/buslist.txt" ||
            fail "the upgrade did not bring its new buslist.txt"
    fi
    user_lists_kept "Upgrading"
    check_opens_folder "$menu"
    user_lists_kept "Opening the folder"

    # The entry's own quiet uninstall command, as "Apps & features" runs it.
    edit_user_list
    local command
    command=$(value QuietUninstallString "$(key_values "$key")")
    [ "$command" = "\"$folder\\uninstall.exe\" /S" ] || fail "QuietUninstallString: $command"
    win "$(unix_path "$folder")/uninstall.exe" /S || fail "the silent uninstall failed with code $?"
    wait_for "the Uninstall entry is still there" entry_gone "$key"
    wineserver -w
    user_lists_kept "Uninstalling"
    if [ "$users" = current ]; then
        # The list the user edited in the install folder is theirs, and stays.
        [ "$(cd "$(unix_path "$folder")" && ls -A)" = buslist.txt ] ||
            fail "the uninstall left: $(ls -A "$(unix_path "$folder")")"
        cmp "$installed_lists/buslist.txt" "$(unix_path "$folder")/buslist.txt" ||
            fail "the uninstall changed the list edited in the install folder"
        rm -r "$(unix_path "$folder")"
        # The folder of the user's programs, which the uninstaller leaves
        # while it holds anything.
        if ! grep -q '/AppData/Local/Programs$' <<<"$before"; then
            rmdir "$(unix_path "$LOCAL_APP_DATA\\Programs")"
        fi
    fi
    # The user's lists are all that is left; a new user comes next.
    rm -r "$LISTS_UNIX"
    check_nothing_left "$before"
    check_uninstaller_copies_go
}

# The uninstaller runs from a copy of itself in the temporary folder, which
# cannot delete itself: it leaves it to Windows to delete at the next
# restart. Each copy left must be on that list.
check_uninstaller_copies_go() {
    local copy name pending
    pending=$(sed -n '/"PendingFileRenameOperations"/,+20p' "$WINEPREFIX/system.reg" | tr -d '\n\\')
    while IFS= read -r copy; do
        name=${copy#*/drive_c/}
        grep -qiF "C:${name//\//}" <<<"$pending" || fail "$copy stays, even after a restart"
    done < <(find "$WINEPREFIX/drive_c" -path '*/Temp/~nsu*' -type f)
}

nsis_part() {
    : "${SETUP:?}"
    need_msi
    local setup_file program_file launcher_file setup_version setup_icon
    # One prefix for all: each install's uninstall leaves it as it found it.
    fresh_prefix nsis
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
    # So does the launcher, whose icon the shortcuts show.
    launcher_file=$(win winepath -w "$LAUNCHER" | tr -d '\r')
    [ "$(win "$PROBE" version "$launcher_file")" = "$setup_version" ] ||
        fail "the launcher's version record differs: $(win "$PROBE" version "$launcher_file")"
    [ "$(win "$PROBE" icon "$launcher_file")" = "$setup_icon" ] || fail "the launcher's icon differs"

    # Started by an administrator without /S, it first asks for which users.
    # (cleanup ends it with the prefix's server should the test fail)
    win "$SETUP" &
    # The page fills in after its window shows.
    users_page_shown() {
        win "$PROBE" texts 'TALLYWICK Setup' >"$SANDBOX/texts" &&
            grep -qxF 'text=Install for anyone using this computer' "$SANDBOX/texts" &&
            grep -qxF 'text=Install just for me' "$SANDBOX/texts"
    }
    wait_for "the installer's first page does not offer both choices" users_page_shown
    win "$PROBE" close 'TALLYWICK Setup' >/dev/null || fail "the installer did not end when closed"

    # For all users, no folder outside Program Files: it would take the
    # permissions of its parent. Refused, in silent mode in the exit code,
    # with nothing installed. (Wine has no file permissions to show.)
    local before refused code
    before=$(prefix_state)
    for refused in 'C:\TALLYWICK' 'C:\Program Files\..\TALLYWICK'; do
        code=0
        # /D= takes the rest of the command line, unquoted: Wine quotes an
        # argument with a space in it and joins the arguments with spaces.
        win "$SETUP" /S /AllUsers /D=$refused || code=$?
        [ "$code" -eq $((267 & 255)) ] || fail "the install for all users into $refused ended with $code"
    done
    check_nothing_left "$before"

    # The upgrade: a higher version, from the same files with another list.
    NEWER_VERSION=$(awk -F. -v OFS=. '{ $3 += 1; print }' <<<"$TALLYWICK_VERSION")
    NEWER_DELIVERY=$SANDBOX/newer
    NEWER_SETUP=$SANDBOX/newer-setup.exe
    cp -r "$DELIVERY" "$NEWER_DELIVERY"
    printf '%s\r\n' "A card of the newer version" >>"$NEWER_DELIVERY/buslist.txt"
    cmake -DSETTINGS="$DELIVERY_SETTINGS" -DFOLDER="$NEWER_DELIVERY" -DVERSION="$NEWER_VERSION" \
        -DOUTPUT="$NEWER_SETUP" -P "$MAKE_SETUP" >"$SANDBOX/make-setup.log" 2>&1 ||
        fail "could not make the installer of version $NEWER_VERSION: $(cat "$SANDBOX/make-setup.log")"

    nsis_install all
    nsis_install current /CurrentUser
    echo "NSIS installer: for all users and for the current user, installed, started in the user's lists folder, reinstalled, upgraded, uninstalled"
}

# The one Add/Remove entry named TALLYWICK: sets entry to its values.
msi_entry() {
    local keys
    keys=$(win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
        awk '/^HKEY/ { key = $0 } /^    DisplayName    REG_SZ    TALLYWICK$/ { print key }')
    [ -n "$keys" ] || fail "no Add/Remove entry named TALLYWICK"
    [ "$(wc -l <<<"$keys")" -eq 1 ] || fail "more than one Add/Remove entry: $keys"
    entry=$(key_values "$keys")
}

msi_part() {
    : "${SETUP:?}" "${DELIVERY:?}" "${DELIVERY_SETTINGS:?}" "${MAKE_MSI:?}"
    need_msi
    local folder='C:\Program Files\TALLYWICK' before menu menus=() newer newer_folder
    fresh_prefix msi
    before=$(prefix_state)
    # Asked for another folder, as a public property would take it, it still
    # installs into Program Files.
    win msiexec /i "$(win winepath -w "$MSI" | tr -d '\r')" /qn 'INSTALLDIR=C:\TALLYWICK' ||
        fail "msiexec /i failed with code $?: $(tail -5 "$SANDBOX/wine.log")"
    check_files "$folder"
    [ ! -e "$(unix_path 'C:\TALLYWICK')" ] || fail "INSTALLDIR on the command line moved the install"
    # Windows puts a per-machine package's Start-menu shortcuts into the menu
    # of all users; Wine 8 into the installing user's.
    for menu in 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' \
        "$APP_DATA\\Microsoft\\Windows\\Start Menu\\Programs"; do
        [ -e "$(unix_path "$menu\\TALLYWICK.lnk")" ] && menus+=("$menu")
    done
    [ "${#menus[@]}" -eq 1 ] || fail "Start menus with the shortcut: ${menus[*]:-none}"
    menu=${menus[0]}
    # Windows Installer writes folders with a closing backslash.
    check_menu_links "$menu" "$folder" "$folder\\"
    msi_entry
    [ "$(value DisplayName "$entry")" = TALLYWICK ] || fail "DisplayName: $entry"
    [[ "$(value UninstallString "$entry")" == MsiExec.exe\ /X{*} ]] || fail "UninstallString: $entry"
    [ "$(value DisplayVersion "$entry")" = "$TALLYWICK_VERSION" ] || fail "DisplayVersion: $entry"
    [ "$(value Publisher "$entry")" = tallywick.example ] || fail "Publisher: $entry"

    # The setup program does not install for all users over it, in the same
    # folder: it says so in its exit code.
    local code=0
    win "$SETUP" /S || code=$?
    [ "$code" -eq $((1638 & 255)) ] || fail "tallywick-setup.exe /S over the MSI ended with $code"
    check_files "$folder"
    ! win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TALLYWICK' >/dev/null 2>&1 ||
        fail "tallywick-setup.exe made an Uninstall entry beside the MSI's"

    # The lists shortcut makes and fills the user's folder before any start,
    # and opens it; the program starts in it, and shows an edit made there
    # after a reinstall.
    check_opens_folder "$menu"
    check_user_folder "$TALLYWICK_DELIVERED"
    check_starts "$menu\\TALLYWICK.lnk"
    edit_user_list
    # Every file again, as a repair does.
    win msiexec /i "$(win winepath -w "$MSI" | tr -d '\r')" REINSTALL=ALL REINSTALLMODE=amus /qn ||
        fail "reinstalling with msiexec failed with code $?"
    user_lists_kept "Reinstalling"
    check_starts "$menu\\TALLYWICK.lnk" 12 21 25 "$USER_ENTRY"

    # A higher version, from the same sources with another list, replaces it.
    newer=$(awk -F. -v OFS=. '{ $3 += 1; print }' <<<"$TALLYWICK_VERSION")
    newer_folder=$SANDBOX/newer
    cp -r "$DELIVERY" "$newer_folder"
    printf '%s\r\n' "A card of the newer version" >>"$newer_folder/buslist.txt"
    cmake -DSETTINGS="$DELIVERY_SETTINGS" -DFOLDER="$newer_folder" -DVERSION="$newer" \
        -DOUTPUT="$SANDBOX/newer.msi" -P "$MAKE_MSI" >"$SANDBOX/make-msi.log" 2>&1 ||
        fail "could not make the package of version $newer: $(cat "$SANDBOX/make-msi.log")"
    win msiexec /i "$(win winepath -w "$SANDBOX/newer.msi" | tr -d '\r')" /qn ||
        fail "msiexec /i of version $newer failed with code $?"
    msi_entry
    [ "$(value DisplayVersion "$entry")" = "$newer" ] || fail "after the upgrade: $entry"
    cmp "$newer_folder/buslist.txt" "$(unix_path "$folder")/buslist.txt" ||
        fail "the upgrade did not install the newer buslist.txt"
    check_menu_links "$menu" "$folder" "$folder\\"
    user_lists_kept "Upgrading"

    win msiexec /x "$(win winepath -w "$SANDBOX/newer.msi" | tr -d '\r')" /qn ||
        fail "msiexec /x failed with code $?"
    user_lists_kept "Removing"
    rm -r "$LISTS_UNIX"
    check_nothing_left "$before"
    echo "MSI: installed, started in the user's lists folder, reinstalled, upgraded in place to $newer, removed"
}

signing_part() {
    : "${DELIVERY:?}" "${DELIVERY_SETTINGS:?}" "${MAKE_SETUP:?}" "${MAKE_MSI:?}" "${SIGN:?}" "${OBJDUMP:?}"
    need_msi
    command -v osslsigncode >/dev/null && command -v openssl >/dev/null ||
        fail "osslsigncode and openssl are needed"
    local signed=$SANDBOX/signed file before
    # A code-signing certificate of this test's own, with a password that a
    # shell would split or expand, saved in a file as an editor saves it.
    local password='a "pass", word $HOME'
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$SANDBOX/key.pem" -out "$SANDBOX/cert.pem" \
        -days 2 -subj "/CN=TALLYWICK test signing" -addext "keyUsage=digitalSignature" \
        -addext "extendedKeyUsage=codeSigning" >"$SANDBOX/openssl.log" 2>&1 ||
        fail "openssl could not make the certificate: $(cat "$SANDBOX/openssl.log")"
    printf '%s\n' "$password" >"$SANDBOX/password"
    openssl pkcs12 -export -inkey "$SANDBOX/key.pem" -in "$SANDBOX/cert.pem" \
        -out "$SANDBOX/cert.pfx" -passout file:"$SANDBOX/password" || fail "openssl pkcs12 failed"
    # The build has the password file's name only.
    export TALLYWICK_SIGN_PFX=$SANDBOX/cert.pfx TALLYWICK_SIGN_PASSWORD_FILE=$SANDBOX/password
    unset TALLYWICK_SIGN_PASSWORD TALLYWICK_SIGN_TIMESTAMP_URL

    # Signed as the build signs: the program files first (here by hand, with
    # the password itself), then what packs them.
    cp -r "$DELIVERY" "$signed"
    TALLYWICK_SIGN_PASSWORD_FILE='' TALLYWICK_SIGN_PASSWORD=$password "$SIGN" TALLYWICK \
        "$signed/tallywick.exe" "$signed/tallywick-launcher.exe" || fail "sign.sh could not sign the program files"
    cmake -DSETTINGS="$DELIVERY_SETTINGS" -DFOLDER="$signed" -DVERSION="$TALLYWICK_VERSION" \
        -DOUTPUT="$SANDBOX/setup.exe" -DSIGN=ON -P "$MAKE_SETUP" >"$SANDBOX/make.log" 2>&1 ||
        fail "could not make the signed installer: $(cat "$SANDBOX/make.log")"
    cmake -DSETTINGS="$DELIVERY_SETTINGS" -DFOLDER="$signed" -DVERSION="$TALLYWICK_VERSION" \
        -DOUTPUT="$SANDBOX/package.msi" -DSIGN=ON -P "$MAKE_MSI" >"$SANDBOX/make.log" 2>&1 ||
        fail "could not make the signed package: $(cat "$SANDBOX/make.log")"
    for file in "$signed/tallywick.exe" "$signed/tallywick-launcher.exe" "$SANDBOX/setup.exe" \
        "$SANDBOX/package.msi"; do
        osslsigncode verify -CAfile "$SANDBOX/cert.pem" -in "$file" >"$SANDBOX/verify.log" 2>&1 ||
            fail "$(basename "$file") does not verify: $(cat "$SANDBOX/verify.log")"
    done
    for file in "$signed/tallywick.exe" "$signed/tallywick-launcher.exe"; do
        bash "$(dirname "$0")/../security/pe-hardening.sh" "$OBJDUMP" "$file" >/dev/null ||
            fail "the signed $(basename "$file") lost its hardening"
    done

    # The signed installer installs the signed program and a signed
    # uninstaller, and the program starts.
    fresh_prefix signing
    win "$SANDBOX/setup.exe" /S || fail "the signed installer failed with code $?"
    local folder='C:\Program Files\TALLYWICK'
    cmp "$signed/tallywick.exe" "$(unix_path "$folder")/tallywick.exe" &&
        cmp "$signed/tallywick-launcher.exe" "$(unix_path "$folder")/tallywick-launcher.exe" ||
        fail "the signed installer did not install the signed program files"
    osslsigncode verify -CAfile "$SANDBOX/cert.pem" -in "$(unix_path "$folder")/uninstall.exe" \
        >"$SANDBOX/verify.log" 2>&1 || fail "the uninstaller does not verify: $(cat "$SANDBOX/verify.log")"
    check_starts 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\TALLYWICK.lnk'

    # A wrong password signs nothing and says so.
    cp "$DELIVERY/tallywick.exe" "$SANDBOX/unsigned.exe"
    printf 'wrong\n' >"$SANDBOX/wrong-password"
    ! TALLYWICK_SIGN_PASSWORD_FILE=$SANDBOX/wrong-password "$SIGN" TALLYWICK "$SANDBOX/unsigned.exe" \
        2>"$SANDBOX/wrong.log" || fail "sign.sh succeeded with a wrong password"
    cmp "$DELIVERY/tallywick.exe" "$SANDBOX/unsigned.exe" || fail "a failed signing changed the file"
    [ -z "$(ls "$SANDBOX"/unsigned.exe.* 2>/dev/null)" ] || fail "a failed signing left files behind"
    echo "Signing: the program, installer, uninstaller and MSI verify; the signed program starts"
}

case $part in
nsis) nsis_part ;;
msi) msi_part ;;
signing) signing_part ;;
*) fail "no part $part: nsis, msi or signing" ;;
esac
