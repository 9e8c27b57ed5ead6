# Shared steps of the end-to-end tests: each test runs inside xvfb-run with a
# window manager, a fresh working folder holding list files, a private
# runtime folder for the single-copy lock, and the recording browser.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ASSETS_DIR=$(cd "$E2E_DIR/../../assets" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits (bounded) until the command succeeds.
eventually() {
    local tries=$1 i
    shift
    for ((i = 0; i < tries; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Sets up the sandbox: $WORK (the program's working folder with the delivered
# list files), $RECORD (what the recording browser received).
setup_sandbox() {
    SANDBOX=$(mktemp -d)
    trap 'cleanup_sandbox' EXIT
    WORK=$SANDBOX/work
    mkdir -p "$WORK" "$SANDBOX/runtime"
    chmod 700 "$SANDBOX/runtime"
    cp "$ASSETS_DIR"/buslist.txt "$ASSETS_DIR"/buslistb.txt "$ASSETS_DIR"/buslistc.txt \
        "$ASSETS_DIR"/bushelp.txt "$WORK/"
    bash "$E2E_DIR/xdg-sandbox.sh" "$SANDBOX"
    RECORD=$SANDBOX/record.log
    # The window manager keeps the desktop's own folders: with the sandbox's
    # XDG_DATA_DIRS it finds no theme and quits at once.
    start_window_manager
    export HOME=$SANDBOX XDG_CONFIG_HOME=$SANDBOX/config XDG_DATA_HOME=$SANDBOX/data
    export XDG_DATA_DIRS=$SANDBOX/data XDG_RUNTIME_DIR=$SANDBOX/runtime
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# True when a window manager has announced itself on the root window.
window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

start_window_manager() {
    window_manager_running && return 0
    openbox --sm-disable >"$SANDBOX/openbox.log" 2>&1 &
    WM_PID=$!
    eventually 50 window_manager_running ||
        fail "the window manager did not start: $(cat "$SANDBOX/openbox.log")"
}

cleanup_sandbox() {
    [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
    rm -rf "$SANDBOX"
}

# Starts the program in $WORK; sets APP_PID.
start_app() {
    (cd "$WORK" && exec "$TALLYWICK") >"$SANDBOX/app.log" 2>&1 &
    APP_PID=$!
}

# The id of the visible window whose title matches, after waiting for it.
wait_window() {
    local title=$1 id="" i
    for ((i = 0; i < 100; i++)); do
        id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

window_count() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l
}

# Waits for the program to end; prints its exit code.
wait_exit() {
    local code=0 i
    for ((i = 0; i < 100; i++)); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID" || code=$?
            APP_PID=
            echo "$code"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

recorded() {
    cut -f2 "$RECORD"
}
