# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Shared steps of the end-to-end tests: each test runs inside xvfb-run with a
# window manager, a fresh working folder holding list files, a private
# runtime folder for the single-copy lock, and the recording browser.
set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$E2E_DIR/window-manager.sh"
# The delivered list and help files, from the build's run folder.
DELIVERED_DIR=${TALLYWICK_DELIVERED:?TALLYWICK_DELIVERED names the folder of the delivered files}

fail() {
    echo "FAIL: $*" >&2
    if [ -s "${SANDBOX:-/nonexistent}/app.log" ]; then
        echo "--- program output:" >&2
        tail -n 20 "$SANDBOX/app.log" >&2
    fi
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
# list files), $RECORD (what the recording browser and text viewer received).
setup_sandbox() {
    SANDBOX=$(mktemp -d)
    trap 'cleanup_sandbox' EXIT
    WORK=$SANDBOX/work
    mkdir -p "$WORK" "$SANDBOX/runtime"
    chmod 700 "$SANDBOX/runtime"
    cp "$DELIVERED_DIR"/* "$WORK/"
    bash "$E2E_DIR/xdg-sandbox.sh" "$SANDBOX"
    RECORD=$SANDBOX/record.log
    # The window manager keeps the desktop's own folders: with the sandbox's
    # XDG_DATA_DIRS it finds no theme and quits at once.
    start_window_manager
    export HOME=$SANDBOX XDG_CONFIG_HOME=$SANDBOX/config XDG_DATA_HOME=$SANDBOX/data
    export XDG_DATA_DIRS=$SANDBOX/data XDG_RUNTIME_DIR=$SANDBOX/runtime
    export PATH=$SANDBOX/bin:$PATH
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# A window manager for the whole test (window-manager.sh).
start_window_manager() {
    launch_window_manager "$SANDBOX/openbox.log" ||
        fail "the window manager did not start: $(cat "$SANDBOX/openbox.log")"
}

cleanup_sandbox() {
    local pid
    for pid in ${APP_PID:-} "${STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
    rm -rf "$SANDBOX"
}

STARTED_PIDS=()

# Starts the program in FOLDER (default $WORK) with the ARGUMENTS given;
# sets APP_PID. The program's output is appended to $SANDBOX/app.log.
start_app() {
    local folder=${1:-$WORK}
    shift $(($# > 0 ? 1 : 0))
    (cd "$folder" && exec "$TALLYWICK" "$@") >>"$SANDBOX/app.log" 2>&1 &
    APP_PID=$!
    STARTED_PIDS+=("$APP_PID")
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

# True while the window with this id exists and is mapped.
window_shown() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

window_hidden() {
    ! window_shown "$1"
}

# Presses Return in a message box and waits until that box is gone.
confirm_box() {
    local box=$1
    keys_to "$box" Return
    eventually 50 window_hidden "$box" || fail "the box $box did not close on Return"
}

# The text of the message box with this id: the mouse drags over it (message
# box texts are selectable), which puts it into the primary selection. The
# drag starts at the leftmost black pixel of the first line of the text (the
# band below its topmost black pixel), in the left half of its first letter.
box_text() {
    local box=$1 x y X Y WIDTH HEIGHT SCREEN WINDOW
    first_text_pixel() {
        import -window "$box" "$SANDBOX/box.png" &&
            convert "$SANDBOX/box.png" -colorspace gray -threshold 10% txt:- |
            awk -F'[,: ]+' '/gray\(0\)|#000000/ {
                    if (top == "") top = $2
                    if ($2 <= top + 4 && (left == "" || $1 < left)) left = $1
                } END { if (top == "") exit 1; print left + 1, top }'
    }
    eventually 30 first_text_pixel || fail "no text drawn in the box $box"
    read -r x y < <(first_text_pixel)
    eval "$(xdotool getwindowgeometry --shell "$box")"
    activate "$box"
    xdotool mousemove --window "$box" "$x" $((y + 3)) mousedown 1 \
        mousemove --window "$box" $((WIDTH - 3)) $((HEIGHT - 3)) mouseup 1
    selection() {
        xclip -selection primary -o 2>/dev/null
    }
    eventually 30 selection || fail "the text of the box $box could not be selected"
    selection
}

window_count() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l
}

no_window() {
    [ "$(window_count "$1")" -eq 0 ]
}

# Waits until no visible window's title matches.
wait_no_window() {
    eventually "${2:-50}" no_window "$1"
}

# Waits (TRIES tenths of a second, default 100) for the program started last
# to end; sets EXIT_CODE and prints it. Call it directly, not inside $(...):
# only this shell can collect the exit code of its own child.
wait_exit() {
    local tries=${1:-100} i
    [ "$BASH_SUBSHELL" -eq 0 ] ||
        fail "wait_exit must not run in a subshell; read \$EXIT_CODE instead"
    EXIT_CODE=
    for ((i = 0; i < tries; i++)); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            EXIT_CODE=0
            wait "$APP_PID" || EXIT_CODE=$?
            APP_PID=
            echo "$EXIT_CODE"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Ends the program started last by its id and collects it.
end_app() {
    kill "$APP_PID"
    wait_exit >/dev/null || fail "the program did not end when asked to"
}

# True once the program started last has no child process: every program it
# handed a launch to (xdg-open, and through it the recording browser) is done.
launches_settled() {
    ! pgrep -P "$APP_PID" >/dev/null
}

# Gives WINDOW the keyboard focus through the window manager, which also
# brings back a minimised window.
activate() {
    local window=$1
    timeout 5 xdotool windowactivate --sync "$window" >/dev/null 2>&1 ||
        timeout 5 xdotool windowfocus --sync "$window" >/dev/null 2>&1 ||
        fail "could not focus window $window ($(xdotool getwindowname "$window" 2>&1))"
}

# Focuses WINDOW, then types the keys (xdotool key names) into it.
keys_to() {
    local window=$1
    shift
    activate "$window"
    xdotool key --delay 60 "$@"
}

# "Normal", "Iconic" or "Withdrawn": the ICCCM state of WINDOW.
window_state() {
    xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/^[[:space:]]*window state: //p'
}

is_iconic() {
    [ "$(window_state "$1")" = Iconic ]
}

is_normal() {
    [ "$(window_state "$1")" = Normal ]
}

# True while the program started last shows a drop-down or pop-up menu.
menu_open() {
    local window
    for window in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
        if xprop -id "$window" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_POPUP_MENU\|_DROPDOWN_MENU'; then
            return 0
        fi
    done
    return 1
}

# How many launches the recording browser has received.
record_count() {
    wc -l <"$RECORD"
}

recorded() {
    cut -f2 "$RECORD"
}

# True once the recording browser has received at least N launches.
has_records() {
    [ "$(record_count)" -ge "$1" ]
}

# The launches so far on one line, for messages.
launches() {
    recorded | paste -sd ' ' -
}

# --- Lists that fill the 64 MB bound (faults.sh on Linux, wine-launches.sh
# under Wine). Whatever a list file within the bound holds, the program shows
# it and answers a screen reader promptly, and its peak memory grows by no
# more than what the reader holds (the bytes read and their UTF-8 text: at
# most four times the file) and the texts the window shows (at most 32,767
# entries of at most 257 characters, at most 4 bytes a character in UTF-16):
# the window keeps no copy of a whole entry.
SHOWN_TEXTS_KB=$((32767 * 257 * 4 / 1024))
# A window that has not answered by then is frozen.
FREEZE_SECONDS=60
# What the window shows of an entry of 0x80 bytes ("€" in the legacy code
# page): its first 256 characters and an ellipsis.
CUT_EURO_ENTRY=$(printf '\342\202\254%.0s' $(seq 256) && printf '\342\200\246')

# Writes into FOLDER one-entry.txt, one entry of 64 MB less 4 KB, all bytes
# 0x80 (no comma, no line end), and full.txt, 32,767 entries of 2,046 such
# bytes, one a line.
write_bound_filling_lists() {
    local folder=$1 line i
    head -c $((64 * 1024 * 1024 - 4096)) /dev/zero | tr '\0' '\200' >"$folder/one-entry.txt"
    line=$(head -c 2046 /dev/zero | tr '\0' '\200')
    for ((i = 0; i < 32767; i++)); do
        printf '%s\r\n' "$line"
    done >"$folder/full.txt"
}

# The peak memory (kB) of the process with that id so far.
peak_kb() {
    awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"
}

# Starts the program with the delivered lists, then with each list of
# write_bound_filling_lists as buslist.txt, and asks it what a screen reader
# hears of List1 and its first entry until it answers, which it must within
# FREEZE_SECONDS: with the delivered lists anything, with the others the cut
# entry. Prints the time to the answer and the peak memory, which must stay
# within the delivered lists' peak and what the list file may add (above);
# a list that breaks that bound fails the test once the others are tried.
# The platform's three steps are commands given as arguments:
#   START FOLDER   starts the program in FOLDER, setting APP_PID;
#   HEAR           prints "LIST NAME|FIRST ENTRY'S NAME", as a screen reader
#                  hears them, or fails while the program does not answer;
#   END            ends the program started last.
check_bound_filling_lists() {
    local start=$1 hear=$2 end=$3 folder list entries baseline="" began heard seconds peak most
    local faults=""
    folder=$(mktemp -d -p "$SANDBOX" bound.XXXXXX)
    cp "$DELIVERED_DIR"/* "$folder/"
    write_bound_filling_lists "$folder"
    for list in delivered one-entry:1 full:32767; do
        entries=${list#*:} list=${list%:*}
        [ "$list" = delivered ] || cp "$folder/$list.txt" "$folder/buslist.txt"
        began=$(date +%s%N)
        "$start" "$folder"
        while :; do
            if heard=$("$hear" 2>/dev/null) && [[ "$heard" == *" American Express Cards|"* ]]; then
                break
            fi
            seconds=$((($(date +%s%N) - began) / 1000000000))
            [ "$seconds" -lt "$FREEZE_SECONDS" ] ||
                fail "$list buslist.txt: no answer to a screen reader within $FREEZE_SECONDS s"
            sleep 0.2
        done
        seconds=$(awk -v ns=$(($(date +%s%N) - began)) 'BEGIN { printf "%.1f", ns / 1e9 }')
        peak=$(peak_kb "$APP_PID")
        echo "$list buslist.txt: answered after $seconds s; peak $((peak / 1024)) MB"
        if [ "$list" = delivered ]; then
            baseline=$peak
        else
            [ "$heard" = "$entries American Express Cards|$CUT_EURO_ENTRY" ] ||
                fail "$list buslist.txt: a screen reader heard [${heard:0:200}...]"
            most=$((baseline + 4 * $(stat -c %s "$folder/$list.txt") / 1024 + SHOWN_TEXTS_KB))
            # The address sanitizer keeps freed memory and copies on realloc:
            # there the peak is the sanitizer's, printed but not held to this.
            [ -n "${ASAN_OPTIONS:-}" ] || [ "$peak" -le "$most" ] ||
                faults+="$list buslist.txt: peak $((peak / 1024)) MB, more than the $((most / 1024)) MB the reader and the window may hold. "
        fi
        "$end"
    done
    [ -z "$faults" ] || fail "$faults"
}
