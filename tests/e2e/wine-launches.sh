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


# The probe, as another program of the desktop (a screen reader) runs; a
# program that does not answer it is left after a while.
probe() {
    timeout 30 env WINEPREFIX="$WINE_PREFIX" WINEDEBUG=-all wine "$PROBE" "$@" </dev/null
}

# Starts the program in FOLDER, with the variables given (NAME=VALUE) set.
start_under_wine() {
    (cd "$1" && exec env "${@:2}" "$WINE_RUN" "$WINE_PREFIX" "$TALLYWICK") >>"$SANDBOX/app.log" 2>&1 &
    APP_PID=$!
    STARTED_PIDS+=("$APP_PID")
}

# Closes the program's window as its close box does; it must end with 0.
close_under_wine() {
    [ "$(probe close 'TALLYWICK - ')" = exitcode=0 ] || fail "the program did not end with 0 when closed"
    wait_exit 100 >/dev/null || fail "the program did not end when its window was closed"
}

start_under_wine "$WORK"
main=$(wait_window '^TALLYWICK -') || fail "the main window did not appear"

keys_to "$main" alt+b
eventually 100 has_records 1 || fail "Alt+B reached no browser"
[ "$(recorded | sed -n 1p)" = "$BUSINESS_CREDIT_PAGE" ] ||
    fail "Alt+B opened [$(launches)], expected $BUSINESS_CREDIT_PAGE"

keys_to "$main" Home
keys_to "$main" alt+a
eventually 100 has_records 3 || fail "Alt+A after Home in List1 launched only [$(launches)]"
# Wine hands each launch to its own browser bridge process, so the two may
# reach the recorder in either order; the order of the calls themselves is
# covered by the window tests with a faked shell.
[ "$(recorded | sed -n 2,3p | sort)" = "$(printf '%s\n' "$AMEX_PAGE" "$HOME_PAGE" | sort)" ] ||
    fail "card launches: [$(launches)]"
[ "$(window_count '^Error Message$')" -eq 0 ] || fail "an Error Message box showed"

# Wine's taskkill without /f asks the window to close, as its close box does.
WINEPREFIX=$WINE_PREFIX WINEDEBUG=-all wine taskkill /im tallywick.exe </dev/null >/dev/null 2>&1 ||
    fail "taskkill found no tallywick.exe"
wait_exit 100 >/dev/null || fail "the program did not end when its window was closed"
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
    start_under_wine "$folder" LANG="$locale" LC_ALL="$locale"
    wait_window '^TALLYWICK -' >/dev/null || fail "the main window did not appear under $locale"
    probe lists 'TALLYWICK - ' >"$SANDBOX/lists" || fail "the list boxes could not be read"
    close_under_wine
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
check_bound_filling_lists start_under_wine hear_list1 close_under_wine

echo "Wine end-to-end: 3 launches recorded, exit code 0; the encoding corpus reads as expected under code pages 1252 and 1251"
