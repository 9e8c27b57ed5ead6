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
# - list files as Windows users save them show right in the list boxes (read
#   back with LB_GETTEXT): UTF-8 without and with a byte-order mark and
#   Windows-1252 under a Western code page, Windows-1251 and UTF-8 under a
#   Russian one (Wine takes the code page from LANG and LC_ALL).
# Environment: TALLYWICK (the program), TALLYWICK_DELIVERED (the delivered files), WINE_PREFIX
# (the Wine prefix), PROBE (install_probe.exe).
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


(cd "$WORK" && exec "$WINE_RUN" "$WINE_PREFIX" "$TALLYWICK") >>"$SANDBOX/app.log" 2>&1 &
APP_PID=$!
STARTED_PIDS+=("$APP_PID")
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

# Starts the program in a folder holding the three lists given (their bytes),
# under the locale given, and writes what its list boxes hold to
# $SANDBOX/lists.
show_lists_with() {
    local locale=$1 folder
    folder=$(mktemp -d "$SANDBOX/lists-XXXXXX")
    printf '%b' "$2" >"$folder/buslist.txt"
    printf '%b' "$3" >"$folder/buslistb.txt"
    printf '%b' "$4" >"$folder/buslistc.txt"
    (cd "$folder" && exec env LANG="$locale" LC_ALL="$locale" "$WINE_RUN" "$WINE_PREFIX" "$TALLYWICK") \
        >>"$SANDBOX/app.log" 2>&1 &
    APP_PID=$!
    STARTED_PIDS+=("$APP_PID")
    wait_window '^TALLYWICK -' >/dev/null || fail "the main window did not appear under $locale"
    WINEPREFIX=$WINE_PREFIX WINEDEBUG=-all wine "$PROBE" lists 'TALLYWICK - ' </dev/null \
        >"$SANDBOX/lists" || fail "the list boxes could not be read"
    [ "$(WINEPREFIX=$WINE_PREFIX WINEDEBUG=-all wine "$PROBE" close 'TALLYWICK - ' </dev/null)" = exitcode=0 ] ||
        fail "the program did not end with 0 when closed"
    wait_exit 100 >/dev/null || fail "the program did not end when its window was closed"
}

# Notepad's UTF-8, without and with the mark, and Windows-1252 (e acute, euro).
show_lists_with en_US.UTF-8 'Cr\xc3\xa9dit Agricole Card\r\n' \
    '\xef\xbb\xbfCaf\xc3\xa9 Business Card\r\n' 'Caf\xe9 \x80 Card\r\n'
lists=$(cat "$SANDBOX/lists")
expected='list1=Crédit Agricole Card
list2=Café Business Card
list3=Café € Card'
[ "$lists" = "$expected" ] || fail "under a Western code page the lists show: $lists"

# Windows-1251 ("Карта для бизнеса") and UTF-8 ("Кредитная карта").
show_lists_with ru_RU.UTF-8 '\xca\xe0\xf0\xf2\xe0 \xe4\xeb\xff \xe1\xe8\xe7\xed\xe5\xf1\xe0\r\n' \
    '\xd0\x9a\xd1\x80\xd0\xb5\xd0\xb4\xd0\xb8\xd1\x82\xd0\xbd\xd0\xb0\xd1\x8f \xd0\xba\xd0\xb0\xd1\x80\xd1\x82\xd0\xb0\r\n' \
    'Retail Card\r\n'
lists=$(cat "$SANDBOX/lists")
expected='list1=Карта для бизнеса
list2=Кредитная карта
list3=Retail Card'
[ "$lists" = "$expected" ] || fail "under a Russian code page the lists show: $lists"

echo "Wine end-to-end: 3 launches recorded, exit code 0; lists in UTF-8, Windows-1252 and Windows-1251 read right"
