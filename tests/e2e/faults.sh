#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Faults the real program must survive: broken list files and working
# folders, a missing or unwritable runtime folder, an opener that is
# missing, hangs or fails, and list files that fill the 64 MB bound with one
# huge entry or with 32,767 long ones. Every run ends in a report or a
# working window, never a crash or a hang.
source "$(dirname "$0")/lib.sh"

setup_sandbox
MAIN='^TALLYWICK - '
REPORT='^TALLYWICK$'

# A working folder of its own for one case, with the delivered lists.
fresh_work() {
    local folder
    folder=$(mktemp -d -p "$SANDBOX" work.XXXXXX)
    chmod 755 "$folder"
    cp "$DELIVERED_DIR"/* "$folder/"
    echo "$folder"
}

# The program started last shows its run-time error report and no window;
# Return dismisses it and the program ends with exit code 1.
expect_report() {
    local what=$1 box
    box=$(wait_window "$REPORT") || fail "$what: no error report"
    no_window "$MAIN" || fail "$what: the main window was shown"
    keys_to "$box" Return
    wait_exit >/dev/null || fail "$what: the program did not end after its report"
    [ "$EXIT_CODE" = 1 ] || fail "$what: exit code $EXIT_CODE, expected 1"
}

# The program started last shows its window; Alt+X ends it with code 0.
expect_window_then_exit() {
    local what=$1 window
    window=$(wait_window "$MAIN") || fail "$what: the window did not appear"
    keys_to "$window" alt+x
    wait_exit >/dev/null || fail "$what: Exit did not end the program"
    [ "$EXIT_CODE" = 0 ] || fail "$what: exit code $EXIT_CODE, expected 0"
}

# Root may read every file, so permission cases run as an ordinary user,
# who needs folders it may enter and the display's key: a copy that user
# alone may read, made so from the start, and gone with the sandbox.
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$SANDBOX"
    (umask 077 && cp "${XAUTHORITY:?xvfb-run sets XAUTHORITY}" "$SANDBOX/xauth")
    chown nobody "$SANDBOX/xauth"
fi
start_app_unprivileged() {
    local folder=$1
    if [ "$(id -u)" = 0 ]; then
        local runtime
        runtime=$(mktemp -d -p "$SANDBOX" runtime.XXXXXX)
        chown nobody "$runtime"
        chmod 700 "$runtime"
        runuser -u nobody -- env -i PATH="$PATH" DISPLAY="$DISPLAY" XAUTHORITY="$SANDBOX/xauth" \
            HOME="$SANDBOX" XDG_RUNTIME_DIR="$runtime" ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} \
            ${LSAN_OPTIONS:+LSAN_OPTIONS="$LSAN_OPTIONS"} \
            bash -c 'cd "$1" && exec "$2"' _ "$folder" "$TALLYWICK" >>"$SANDBOX/app.log" 2>&1 &
        APP_PID=$!
        STARTED_PIDS+=("$APP_PID")
    else
        start_app "$folder"
    fi
}

echo "list file missing (it disappeared)"
work=$(fresh_work)
rm "$work/buslistb.txt"
start_app "$work"
expect_report "missing buslistb.txt"

echo "list file replaced by a folder"
work=$(fresh_work)
rm "$work/buslist.txt" && mkdir "$work/buslist.txt"
start_app "$work"
expect_report "folder named buslist.txt"

echo "list file is a FIFO with no writer"
work=$(fresh_work)
rm "$work/buslist.txt" && mkfifo "$work/buslist.txt"
start_app "$work"
expect_report "FIFO named buslist.txt"

echo "list file is a dangling link"
work=$(fresh_work)
rm "$work/buslistc.txt" && ln -s "$work/nowhere.txt" "$work/buslistc.txt"
start_app "$work"
expect_report "dangling buslistc.txt"

echo "list file without read permission"
work=$(fresh_work)
chmod 000 "$work/buslistb.txt"
start_app_unprivileged "$work"
expect_report "unreadable buslistb.txt"

echo "working folder that cannot be read"
work=$(fresh_work)
chmod 311 "$work" # entered but not listed: the files still open by name
start_app_unprivileged "$work"
expect_window_then_exit "folder without read permission"
chmod 111 "$work/buslist.txt"
start_app_unprivileged "$work"
expect_report "list file in an unreadable folder"

# Files that give far more than any list: a sparse file of 100 GB (it takes
# no disk space and reads as zeros) and a link to /proc/self/pagemap (it
# claims no size and reads for ever). Each is refused once 64 MB are read.
# The address sanitizer keeps freed memory in quarantine, and so more of it.
most=200000
[ -z "${ASAN_OPTIONS:-}" ] || most=400000
for huge in sparse pagemap; do
    echo "list file that never ends: $huge"
    work=$(fresh_work)
    rm "$work/buslist.txt"
    if [ "$huge" = sparse ]; then
        truncate -s 100G "$work/buslist.txt"
    else
        ln -s /proc/self/pagemap "$work/buslist.txt"
    fi
    start_app "$work"
    wait_window "$REPORT" >/dev/null || fail "$huge: no report"
    peak=$(awk '/VmHWM/{print $2}' "/proc/$APP_PID/status" 2>/dev/null || echo 0)
    [ "${peak:-0}" -lt "$most" ] || fail "$huge: reading it took ${peak} kB"
    expect_report "$huge buslist.txt"
done

echo "no runtime folder (XDG_RUNTIME_DIR empty), and one that cannot be written"
work=$(fresh_work)
XDG_RUNTIME_DIR= start_app "$work"
expect_window_then_exit "no XDG_RUNTIME_DIR"
readonly_runtime=$(mktemp -d -p "$SANDBOX")
chmod 500 "$readonly_runtime"
XDG_RUNTIME_DIR=$readonly_runtime start_app_unprivileged "$work"
expect_window_then_exit "unwritable XDG_RUNTIME_DIR"

# Openers: a folder of fakes put first on the program's PATH.
fakes=$SANDBOX/fakes
mkdir -p "$fakes"
with_opener() {
    local body=$1
    printf '#!/bin/sh\n%s\n' "$body" >"$fakes/xdg-open"
    chmod 755 "$fakes/xdg-open"
}
# The program started with PATH as its search path.
start_with_path() {
    local path=$1 folder=$2
    PATH=$path start_app "$folder"
}

echo "no opener on PATH"
work=$(fresh_work)
start_with_path /nonexistent "$work"
window=$(wait_window "$MAIN") || fail "no window"
keys_to "$window" alt+b # a link: the refusal is not reported
# Handlers run one after the other: when Alt+A's first box shows, the link's
# handler has ended, and any box of its own would have come first.
keys_to "$window" Home alt+a
box=$(wait_window '^Error Message$') || fail "refused card launch not reported"
no_window 'Open URL Error' || fail "a refused link launch raised the trap"
[ "$(window_count '^Error Message$')" -eq 1 ] || fail "a refused link launch was reported"
confirm_box "$box"
box=$(wait_window '^Error Message$') || fail "second refused card launch not reported"
confirm_box "$box"
no_window '^Error Message$' || fail "a third error box showed"
kill -0 "$APP_PID" || fail "the program ended after refused launches"
end_app

echo "an opener that hangs"
work=$(fresh_work)
with_opener "echo \$\$ >'$SANDBOX/opener.pid'; exec sleep 600"
start_with_path "$fakes:$PATH" "$work"
window=$(wait_window "$MAIN") || fail "no window"
keys_to "$window" alt+b
eventually 50 test -s "$SANDBOX/opener.pid" || fail "Alt+B did not start the opener"
opener=$(cat "$SANDBOX/opener.pid")
STARTED_PIDS+=("$opener")
# The window still answers: nothing selected in List1, so Alt+A apologises.
keys_to "$window" alt+a
box=$(wait_window '^TALLYWICK$') || fail "the window stopped answering behind a hanging opener"
kill -0 "$opener" || fail "the opener ended: it was meant to hang"
confirm_box "$box"
end_app
kill "$opener"

echo "an opener that fails"
work=$(fresh_work)
with_opener "exit 4"
start_with_path "$fakes:$PATH" "$work"
window=$(wait_window "$MAIN") || fail "no window"
keys_to "$window" Home alt+a
for attempt in 1 2; do
    box=$(wait_window '^Error Message$') || fail "failed launch $attempt not reported"
    confirm_box "$box"
done
no_window '^Error Message$' || fail "a third error box showed"
kill -0 "$APP_PID" || fail "the program ended after failed launches"
end_app

echo "list files that fill the 64 MB bound, asked about by a screen reader"
source "$E2E_DIR/accessibility-stack.sh"
start_accessibility_stack
start_accessible() {
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_app "$1"
}
hear_list1() {
    heard_first_entry "$APP_PID"
}
check_bound_filling_lists start_accessible hear_list1 end_app

echo "PASS: faults"
