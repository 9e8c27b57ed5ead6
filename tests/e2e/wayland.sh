#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The program on Wayland: a headless Weston of the test's own, and the program
# started on it with QT_QPA_PLATFORM=wayland in a folder of the delivered
# lists. Its window shows and it stays up; a second copy ends at once with 0
# and opens no window; SIGTERM ends the first, and the lock it held goes with
# it. No X tool sees a Wayland window: what each copy asks of the compositor is
# read from its protocol log (WAYLAND_DEBUG=client).
source "$(dirname "$0")/lib.sh"

TITLE=${EXPECTED_TITLE:?EXPECTED_TITLE names the title the main window must show}

SANDBOX=$(mktemp -d)
WORK=$SANDBOX/work
RUNTIME=$SANDBOX/runtime
SOCKET=tallywick-test
WESTON_PID=
mkdir -p "$WORK" "$SANDBOX/home"
mkdir -m 700 "$RUNTIME"
cp "$DELIVERED_DIR"/* "$WORK/"

# Ends what the test started and is still running, Weston last; on the way
# out, whatever their exit statuses.
cleanup() {
    set +e
    local pid
    for pid in "${STARTED_PIDS[@]}" $WESTON_PID; do
        if kill -0 "$pid" 2>/dev/null; then
            kill "$pid"
            wait "$pid" 2>/dev/null
        fi
    done
    rm -rf "$SANDBOX"
}
trap cleanup EXIT

# Weston on no hardware, with its socket in the test's own runtime folder.
XDG_RUNTIME_DIR=$RUNTIME weston --backend=headless-backend.so --use-pixman \
    --width=1024 --height=768 --socket="$SOCKET" --idle-time=0 --no-config \
    >"$SANDBOX/weston.log" 2>&1 &
WESTON_PID=$!
# Waiting ends when the socket appears or Weston has ended.
weston_listens_or_ended() {
    [ -S "$RUNTIME/$SOCKET" ] || ! kill -0 "$WESTON_PID" 2>/dev/null
}
eventually 100 weston_listens_or_ended && [ -S "$RUNTIME/$SOCKET" ] ||
    fail "Weston opened no socket: $(tail -n 20 "$SANDBOX/weston.log")"

# Only Wayland: no X display to fall back on.
unset DISPLAY
export HOME=$SANDBOX/home XDG_RUNTIME_DIR=$RUNTIME WAYLAND_DISPLAY=$SOCKET
export QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client

# Starts a copy in the work folder with its own log; sets APP_PID.
start_copy() {
    local log=$1
    (cd "$WORK" && exec "$TALLYWICK") >"$log" 2>&1 &
    APP_PID=$!
    STARTED_PIDS+=("$APP_PID")
}

# True once LOG shows the main window on screen: a toplevel with the title,
# configured by the compositor, and a buffer drawn into its surface after that.
# Prints the surface.
main_window_shown() {
    local log=$1 toplevel xdg_surface surface configured
    toplevel=$(sed -n "s/.*-> xdg_toplevel@\([0-9]*\)\.set_title(\"$TITLE\").*/\1/p" "$log" | tail -n 1)
    [ -n "$toplevel" ] || return 1
    xdg_surface=$(sed -n "s/.*-> xdg_surface@\([0-9]*\)\.get_toplevel(new id xdg_toplevel@$toplevel).*/\1/p" "$log" | tail -n 1)
    surface=$(sed -n "s/.*get_xdg_surface(new id xdg_surface@$xdg_surface, wl_surface@\([0-9]*\)).*/\1/p" "$log" | tail -n 1)
    [ -n "$surface" ] || return 1
    configured=$(grep -n -m 1 -- "-> xdg_surface@$xdg_surface\.ack_configure(" "$log" | cut -d: -f1)
    [ -n "$configured" ] || return 1
    awk -v from="$configured" -v drawn="-> wl_surface@$surface.attach(wl_buffer@" \
        'NR > from && index($0, drawn) { found = 1 } END { exit !found }' "$log" || return 1
    echo "wl_surface@$surface"
}

# What the program said besides its protocol log: Qt's warnings included.
messages() {
    grep -v '^\[ *[0-9.]*\] ' "$1" || [ $? -eq 1 ]
}

# --- The window shows, as the desktop-application toplevel "tallywick".
# Waits until the copy started last shows its window, or has ended.
wait_window_shown() {
    local log=$1
    shown_or_ended() {
        main_window_shown "$log" || ! kill -0 "$APP_PID" 2>/dev/null
    }
    if eventually 150 shown_or_ended && main_window_shown "$log" >/dev/null; then
        return 0
    fi
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended at start-up:
$(messages "$log")"
    fail "the main window did not show on Wayland:
$(messages "$log")"
}

start_copy "$SANDBOX/first.log"
first=$APP_PID
wait_window_shown "$SANDBOX/first.log"
grep -q -- '-> xdg_toplevel@[0-9]*\.set_app_id("tallywick")' "$SANDBOX/first.log" ||
    fail "the window does not name its desktop entry (app id tallywick)"
if grep -q -- '-> xdg_toplevel@[0-9]*\.set_minimized()' "$SANDBOX/first.log"; then
    fail "the window asked to be minimised at start-up"
fi

# --- A second copy ends at once with 0 and asks for no window.
start_copy "$SANDBOX/second.log"
wait_exit 50 >/dev/null || fail "a second copy was still running after 5 s"
[ "$EXIT_CODE" -eq 0 ] || fail "a second copy exited with $EXIT_CODE, expected 0:
$(messages "$SANDBOX/second.log")"
if grep -q -- '\.get_toplevel(' "$SANDBOX/second.log"; then
    fail "a second copy opened a window"
fi
[ -z "$(messages "$SANDBOX/second.log")" ] ||
    fail "a second copy said: $(messages "$SANDBOX/second.log")"

# --- The first stayed up, and said nothing: no warning from Qt's Wayland
# plugin about a request the compositor cannot grant.
kill -0 "$first" 2>/dev/null || fail "the first copy ended when a second one was started"
[ -z "$(messages "$SANDBOX/first.log")" ] || fail "the program said: $(messages "$SANDBOX/first.log")"

# --- SIGTERM ends it, by that signal and not by a crash on the way out.
APP_PID=$first
kill -TERM "$first"
wait_exit 100 >/dev/null || fail "the program was still running 10 s after SIGTERM"
[ "$EXIT_CODE" -eq $((128 + 15)) ] || fail "after SIGTERM the exit status was $EXIT_CODE, expected 143"

# --- Nothing of it is left to block the next start: the next copy shows its
# window again.
start_copy "$SANDBOX/third.log"
wait_window_shown "$SANDBOX/third.log"
kill -TERM "$APP_PID"
wait_exit 100 >/dev/null || fail "the next copy was still running 10 s after SIGTERM"
echo "Wayland: window shown, second copy ended silently with 0, SIGTERM ended the program"
