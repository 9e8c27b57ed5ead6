#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
#
# The Windows program takes DLLs from the system folder only. Unpacked into a
# folder that also holds a planted oleacc.dll (the accessibility library,
# which the program loads by name when a screen reader first asks for a
# control's accessible object, and which is no known DLL), it leaves the
# planted one alone: another process reads each control's accessible name,
# as a screen reader would, and gets the program's own names, and the planted
# DLL has left no mark. Wine is told to prefer a native oleacc.dll to its
# built-in one (WINEDLLOVERRIDES), as Windows has only native ones: without
# that, Wine takes its built-in DLL whatever the program's search order.
# Environment: TALLYWICK (the program), TALLYWICK_DELIVERED (the delivered
# files), WINE_PREFIX (the Wine prefix), PROBE (install_probe.exe), PLANTED
# (the planted oleacc.dll, which leaves NAME.loaded beside itself when loaded).
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
: "${TALLYWICK:?}" "${WINE_PREFIX:?}" "${PROBE:?}" "${PLANTED:?}"
WINE_RUN="$(cd "$(dirname "$0")/../../cmake" && pwd)/wine-run.sh"
# fail and eventually.
source "$(dirname "$0")/../e2e/lib.sh"

SANDBOX=$(mktemp -d)
APP_PID=
trap 'if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || :; fi; rm -rf "$SANDBOX"' EXIT
folder=$SANDBOX/unpacked
mkdir "$folder"
cp "$TALLYWICK" "$DELIVERED_DIR"/* "$PLANTED" "$folder/"
mark=$folder/$(basename "$PLANTED").loaded

probe() {
    WINEPREFIX=$WINE_PREFIX WINEDEBUG=-all wine "$PROBE" "$@" </dev/null
}
window_shown() {
    probe texts 'TALLYWICK - ' >/dev/null 2>&1
}

(cd "$folder" && exec env WINEDLLOVERRIDES=oleacc=n,b "$WINE_RUN" "$WINE_PREFIX" "$folder/tallywick.exe") \
    >>"$SANDBOX/app.log" 2>&1 &
APP_PID=$!
eventually 300 window_shown || fail "the main window did not appear"
probe names 'TALLYWICK - ' >"$SANDBOX/names" || fail "the accessible names could not be read"
[ ! -e "$mark" ] || fail "the program loaded the oleacc.dll planted beside it"
# A picture's name comes from the program's own accessible object alone.
grep -qxF 'name=MasterCard' "$SANDBOX/names" ||
    fail "the program did not give its own accessible names: $(paste -sd ' ' "$SANDBOX/names")"
[ "$(probe close 'TALLYWICK - ')" = exitcode=0 ] || fail "the program did not end with 0 when closed"
wait "$APP_PID" || :
APP_PID=
echo "planted oleacc.dll left alone; $(grep -c '^name=' "$SANDBOX/names") accessible names read"
