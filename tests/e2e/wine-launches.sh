#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The real tallywick.exe under Wine with the recording browser. ShellExecuteA
# hands each https address to Wine's browser bridge, which runs xdg-open,
# which runs the sandbox's recorder. Driven from the keyboard:
# - Alt+B (Build Business Credit, on the menu bar) opens its page;
# - Home in List1, then Alt+A: the window minimises, and the publisher's home
#   page and the issuer's page open, in that order;
# - closing the window ends the program with exit code 0;
# - every file of the encoding corpus (tests/corpus/encodings: what Notepad
#   saves, and broken files) shows in the list boxes, read back with
#   LB_GETTEXT, as its expected.txt says, under a Western code page (1252) and
#   a Russian one (1251; Wine takes the code page from LANG and LC_ALL);
# - lists that fill the 64 MB bound, with one huge entry or with 32,767 long
#   ones, answer a screen reader promptly within the memory bound (lib.sh).
# Each wait is for what it waits for: the window, the window taking keys
# (the foreground window of a program and a desktop that wait for input), the
# launches, the end. It gives up only on a hang (HANG seconds), or at once
# when the program has ended, saying how long it waited.
# Environment: TALLYWICK (the program), TALLYWICK_DELIVERED (the delivered files), WINE_PREFIX
# (the Wine prefix), PROBE (install_probe.exe), TALLYWICK_ENCODING_CORPUS (the corpus).
set -euo pipefail
# Always on a virtual display of its own, never the caller's: the keys it
# types would reach whatever window has the focus on a real desktop.
if [ "${1:-}" != --own-display ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --own-display "$@"
fi
shift
WINE_RUN="$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run.sh"
source "$(dirname "$0")/lib.sh"
setup_sandbox

BUSINESS_CREDIT_PAGE="https://www.tallywick.example/business-credit/"
HOME_PAGE="https://www.tallywick.example/"
AMEX_PAGE="https://www.americanexpress.com/us/credit-cards/business/"

# A step that takes longer hangs: on a busy machine Wine takes seconds to
# start a program, where an idle one takes one.
HANG=120

# The probe, as another program of the desktop (a screen reader) runs; a
# program that does not answer it is left after a while.
probe() {
    timeout "$HANG" env WINEPREFIX="$WINE_PREFIX" WINEDEBUG=-all wine "$PROBE" "$@" </dev/null
}

# Waits until the command succeeds, while the program started last runs.
while_running() {
    local what=$1 start=$SECONDS
    shift
    until "$@" >/dev/null 2>&1; do
        kill -0 "$APP_PID" 2>/dev/null || fail "$what: the program ended first"
        ((SECONDS - start < HANG)) || fail "$what: not after $((SECONDS - start)) s"
        sleep 0.1
    done
}

main_window() {
    xdotool search --onlyvisible --name '^TALLYWICK -' 2>/dev/null | head -n 1
}

main_window_shown() {
    [ -n "$(main_window)" ]
}

# Starts the program in FOLDER (under LOCALE, when given: Wine takes the code
# page from it) and waits for its window; sets APP_PID and MAIN.
start_program() {
    local folder=$1 locale=${2:-}
    (cd "$folder" && exec env ${locale:+LANG="$locale" LC_ALL="$locale"} "$WINE_RUN" "$WINE_PREFIX" \
        "$TALLYWICK") >>"$SANDBOX/app.log" 2>&1 &
    APP_PID=$!
    STARTED_PIDS+=("$APP_PID")
    while_running "no main window${locale:+ under $locale}" main_window_shown
    MAIN=$(main_window)
}

# Types the keys into the main window once it takes them: a key typed while
# the desktop's Explorer is still starting, and takes the foreground, is
# lost. The window is unmanaged: it gets the X focus straight.
type_keys() {
    while_running "the main window does not take keys" probe ready 'TALLYWICK - '
    timeout "$HANG" xdotool windowfocus --sync "$MAIN" key --delay 60 "$@" ||
        fail "the keys $* could not be typed into the main window"
}

# Waits for the program started last to end; sets EXIT_CODE.
wait_end() {
    local start=$SECONDS
    while kill -0 "$APP_PID" 2>/dev/null; do
        ((SECONDS - start < HANG)) || fail "the program has not ended $((SECONDS - start)) s after its window was closed"
        sleep 0.1
    done
    EXIT_CODE=0
    wait "$APP_PID" || EXIT_CODE=$?
    APP_PID=
}

# Closes the program's window as its close box does; it must end with 0.
close_program() {
    [ "$(probe close 'TALLYWICK - ')" = exitcode=0 ] || fail "the program did not end with 0 when closed"
    wait_end
}

start_program "$WORK"
type_keys alt+b
while_running "Alt+B reached no browser" has_records 1
[ "$(recorded | sed -n 1p)" = "$BUSINESS_CREDIT_PAGE" ] ||
    fail "Alt+B opened [$(launches)], expected $BUSINESS_CREDIT_PAGE"

type_keys Home alt+a
while_running "Alt+A after Home in List1 did not launch both pages" has_records 3
# Wine hands each launch to its own browser bridge process, so the two may
# reach the recorder in either order; the order of the calls themselves is
# covered by the window tests with a faked shell.
[ "$(recorded | sed -n 2,3p | sort)" = "$(printf '%s\n' "$AMEX_PAGE" "$HOME_PAGE" | sort)" ] ||
    fail "card launches: [$(launches)]"
[ "$(window_count '^Error Message$')" -eq 0 ] || fail "an Error Message box showed"

# Wine's taskkill without /f asks the window to close, as its close box does.
WINEPREFIX=$WINE_PREFIX WINEDEBUG=-all wine taskkill /im tallywick.exe </dev/null >/dev/null 2>&1 ||
    fail "taskkill found no tallywick.exe"
wait_end
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after closing the window"
[ "$(record_count)" -eq 3 ] || fail "more launches than asked for: [$(launches)]"

CORPUS=${TALLYWICK_ENCODING_CORPUS:?names the encoding corpus}

# Starts the program in a folder holding the three corpus files given as its
# three lists, under the locale given, and writes what its list boxes hold to
# $SANDBOX/lists.
show_lists_with() {
    local locale=$1 folder
    folder=$(mktemp -d "$SANDBOX/lists-XXXXXX")
    cp "$CORPUS/$2" "$folder/buslist.txt"
    cp "$CORPUS/$3" "$folder/buslistb.txt"
    cp "$CORPUS/$4" "$folder/buslistc.txt"
    start_program "$folder" "$locale"
    probe lists 'TALLYWICK - ' >"$SANDBOX/lists" || fail "the list boxes could not be read"
    close_program
}

# What list N must show for a corpus file under a code page, as the probe
# prints it.
expected_list() {
    awk -v file="$1" -v page="$2" -v n="$3" '
        /^\[/ { split(substr($0, 2, index($0, "]") - 2), h, " ")
                on = h[1] == file && (h[2] == "" || h[2] == page); next }
        on && /^=/ { print "list" n "=" substr($0, 2) }' "$CORPUS/expected.txt"
}

files=$(sed -n 's/^\[\([^] ]*\).*/\1/p' "$CORPUS/expected.txt" | sort -u)
[ "$(echo "$files" | wc -l)" -ge 11 ] || fail "the corpus lists only: $files"
for locale_page in en_US.UTF-8:1252 ru_RU.UTF-8:1251; do
    locale=${locale_page%:*} page=${locale_page#*:}
    # Three files a start; the last start fills up with the first files.
    set -- $files $files
    for ((left = $(echo "$files" | wc -l); left > 0; left -= 3)); do
        show_lists_with "$locale" "$1" "$2" "$3"
        expected=$({ expected_list "$1" "$page" 1; expected_list "$2" "$page" 2
            expected_list "$3" "$page" 3; })
        [ "$(cat "$SANDBOX/lists")" = "$expected" ] ||
            fail "under $locale, $1, $2 and $3 show:
$(cat "$SANDBOX/lists")
expected:
$expected"
        shift 3
    done
done

# Lists that fill the 64 MB bound (lib.sh): what a screen reader hears of
# List1 and its first entry. The list's name is asked for through MSAA, as a
# screen reader asks; Windows' standard accessible object names an entry with
# LB_GETTEXT (Wine's names none), so the entry is read so.
hear_list1() {
    local list entry
    probe names 'TALLYWICK - ' >"$SANDBOX/names" && probe lists 'TALLYWICK - ' 1 >"$SANDBOX/lists" &&
        list=$(grep -m 1 '^name=.* American Express Cards$' "$SANDBOX/names") &&
        entry=$(grep -m 1 '^list1=' "$SANDBOX/lists") || return 1
    echo "${list#name=}|${entry#list1=}"
}
check_bound_filling_lists start_program hear_list1 close_program

echo "Wine end-to-end: 3 launches recorded, exit code 0; the encoding corpus reads as expected under code pages 1252 and 1251"
