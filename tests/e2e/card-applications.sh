#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The card application buttons, driven from the keyboard: the first American
# Express source opens the home page and then the issuer's page with the
# window minimised; the second one has no page of its own, which the shell
# refuses; with nothing selected the user is told to pick a source.
source "$(dirname "$0")/lib.sh"
setup_sandbox

HOME_PAGE="https://www.tallywick.example/"
AMEX_PAGE="https://www.americanexpress.com/us/credit-cards/business/"


# True once the launches reached COUNT or a box titled TALLYWICK showed.
launched_or_refused() {
    has_records "$1" || [ "$(window_count '^TALLYWICK$')" -gt 0 ]
}

start_app
main=$(wait_window '^TALLYWICK -') || fail "the main window did not appear"

# --- First entry of List1 (it has the focus at start-up), then Alt+A.
keys_to "$main" Home
keys_to "$main" alt+a
eventually 50 launched_or_refused 2 || fail "Alt+A with the first entry selected launched only: [$(launches)]"
if [ "$(window_count '^TALLYWICK$')" -gt 0 ]; then
    fail "Alt+A after Home in List1 showed the TALLYWICK box (no entry selected?) instead of launching; launched: [$(launches)]"
fi
eventually 50 launches_settled || fail "Alt+A's launches did not end"
[ "$(record_count)" -eq 2 ] || fail "Alt+A on the first entry: expected 2 launches, got [$(launches)]"
[ "$(recorded | sed -n 1p)" = "$HOME_PAGE" ] || fail "first launch was [$(recorded | sed -n 1p)], expected $HOME_PAGE"
[ "$(recorded | sed -n 2p)" = "$AMEX_PAGE" ] || fail "second launch was [$(recorded | sed -n 2p)], expected $AMEX_PAGE"
eventually 30 is_iconic "$main" || fail "the window was not minimised (state: $(window_state "$main"))"
[ "$(window_count '^Error Message$')" -eq 0 ] || fail "an Error Message box showed for the first entry"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after Alt+A"

# --- Bring the window back, select the second entry, Alt+A again: the home
# page opens, the empty second target is refused with "File Not Found".
activate "$main"
eventually 30 is_normal "$main" ||
    fail "the window could not be restored (state: $(window_state "$main"))"
keys_to "$main" Home Down
keys_to "$main" alt+a
error=$(wait_window '^Error Message$') || fail "no Error Message box for the second entry; launched: [$(launches)]"
# The home page's hand-over may still be on its way to the recording browser
# when the box for the empty target shows: the opener counts as started once
# it runs past its short wait.
eventually 50 has_records 3 || fail "second entry: expected one more launch (3 in all), got [$(launches)]"
[ "$(recorded | sed -n 3p)" = "$HOME_PAGE" ] || fail "second entry launched [$(recorded | sed -n 3p)], expected $HOME_PAGE"
is_iconic "$main" || fail "the window was not minimised for the second entry (state: $(window_state "$main"))"
confirm_box "$error"
no_window '^Error Message$' || fail "a second Error Message box showed"
eventually 50 launches_settled || fail "the second entry's launch did not end"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after the Error Message box"
[ "$(record_count)" -eq 3 ] || fail "something more was launched after the Error Message box: [$(launches)]"

# --- Nothing selected in List2: Alt+V only tells the user to choose.
activate "$main"
eventually 30 is_normal "$main" ||
    fail "the window could not be restored (state: $(window_state "$main"))"
keys_to "$main" Tab Tab
keys_to "$main" alt+v
sorry=$(wait_window '^TALLYWICK$') || fail "Alt+V with nothing selected in List2 showed no TALLYWICK box; launched: [$(launches)]"
[ "$(window_count '^Error Message$')" -eq 0 ] || fail "Alt+V with nothing selected showed an Error Message box"
if is_iconic "$main"; then fail "the window was minimised although nothing was selected"; fi
confirm_box "$sorry"
no_window '^TALLYWICK$' || fail "a second TALLYWICK box showed"
eventually 50 launches_settled || fail "a launch did not end"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after the TALLYWICK box"
[ "$(record_count)" -eq 3 ] || fail "Alt+V with nothing selected launched: [$(launches)]"
[ "$(window_state "$main")" = Normal ] || fail "the window is no longer shown normally (state: $(window_state "$main"))"

echo "PASS: card-applications"
