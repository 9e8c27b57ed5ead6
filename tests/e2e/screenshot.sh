#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Starts the program on a virtual display with a window manager, saves a
# screenshot of its window (frame included) once it has finished drawing,
# and ends it.   screenshot.sh PROGRAM WORKING_FOLDER OUTPUT.png
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
program=$(realpath "$1")
folder=$(realpath "$2")
output=$(realpath -m "$3")
export TALLYWICK=$program TALLYWICK_DELIVERED=$folder
source "$(dirname "$0")/lib.sh"

SANDBOX=$(mktemp -d)
trap 'cleanup_sandbox' EXIT
mkdir -m 700 "$SANDBOX/runtime"
export XDG_RUNTIME_DIR=$SANDBOX/runtime
start_window_manager
start_app "$folder"
window=$(wait_window '^TALLYWICK') || fail "the window did not appear"
# The window manager draws its frame on the parent of our window.
frame=$(xwininfo -tree -id "$window" | awk '/Parent window id/{print $4}')
# Drawing is done when two captures in a row are the same.
capture() {
    import -window "$frame" "$SANDBOX/$1.png"
}
capture previous
for ((i = 0; i < 50; i++)); do
    capture current
    if cmp -s <(convert "$SANDBOX/previous.png" rgb:-) <(convert "$SANDBOX/current.png" rgb:-); then
        break
    fi
    mv "$SANDBOX/current.png" "$SANDBOX/previous.png"
    sleep 0.1
done
mv "$SANDBOX/current.png" "$output"
end_app
echo "screenshot: $output"
