#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Runs the benchmarks of a build folder and prints one table.
#   bench/run.sh [BUILD_FOLDER [WINDOWS_BUILD_FOLDER]]
#                  (make bench: build-bench, Release, and build-windows)
# BENCH_RUNS sets the repetitions of every figure (default 10).
# BENCH_COMPARE names other builds of the Linux program (separated by
# spaces) to measure alongside, BENCH_WINDOWS_COMPARE another tallywick.exe.
# Every figure is the median of its runs; its baseline is measured in the
# same run: a memchr scan for line ends over the same bytes for the reader,
# a QMainWindow with one text label of the same build for start-up and
# memory, and an empty Win32 window of the same cross build for start-up
# under Wine. The first End key on a full list is held against one frame.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Inside the virtual display: a window manager, as on a desktop, then the
# start-up runs.
if [ "${1:-}" = --on-display ]; then
    build=$2
    runs=$3
    windows=${4:-}
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    source "$here/../tests/e2e/window-manager.sh"
    WM_PID=
    launch_window_manager || { echo "the window manager did not start" >&2; exit 1; }
    status=0
    if [ -z "$windows" ]; then
        compare=()
        for other in ${BENCH_COMPARE:-}; do
            compare+=(--compare="$other")
        done
        "$build/bench/tallywick_startup_bench" --runs="$runs" --assets="$here/../assets" \
            --program="$build/tallywick" --baseline="$build/bench/baseline/tallywick_baseline" \
            "${compare[@]}" || status=$?
        XDG_RUNTIME_DIR=$(mktemp -d) "$build/bench/tallywick_first_key_bench" --runs="$runs" ||
            status=$?
    else
        # Both Windows programs through the same Wine loader, in a prefix of
        # the bench's own whose server stays up for the whole run, so that
        # neither pays for starting Wine's background programs.
        export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
        export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
        loader=/usr/lib/wine/wine64
        [ -x "$loader" ] || loader=$(command -v wine64 || command -v wine)
        export WINELOADER=$loader
        # A server left from making the prefix is let go first.
        wineserver -w
        wineserver -p
        compare=()
        [ -z "${BENCH_WINDOWS_COMPARE:-}" ] || compare=(--compare="$BENCH_WINDOWS_COMPARE")
        "$build/bench/tallywick_startup_bench" --runs="$runs" --assets="$here/../assets" \
            --wine="$loader" --program="$windows/tallywick.exe" \
            --baseline="$windows/bench/win32-baseline/tallywick_win32_baseline.exe" \
            "${compare[@]}" || status=$?
        wineserver -k
    fi
    if [ -n "$WM_PID" ]; then
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
    fi
    exit "$status"
fi

build=$(realpath "${1:-build-bench}")
runs=${BENCH_RUNS:-10}
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT

echo "List reader: $runs repetitions of each benchmark..." >&2
"$build/bench/tallywick_reader_bench" --runs="$runs" --assets="$here/../assets" >>"$rows"
echo "Start-up on a virtual display: $runs runs of each case, taking turns..." >&2
xvfb-run -a -s "-screen 0 1024x768x24" "$here/run.sh" --on-display "$build" "$runs" >>"$rows"
if [ -n "${2:-}" ]; then
    windows=$(realpath "$2")
    echo "Start-up under Wine on a virtual display: $runs runs of each case, taking turns..." >&2
    # The bench's Wine prefix is made once (cmake/wine-run.sh makes it as the
    # tests' prefixes are made).
    "$here/../cmake/wine-run.sh" "$build/wineprefix"
    xvfb-run -a -s "-screen 0 1024x768x24" "$here/run.sh" --on-display "$build" "$runs" \
        "$windows" >>"$rows"
fi

cpu=$(awk -F': ' '/^model name/{print $2; exit}' /proc/cpuinfo)
qt=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || echo unknown)
echo
wine=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null || echo unknown)
echo "TALLYWICK benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'): ${cpu:-unknown CPU}," \
    "$(nproc) cores, $(awk '/MemTotal/{printf "%.0f GiB", $2/1048576}' /proc/meminfo)," \
    "Qt $qt, Wine $wine, $(uname -sr)"
echo "Medians; every ratio is to the baseline measured in this run."
echo
{
    printf 'Figure\tCase\tMedian\tBaseline\tRatio\tRuns\n'
    cat "$rows"
} | column -t -s $'\t'
