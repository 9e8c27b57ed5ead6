#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The program reads no command line: Qt's own options do not change its
# window. Started with -qwindowtitle, -reverse and -style, it shows the same
# title and the same window, pixel for pixel, as without them.
source "$(dirname "$0")/lib.sh"
setup_sandbox

TITLE=${EXPECTED_TITLE:?EXPECTED_TITLE names the title the main window must show}

# Starts the program with ARGUMENTS, checks its title, saves its window to
# FILE (without the memory panel, whose figures change from run to run) and
# ends it with Alt+X.
capture_run() {
    local file=$1 window name
    shift
    start_app "$WORK" "$@"
    window=$(wait_window '^TALLYWICK') || fail "no window with arguments [$*]"
    name=$(xdotool getwindowname "$window")
    [ "$name" = "$TITLE" ] || fail "with arguments [$*] the title is [$name], expected [$TITLE]"
    # Drawing is done when two captures in a row are the same.
    import -window "$window" "$SANDBOX/previous.png"
    for ((i = 0; i < 50; i++)); do
        import -window "$window" "$file"
        cmp -s <(convert "$SANDBOX/previous.png" rgb:-) <(convert "$file" rgb:-) && break
        mv "$file" "$SANDBOX/previous.png"
        sleep 0.1
    done
    convert "$file" -gravity North -crop 100%x60%+0+0 +repage "$file"
    keys_to "$window" alt+x
    wait_exit >/dev/null || fail "Alt+X did not end the program started with [$*]"
    [ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE with arguments [$*]"
}

capture_run "$SANDBOX/plain.png"
capture_run "$SANDBOX/options.png" -qwindowtitle HELLO -reverse -style windows
[ "$(identify -format '%wx%h' "$SANDBOX/plain.png")" = "$(identify -format '%wx%h' "$SANDBOX/options.png")" ] ||
    fail "the window's size changed with Qt's options on the command line"
differing=$(compare -metric AE "$SANDBOX/plain.png" "$SANDBOX/options.png" null: 2>&1) ||
    fail "Qt's options on the command line changed $differing pixels of the window"

echo "PASS: command-line"
