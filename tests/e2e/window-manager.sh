# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# A window manager on the display in $DISPLAY, as on a desktop: for the
# end-to-end tests (lib.sh) and the start-up benchmarks (bench/run.sh).

# True when a window manager has announced itself on the root window.
window_manager_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# Starts openbox unless a window manager runs already; sets WM_PID to the one
# it started, and fails when none would start (openbox's output is in LOG).
# Xvfb resets itself when its last client leaves, and a client that connects
# during the reset is turned away, so a window manager that quits at once is
# started again. Once it runs it holds the display open.
#   launch_window_manager [LOG]
launch_window_manager() {
    local log=${1:-/dev/null} attempt i
    window_manager_running && return 0
    for ((attempt = 0; attempt < 5; attempt++)); do
        openbox --sm-disable >"$log" 2>&1 &
        WM_PID=$!
        for ((i = 0; i < 50; i++)); do
            window_manager_running && return 0
            kill -0 "$WM_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
        WM_PID=
        sleep 0.2
    done
    return 1
}
