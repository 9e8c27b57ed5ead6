#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The menu bar: "Build Business Credit" opens its page and leaves the window
# as it is; Help > "About The Tallywick" opens bushelp.txt from the program's
# working folder in the desktop's text viewer, as text even when it looks
# like a web page; F10 or an Alt tap, the arrows and Return reach entries on
# both rows of the bar. The list folder holds programs planted under the
# names of the opener, of a helper it runs and of the text viewer, and PATH
# leads into it ahead of the real ones, by a link to it, by its own path and
# as /proc/self/cwd ("." and an empty entry besides): none of them runs.
source "$(dirname "$0")/lib.sh"
setup_sandbox

PLANTED=$SANDBOX/planted.log
for name in xdg-open xdg-mime tallywick-text-recorder; do
    printf '#!/bin/sh\necho "%s $*" >>"%s"\n' "$name" "$PLANTED" >"$WORK/$name"
    chmod +x "$WORK/$name"
done
ln -s "$WORK" "$SANDBOX/lists"
REAL_PATH=$PATH

BUSINESS_CREDIT="https://www.tallywick.example/business-credit/"

menu_closed() {
    ! menu_open
}

# Every record with its working folder, for messages.
raw_records() {
    paste -sd '|' "$RECORD"
}

# Alt+B opens the business-credit page and leaves the window alone; Help >
# About, reached with the arrow keys (the menu opens on "Order the full
# version", the next item down is About), hands the text viewer bushelp.txt
# by its absolute path. MAIN: the main window.
link_then_about() {
    local main=$1 before expected
    before=$(record_count)
    keys_to "$main" alt+b
    eventually 50 has_records $((before + 1)) || fail "Alt+B launched nothing"
    eventually 50 launches_settled || fail "Alt+B's launch did not end"
    [ "$(record_count)" -eq $((before + 1)) ] || fail "Alt+B: expected one launch, got [$(raw_records)]"
    [ "$(recorded | sed -n "$((before + 1))p")" = "$BUSINESS_CREDIT" ] ||
        fail "Alt+B launched [$(recorded | sed -n "$((before + 1))p")], expected $BUSINESS_CREDIT"
    is_normal "$main" || fail "Alt+B changed the window's state to $(window_state "$main"), expected Normal"
    [ "$(window_count '^TALLYWICK$')" -eq 0 ] || fail "Alt+B showed a TALLYWICK box"

    keys_to "$main" alt+h
    eventually 30 menu_open || fail "Alt+H opened no menu"
    xdotool key --delay 60 Down Return
    eventually 50 has_records $((before + 2)) ||
        fail "About The Tallywick launched nothing; launched so far: [$(raw_records)]"
    eventually 50 launches_settled || fail "About's launch did not end"
    [ "$(record_count)" -eq $((before + 2)) ] || fail "About: expected one more launch, got [$(raw_records)]"
    expected=$(printf '%s\ttext %s' "$WORK" "$WORK/bushelp.txt")
    [ "$(sed -n "$((before + 2))p" "$RECORD")" = "$expected" ] ||
        fail "About launched [$(sed -n "$((before + 2))p" "$RECORD")], expected [$expected]"
    eventually 30 menu_closed || fail "the Help menu stayed open after Return"
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after About"
}

echo "PATH through a link to the list folder"
export PATH=".:$SANDBOX/lists:$REAL_PATH:"
start_app
main=$(wait_window '^TALLYWICK -') || fail "the main window did not appear"
link_then_about "$main"

# --- The wrapped bar is one bar to the keyboard: F10 highlights its first
# entry, Left wraps to the last one (Help, on the second row) and goes on
# back across the rows to Get a Loan, Return runs it.
keys_to "$main" F10 Left Left Left Return
eventually 50 has_records 3 || fail "F10 Left Left Left Return launched nothing; launched so far: [$(raw_records)]"
[ "$(recorded | sed -n 3p)" = "https://www.tallywick.example/loans/" ] ||
    fail "F10 Left Left Left Return launched [$(recorded | sed -n 3p)], expected the loan page"
# An Alt tap does the same; six times Right crosses to Quillpress.
keys_to "$main" alt Right Right Right Right Right Right Return
eventually 50 has_records 4 || fail "Alt, six times Right, Return launched nothing; launched so far: [$(raw_records)]"
[ "$(recorded | sed -n 4p)" = "https://downloads.quillpress.example/quillpress-setup.exe" ] ||
    fail "Alt then Right to Quillpress launched [$(recorded | sed -n 4p)]"
eventually 50 launches_settled || fail "the menu launches did not end"
[ "$(record_count)" -eq 4 ] || fail "expected 4 launches in all, got [$(raw_records)]"
end_app

# A help file that reads like a web page is still a text: it goes to the
# text viewer, never to the browser registered for HTML.
printf '<!DOCTYPE html>\n<html><head><title>Help</title></head><body><p>Help</p></body></html>\n' \
    >"$WORK/bushelp.txt"
for entry in "$WORK" /proc/self/cwd; do
    echo "PATH through $entry, with an HTML-looking help file"
    export PATH="$entry:$REAL_PATH"
    : >"$RECORD"
    start_app
    main=$(wait_window '^TALLYWICK -') || fail "the main window did not appear"
    link_then_about "$main"
    end_app
done

[ ! -e "$PLANTED" ] || fail "a program planted in the list folder ran: $(cat "$PLANTED")"

echo "PASS: menu-links"
