#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The installed copy as a user of a desktop meets it. The build is installed
# under a temporary root (DESTDIR, prefix /usr, as the package lays it out)
# with the desktop entry pointed at it, for a throwaway home whose
# user-dirs.dirs names a documents folder that is a link, as it often is.
# - The menu entry, started as a desktop starts it (gio launch), runs the
#   program in Documents/TALLYWICK (read from /proc/PID/cwd), which it made
#   and filled with the four delivered files.
# - An entry appended to buslist.txt is in List1 at the next start from the
#   menu (read over the accessibility bus, as a screen reader reads it).
# - The entry's action, run as a desktop runs it, opens that folder (the
#   recording script is the file manager), putting back a deleted list first.
# - Bad cases show the launcher's message box, naming the folder and the
#   reason, and start nothing: a TALLYWICK that is a link leading nowhere, and
#   no documents folder set with a home the user may not write in.
# - The edited list is still there after the copy is installed again and
#   after it is removed.
# - Started from a terminal in a folder without lists, the program itself
#   still reports error 53, as it always has.
#   lists-folder.sh BUILD_DIR       (inside xvfb-run; CMAKE_COMMAND may name cmake)
source "$(dirname "$0")/../e2e/lib.sh"
source "$E2E_DIR/accessibility-stack.sh"
build=$1

SANDBOX=$(mktemp -d)
trap 'cleanup_sandbox' EXIT
root=$SANDBOX/root
entry=$root/usr/share/applications/tallywick.desktop
launcher=/usr/libexec/tallywick/tallywick-launcher

# Installs the build under $root, as the package would install it under /,
# and points the entry's commands there. $root/installed lists what it put
# there.
install_copy() {
    DESTDIR=$root "${CMAKE_COMMAND:-cmake}" --install "$build" --prefix /usr >"$SANDBOX/install.log" 2>&1 ||
        fail "cmake --install failed: $(cat "$SANDBOX/install.log")"
    sed -i "s|^Exec=$launcher|Exec=$root$launcher|" "$entry"
    find "$root" -type f -o -type l >"$SANDBOX/installed"
}
# Removes every file the install put there, as removing the package does.
remove_copy() {
    xargs -d '\n' rm -f -- <"$SANDBOX/installed"
    [ ! -e "$root$launcher" ] || fail "the launcher is still there after the removal"
}

install_copy
entry_value() {
    sed -n "/^\[$1\]/,/^\[/s/^$2=//p" "$entry"
}
[ "$(entry_value 'Desktop Entry' Exec)" = "$root$launcher" ] ||
    fail "the entry's Exec= is [$(entry_value 'Desktop Entry' Exec)], not the launcher $launcher"
[ -z "$(entry_value 'Desktop Entry' Path)" ] || fail "the entry still has a Path="
[ "$(entry_value 'Desktop Entry' Actions)" = "open-lists;" ] || fail "the entry has no open-lists action"
action=$(entry_value 'Desktop Action open-lists' Exec)
[ "$action" = "$root$launcher --open-folder" ] || fail "the action's Exec= is [$action]"

# The user's desktop: the recording script opens web pages, texts and
# folders; the documents folder is a link to a folder elsewhere.
bash "$E2E_DIR/xdg-sandbox.sh" "$SANDBOX"
RECORD=$SANDBOX/record.log
home=$SANDBOX/home
mkdir -p "$home" "$SANDBOX/elsewhere/My Documents" "$SANDBOX/runtime"
chmod 700 "$SANDBOX/runtime"
ln -s "$SANDBOX/elsewhere/My Documents" "$home/Documents"
echo 'XDG_DOCUMENTS_DIR="$HOME/Documents"' >"$SANDBOX/config/user-dirs.dirs"
start_window_manager
export HOME=$home XDG_CONFIG_HOME=$SANDBOX/config XDG_DATA_HOME=$SANDBOX/data
export XDG_DATA_DIRS=$SANDBOX/data XDG_RUNTIME_DIR=$SANDBOX/runtime
unset WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_CURRENT_DESKTOP
start_accessibility_stack
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
folder=$home/Documents/TALLYWICK
real_folder="$SANDBOX/elsewhere/My Documents/TALLYWICK"

# Starts the entry as the desktop's menu does; sets PROGRAM to the process
# that shows the main window, which the test then owns.
launch_from_menu() {
    gio launch "$entry" >>"$SANDBOX/app.log" 2>&1 || fail "gio launch failed"
}
program_window() {
    local main
    main=$(wait_window '^TALLYWICK -') || fail "no main window after starting the menu entry"
    PROGRAM=$(xdotool getwindowpid "$main")
    STARTED_PIDS+=("$PROGRAM")
    MAIN=$main
}
# The program is not this shell's child: once ended it may linger as a zombie
# until whoever adopted it reaps it.
program_ended() {
    ! kill -0 "$PROGRAM" 2>/dev/null || [ "$(cut -d' ' -f3 "/proc/$PROGRAM/stat" 2>/dev/null)" = Z ]
}
end_program() {
    keys_to "$MAIN" alt+x
    eventually 100 program_ended || fail "the program did not end on Alt+X"
}

# --- The first start from the menu: the folder made and filled.
launch_from_menu
program_window
[ "$(readlink "/proc/$PROGRAM/exe")" = "$root/usr/bin/tallywick" ] ||
    fail "the menu started $(readlink "/proc/$PROGRAM/exe"), not the installed program"
[ "$(readlink "/proc/$PROGRAM/cwd")" = "$real_folder" ] ||
    fail "the program runs in [$(readlink "/proc/$PROGRAM/cwd")], not in $folder"
[ "$(ls -A "$folder" | paste -sd ' ')" = "bushelp.txt buslist.txt buslistb.txt buslistc.txt" ] ||
    fail "the lists folder holds [$(ls -A "$folder" | paste -sd ' ')]"
for file in "$DELIVERED_DIR"/*; do
    cmp -s "$file" "$folder/$(basename "$file")" || fail "$(basename "$file") is not the delivered one"
done
end_program

# --- An edit shows at the next start from the menu.
printf 'Our Own Business Card\r\n' >>"$folder/buslist.txt"
edited=$(sha256sum "$folder"/*)
launch_from_menu
program_window
names=$(accessible_names "$PROGRAM")
grep -qx 'Our Own Business Card' <<<"$names" || fail "List1 does not show the appended entry"
grep -qx '13 American Express Cards' <<<"$names" || fail "List1's count is not 13"
end_program

# --- The action opens the folder, after putting back a deleted list.
rm "$folder/buslistc.txt"
read -ra command <<<"$action"
(cd "$HOME" && exec "${command[@]}") >>"$SANDBOX/app.log" 2>&1 || fail "the action's command failed"
eventually 100 has_records 1 || fail "the action opened nothing"
[ "$(recorded)" = "$folder" ] || fail "the action opened [$(recorded)], not $folder"
cmp -s "$DELIVERED_DIR/buslistc.txt" "$folder/buslistc.txt" || fail "the deleted buslistc.txt did not come back"

# --- Bad cases: the launcher's box names the folder and the reason; nothing
# starts and nothing changes. The screenshot of each box is kept in
# TALLYWICK_SCREENSHOTS, when it names a folder.
expect_box() {
    local what=$1 reason=$2 box text
    box=$(wait_window '^TALLYWICK$') || fail "$what: no message box"
    if [ -n "${TALLYWICK_SCREENSHOTS:-}" ]; then
        eventually 30 import -window "$box" "$TALLYWICK_SCREENSHOTS/launcher-$4.png"
    fi
    text=$(box_text "$box")
    [ "$text" = "TALLYWICK cannot prepare the folder of your lists:"$'\n\n'"$3"$'\n\n'"$reason" ] ||
        fail "$what: the box says [$text]"
    keys_to "$box" Return
    wait_no_window '^TALLYWICK$' || fail "$what: the box did not close"
    no_window '^TALLYWICK -' || fail "$what: the program started all the same"
}
mv "$folder" "$folder.kept"
ln -s "$SANDBOX/nowhere" "$folder"
launch_from_menu
expect_box "TALLYWICK a link that leads nowhere" "It is a link that leads nowhere." "$folder" dangling-link
rm "$folder"
mv "$folder.kept" "$folder"

# No documents folder set, and a home the user may not write in. Root may
# write anywhere, so as root the launcher runs as an ordinary user, who needs
# the display's key and folders it may enter.
locked=$SANDBOX/locked-home
mkdir -p "$locked" "$SANDBOX/empty-config"
chmod 555 "$locked"
chmod 755 "$SANDBOX" "$SANDBOX/root"
as_user=()
if [ "$(id -u)" = 0 ]; then
    (umask 077 && cp "${XAUTHORITY:?xvfb-run sets XAUTHORITY}" "$SANDBOX/xauth")
    chown nobody "$SANDBOX/xauth"
    as_user=(runuser -u nobody -- env -u DBUS_SESSION_BUS_ADDRESS -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON
        XAUTHORITY="$SANDBOX/xauth" XDG_RUNTIME_DIR=)
fi
(cd / && "${as_user[@]}" env HOME="$locked" XDG_CONFIG_HOME="$SANDBOX/empty-config" \
    gio launch "$entry") >>"$SANDBOX/app.log" 2>&1 || fail "gio launch failed for the locked home"
expect_box "no documents folder, a home that is not writable" \
    "The folder cannot be made: permission denied." "$locked/TALLYWICK" locked-home
[ -z "$(ls -A "$locked")" ] || fail "something was made in the locked home"

# --- The user's lists outlive an install again and the removal.
install_copy
[ "$(sha256sum "$folder"/*)" = "$edited" ] || fail "installing again changed the lists folder"
remove_copy
[ "$(sha256sum "$folder"/*)" = "$edited" ] || fail "the removal changed the lists folder"
grep -q 'Our Own Business Card' "$folder/buslist.txt" || fail "the edit is gone"

# --- The program from a terminal, in a folder without lists: error 53.
install_copy
TALLYWICK=$root/usr/bin/tallywick
start_app "$SANDBOX/elsewhere"
box=$(wait_window '^TALLYWICK$') || fail "no error report when started in a folder without lists"
text=$(box_text "$box")
grep -qx "Run-time error '53':" <<<"$text" || fail "the report does not give error 53: [$text]"
grep -qx "File not found: buslist.txt" <<<"$text" || fail "the report does not name buslist.txt: [$text]"
keys_to "$box" Return
wait_exit >/dev/null || fail "the program kept running after the report was confirmed"
[ "$EXIT_CODE" -eq 1 ] || fail "after the report the exit code was $EXIT_CODE, expected 1"
echo "menu entry: program in $real_folder; edit, action, two bad cases, reinstall and removal checked"
