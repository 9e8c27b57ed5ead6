#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine, as the cross build's test emulator:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# PREFIX is the Wine prefix to use, made on first use; with no PROGRAM the
# prefix is only made. Without a display the program runs on a virtual one:
# Wine cannot create a window without X.
set -euo pipefail

prefix=$1
shift

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
# Wine's .NET and HTML engines are not installed; the caller's overrides come
# after these.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
mkdir -p "$(dirname "$WINEPREFIX")"

# The prefix is made once, by whichever run comes first (about ten seconds).
# Wine waits two seconds for a window manager whenever a window is destroyed
# unless its windows are unmanaged.
(
    flock 9
    if [ ! -e "$WINEPREFIX/.tallywick-ready" ]; then
        wine cmd.exe /c exit </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        touch "$WINEPREFIX/.tallywick-ready"
    fi
) 9>"$WINEPREFIX.lock"
[ $# -gt 0 ] || exit 0

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$prefix" "$@"
fi

# The server and Wine's own background programs (the desktop among them) are
# started apart from our output: otherwise they inherit the caller's pipes
# and ctest waits for them to end, seconds after the program has. The server
# stays a few seconds after its last program, so that a suite's runs one
# after another find it ready.
wineserver -p10 </dev/null >/dev/null 2>&1 || true
wine cmd.exe /c exit </dev/null >/dev/null 2>&1

exec wine "$@"
