#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Start-up: the main window and its title, the single copy per session, Exit,
# a missing list file, and an empty one.
source "$(dirname "$0")/lib.sh"
setup_sandbox

TITLE=${EXPECTED_TITLE:?EXPECTED_TITLE names the title the main window must show}

# --- The main window shows with exactly its title.
start_app
first=$APP_PID
main=$(wait_window '^TALLYWICK -') || fail "the main window did not appear"
name=$(xdotool getwindowname "$main")
[ "$name" = "$TITLE" ] || fail "main window title is [$name], expected [$TITLE]"
[ "$(window_count '^TALLYWICK')" -eq 1 ] ||
    fail "expected one TALLYWICK window at start-up, found $(window_count '^TALLYWICK')"

# --- A second copy ends at once with 0 and shows nothing, whether its
# working folder holds the list files or none at all.
second_copy() {
    local folder=$1 i
    start_app "$folder"
    for ((i = 0; i < 15; i++)); do
        [ "$(window_count '^TALLYWICK')" -le 1 ] ||
            fail "a second copy started in $folder showed a window"
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    wait_exit 1 >/dev/null || fail "a second copy started in $folder was still running after 1.5 s"
    [ "$EXIT_CODE" -eq 0 ] || fail "a second copy started in $folder exited with $EXIT_CODE, expected 0"
    [ "$(window_count '^TALLYWICK')" -eq 1 ] ||
        fail "after a second copy in $folder: $(window_count '^TALLYWICK') TALLYWICK windows"
}
second_copy "$WORK"
empty=$SANDBOX/empty
mkdir -p "$empty"
second_copy "$empty"
kill -0 "$first" 2>/dev/null || fail "the first copy ended when a second one was started"

# --- Alt+X on the first copy closes it with exit code 0.
APP_PID=$first
keys_to "$main" alt+x
wait_exit >/dev/null || fail "Alt+X did not end the program"
[ "$EXIT_CODE" -eq 0 ] || fail "Alt+X ended the program with $EXIT_CODE, expected 0"
wait_no_window '^TALLYWICK' || fail "a TALLYWICK window is still shown after Alt+X"

# --- Without buslistc.txt a run-time error is reported instead of the main
# window, and confirming it ends the program with 1.
missing=$SANDBOX/missing
mkdir -p "$missing"
cp "$WORK"/buslist.txt "$WORK"/buslistb.txt "$missing/"
start_app "$missing"
box=$(wait_window '^TALLYWICK$') || fail "no report box when buslistc.txt is missing"
[ "$(window_count '^TALLYWICK -')" -eq 0 ] || fail "the main window shows although buslistc.txt is missing"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended before the report was confirmed"
keys_to "$box" Return
wait_exit >/dev/null || fail "the program kept running after the report was confirmed"
[ "$EXIT_CODE" -eq 1 ] || fail "after the missing-file report the exit code was $EXIT_CODE, expected 1"
[ "$(window_count '^TALLYWICK')" -eq 0 ] || fail "a TALLYWICK window is left after the report"

# --- An empty buslist.txt is a list with no entries, not an error.
blank=$SANDBOX/blank
mkdir -p "$blank"
cp "$WORK"/buslistb.txt "$WORK"/buslistc.txt "$blank/"
: >"$blank/buslist.txt"
start_app "$blank"
main=$(wait_window '^TALLYWICK') || fail "nothing appeared with an empty buslist.txt"
name=$(xdotool getwindowname "$main")
[ "$name" = "$TITLE" ] || fail "with an empty buslist.txt the window shown is [$name], not the main window"
keys_to "$main" alt+x
wait_exit >/dev/null || fail "Alt+X did not end the program started with an empty buslist.txt"
[ "$EXIT_CODE" -eq 0 ] || fail "with an empty buslist.txt Alt+X gave exit code $EXIT_CODE"

echo "PASS: startup"
