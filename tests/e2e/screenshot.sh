#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Starts the program on a virtual display, saves a screenshot of its window
# and ends it.   screenshot.sh PROGRAM WORKING_FOLDER OUTPUT.png
set -euo pipefail
program=$(realpath "$1")
folder=$(realpath "$2")
output=$(realpath -m "$3")
export TALLYWICK=$program WORK_FOLDER=$folder OUTPUT=$output
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    export XDG_RUNTIME_DIR=$(mktemp -d)
    openbox --sm-disable >/dev/null 2>&1 &
    sleep 0.5
    (cd "$WORK_FOLDER" && exec "$TALLYWICK") &
    app=$!
    id=$(xdotool search --sync --onlyvisible --name "^TALLYWICK" | head -n 1)
    sleep 1
    # The window manager draws its frame on the parent of our window.
    frame=$(xwininfo -tree -id "$id" | awk "/Parent window id/{print \$4}")
    import -window "$frame" "$OUTPUT"
    kill $app
    wait $app 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
    echo "Screenshot: $OUTPUT"
'
