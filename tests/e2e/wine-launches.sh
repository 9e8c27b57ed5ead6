#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The real tallywick.exe under Wine with the recording browser. ShellExecuteA
# hands each https address to Wine's browser bridge, which runs xdg-open,
# which runs the sandbox's recorder. Driven from the keyboard:
# - Alt+B (Build Business Credit, on the menu bar) opens its page;
# - Home in List1, then Alt+A: the window minimises, and the publisher's home
#   page and the issuer's page open, in that order;
# - closing the window ends the program with exit code 0.
# Environment: TALLYWICK (the program), TALLYWICK_DELIVERED (the delivered files), WINE_PREFIX (the Wine prefix).
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
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
echo "Wine end-to-end: 3 launches recorded, exit code 0"
