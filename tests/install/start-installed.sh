#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix and starts the installed program
# as the desktop menu does: the entry's Exec= command in the entry's Path=
# folder. Then starts it from the home folder, where no list file lies.
#   start-installed.sh BUILD_DIR        (inside xvfb-run; CMAKE_COMMAND may name cmake)
source "$(dirname "$0")/../e2e/lib.sh"
build=$1

SANDBOX=$(mktemp -d)
trap 'cleanup_sandbox' EXIT
prefix=$SANDBOX/prefix
"${CMAKE_COMMAND:-cmake}" --install "$build" --prefix "$prefix" >"$SANDBOX/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$SANDBOX/install.log")"

entry=$prefix/share/applications/tallywick.desktop
[ -f "$entry" ] || fail "no desktop entry at $entry"
entry_value() {
    sed -n "s/^$1=//p" "$entry"
}
lists=$(entry_value Path)
command=$(entry_value Exec)
[ "$lists" = "$prefix/share/tallywick" ] ||
    fail "the entry's Path is [$lists], expected the installed list folder $prefix/share/tallywick"
for delivered in "$DELIVERED_DIR"/*; do
    file=$(basename "$delivered")
    cmp -s "$delivered" "$lists/$file" || fail "$lists/$file is not the delivered $file"
done

mkdir -p "$SANDBOX/home" "$SANDBOX/runtime"
chmod 700 "$SANDBOX/runtime"
start_window_manager
export HOME=$SANDBOX/home XDG_RUNTIME_DIR=$SANDBOX/runtime PATH=$prefix/bin:$PATH
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# The entry's command, found on PATH as the desktop finds it.
TALLYWICK=$command
[ "$(command -v "$TALLYWICK")" = "$prefix/bin/tallywick" ] ||
    fail "Exec=$command does not name the installed program"

# --- From the entry's folder: the lists load and the main window shows.
start_app "$lists"
main=$(wait_window '^TALLYWICK -') || fail "the installed program showed no main window"
name=$(xdotool getwindowname "$main")
[ "$name" = "${EXPECTED_TITLE:?EXPECTED_TITLE names the title the main window must show}" ] ||
    fail "main window title is [$name], expected [$EXPECTED_TITLE]"
[ "$(window_count '^TALLYWICK$')" -eq 0 ] || fail "an error report shows beside the main window"
keys_to "$main" alt+x
wait_exit >/dev/null || fail "Alt+X did not end the installed program"
[ "$EXIT_CODE" -eq 0 ] || fail "the installed program ended with $EXIT_CODE after Alt+X, expected 0"

# --- From the home folder: error 53 for buslist.txt, then exit code 1.
start_app "$HOME"
box=$(wait_window '^TALLYWICK$') || fail "no error report when started from the home folder"
[ "$(window_count '^TALLYWICK -')" -eq 0 ] || fail "the main window shows without list files"
# The report's text: drag the mouse over it (message box texts are selectable),
# which puts it into the primary selection. The drag starts at the topmost
# black pixel, the first line of the text.
first_text_pixel() {
    import -window "$box" "$SANDBOX/box.png" &&
        convert "$SANDBOX/box.png" -colorspace gray -threshold 10% txt:- |
        awk -F'[,: ]+' '!found && /gray\(0\)|#000000/ { print $1, $2; found = 1 } END { exit !found }'
}
eventually 30 first_text_pixel || fail "no text drawn in the report box"
read -r x y < <(first_text_pixel)
eval "$(xdotool getwindowgeometry --shell "$box")"
activate "$box"
xdotool mousemove --window "$box" "$x" $((y + 3)) mousedown 1 \
    mousemove --window "$box" $((WIDTH - 3)) $((HEIGHT - 3)) mouseup 1
report() {
    xclip -selection primary -o 2>/dev/null
}
eventually 30 report || fail "the report's text could not be selected"
text=$(report)
grep -qx "Run-time error '53':" <<<"$text" || fail "the report does not give error 53: [$text]"
grep -qx "File not found: buslist.txt" <<<"$text" || fail "the report does not name buslist.txt: [$text]"
keys_to "$box" Return
wait_exit >/dev/null || fail "the program kept running after the report was confirmed"
[ "$EXIT_CODE" -eq 1 ] || fail "after the report the exit code was $EXIT_CODE, expected 1"
echo "installed program: window from $lists, error 53 from the home folder"
