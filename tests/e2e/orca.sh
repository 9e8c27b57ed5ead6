#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# What a screen reader user hears: the program with GNOME's Orca on the
# virtual display, driven from the keyboard alone. The test brings up what a
# desktop session would (a session bus, the accessibility bus and its
# registry), starts Orca with a throwaway profile and no synthesizer, and
# reads what Orca would have said from its debug log (SPEECH OUTPUT lines).
# Each key goes on only once Orca's log has gone quiet: Qt waits just 100 ms
# for Orca to claim a key, so keys sent faster than Orca reads them would
# reach the program unseen, or be spoken one key late.
#
# Checked: each list is announced by its count caption, alone while nothing
# is selected, and with its selected entry and its place when the focus comes
# back to it (from a button, from the menu bar, with the window restored);
# the four buttons with their role; F10 and Right through the eight bar
# entries, the three that open a drop-down said to be menus, and an Alt tap
# onto the bar; Return on a focused card button opens its two pages.
# buslist.txt is given as Notepad's "UTF-16 LE" saves it, with its mark: the
# entries and the count Orca reads from it show that it was decoded.
#
# The transcript (key, then what Orca said) is written to $ORCA_TRANSCRIPT
# when that is set.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/accessibility-stack.sh"
setup_sandbox

ORCA_LOG=$SANDBOX/orca.log
TRANSCRIPT=$SANDBOX/transcript.txt

orca_fail() {
    echo "--- transcript so far:" >&2
    cat "$TRANSCRIPT" >&2
    save_transcript
    fail "$@"
}

save_transcript() {
    if [ -n "${ORCA_TRANSCRIPT:-}" ]; then
        cp "$TRANSCRIPT" "$ORCA_TRANSCRIPT"
    fi
}

# The lines Orca has logged so far.
orca_lines() {
    if [ -f "$ORCA_LOG" ]; then wc -l <"$ORCA_LOG"; else echo 0; fi
}

# What Orca said after line FROM of its log, one utterance a line.
spoken_since() {
    tail -n "+$(($1 + 1))" "$ORCA_LOG" |
        sed -n "s/^.*SPEECH OUTPUT: '\(.*\)'\( *{.*}\)\{0,1\}\$/\1/p"
}

# True when Orca said TEXT (a part of one utterance) after line FROM.
said_since() {
    spoken_since "$1" | grep -qF -- "$2"
}

# Waits until Orca's log has not grown for half a second.
orca_quiet() {
    local size last=-1 still=0 i
    for ((i = 0; i < 300; i++)); do
        size=$(stat -c %s "$ORCA_LOG")
        if [ "$size" = "$last" ]; then
            still=$((still + 1))
            [ "$still" -ge 5 ] && return 0
        else
            still=0
            last=$size
        fi
        sleep 0.1
    done
    return 1
}

# Fails unless the last key made Orca say TEXT as one whole utterance.
expect_utterance() {
    grep -qFx -- "$1" <<<"$SAID" ||
        orca_fail "expected Orca to say exactly [$1]; it said: [$(paste -sd '|' <<<"$SAID")]"
}

# Adds LABEL and what Orca said after line FROM to the transcript.
transcribe() {
    local label=$1 from=$2
    printf '%s\n' "$label" >>"$TRANSCRIPT"
    spoken_since "$from" | sed 's/^/    /' >>"$TRANSCRIPT"
}

# Presses KEY (an xdotool key name) in the focused window and waits for Orca
# to say each EXPECTED text, then for Orca to go quiet; sets SAID to what was
# said.
press() {
    local key=$1 from expected
    shift
    from=$(orca_lines)
    xdotool key "$key"
    for expected in "$@"; do
        eventually 150 said_since "$from" "$expected" ||
            orca_fail "after $key Orca did not say [$expected]; it said: [$(spoken_since "$from" | paste -sd '|' -)]"
    done
    orca_quiet || orca_fail "Orca did not go quiet after $key"
    transcribe "$key" "$from"
    SAID=$(spoken_since "$from")
}

no_other_orca() {
    ! pgrep -u "$(id -u)" -x orca >/dev/null
}

# Orca with a profile of its own and no speech synthesizer: it still logs
# each utterance. Its debug file is made line-buffered, or speech would reach
# the log one key late. Key echo is off, so that the transcript holds what the
# program made Orca say; the transcript names each key. Position speaking
# ("Speak object's position") is on, so that a list entry is read with its
# place in the list.
start_orca() {
    # Orca refuses to start beside another Orca of the same user.
    eventually 600 no_other_orca || fail "another Orca of this user is still running"
    mkdir -p "$XDG_DATA_HOME/orca"
    cat >"$XDG_DATA_HOME/orca/orca-customizations.py" <<'PYTHON'
import orca.debug
import orca.settings

orca.settings.speechServerFactory = ""
orca.settings.speechFactoryModules = []
orca.settings.enableKeyEcho = False
orca.settings.enablePositionSpeaking = True
if orca.debug.debugFile is not None:
    orca.debug.debugFile.reconfigure(line_buffering=True)
PYTHON
    XDG_DATA_DIRS=$SYSTEM_DATA_DIRS orca --debug-file "$ORCA_LOG" >"$SANDBOX/orca.out" 2>&1 &
    STARTED_PIDS+=("$!")
    eventually 300 said_since 0 "Screen reader on" ||
        fail "Orca did not start: $(cat "$SANDBOX/orca.out")"
    orca_quiet || fail "Orca did not settle after starting"
}

{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$WORK/buslist.txt"; } >"$SANDBOX/utf16.txt" ||
    fail "buslist.txt could not be made UTF-16"
mv "$SANDBOX/utf16.txt" "$WORK/buslist.txt"

start_accessibility_stack
start_orca

: >"$TRANSCRIPT"
from=$(orca_lines)
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_app
main=$(wait_window '^TALLYWICK -') || fail "the main window did not appear"
activate "$main"
eventually 150 said_since "$from" "12 American Express Cards" ||
    orca_fail "the first list was not announced when the window showed"
orca_quiet || orca_fail "Orca did not go quiet after the window showed"
transcribe "(the window shows)" "$from"

# --- Tab through every list and button, then Shift+Tab back to the first
# list: each list by its count caption (with nothing selected, the list
# alone), each button by its caption and role.
press Tab "Open American Express Application push button"
press Tab "20 Visa / MasterCard Cards" "List with 20 items"
if grep -q " of 20" <<<"$SAID"; then
    orca_fail "a list with nothing selected was announced with an entry: [$SAID]"
fi
press Tab "Open Visa  Mastercard Application push button"
press Tab "25 Retail Business Cards" "List with 25 items"
press Tab "Open Retail Business Application push button"
press Tab "Exit push button"
for _ in 1 2 3 4 5; do press shift+Tab; done
press shift+Tab "12 American Express Cards"

# --- Select the first entry, Tab to its button and back: the list comes
# back with its entry and place; where-am-I says them too.
press Down "American Express Business Gold Card" "1 of 12"
press Tab "Open American Express Application push button"
press shift+Tab "12 American Express Cards" "American Express Business Gold Card" "1 of 12"
press KP_Enter "American Express Business Gold Card" "1 of 12"

# --- The menu bar from the keyboard: every entry across both rows, the ones
# that open a drop-down said to be menus, the ones that act at once not.
press F10 "Build Business Credit"
expect_utterance "Build Business Credit."
press Right "Credit Reports menu"
press Right "Credit Repair"
expect_utterance "Credit Repair."
press Right "Credit Resources menu"
press Right "Calculators"
expect_utterance "Calculators."
press Right "Get a Loan"
expect_utterance "Get a Loan."
press Right "Quillpress"
expect_utterance "Quillpress."
press Right "Help menu"
press Escape "12 American Express Cards" "American Express Business Gold Card"

# --- Return on the focused card button opens the home page, then the
# issuer's page, with the window minimised.
press Tab "Open American Express Application push button"
press Return
eventually 100 has_records 2 || orca_fail "Return on the card button launched only [$(launches)]"
eventually 50 launches_settled || orca_fail "the card button's launches did not end"
[ "$(recorded | paste -sd ' ' -)" = "https://www.tallywick.example/ https://www.americanexpress.com/us/credit-cards/business/" ] ||
    orca_fail "Return on the card button launched [$(launches)]"
eventually 30 is_iconic "$main" || orca_fail "the window was not minimised (state: $(window_state "$main"))"
printf '    [the browser was handed: %s]\n' "$(launches)" >>"$TRANSCRIPT"

# --- The window coming back with the focus on the list announces its entry.
from=$(orca_lines)
activate "$main"
eventually 150 said_since "$from" "Open American Express Application push button" ||
    orca_fail "the restored window did not announce its focused button"
orca_quiet || orca_fail "Orca did not go quiet after the window came back"
transcribe "(the window is restored)" "$from"
press shift+Tab "American Express Business Gold Card"
# Alt+A from the list: the card button is pressed, the focus stays on the
# list, and the window minimises.
press alt+a
eventually 100 has_records 4 || orca_fail "Alt+A launched only [$(launches)]"
eventually 50 launches_settled || orca_fail "Alt+A's launches did not end"
eventually 30 is_iconic "$main" || orca_fail "Alt+A did not minimise the window"
printf '    [the browser was handed: %s]\n' "$(recorded | tail -n 2 | paste -sd ' ' -)" >>"$TRANSCRIPT"
from=$(orca_lines)
activate "$main"
eventually 150 said_since "$from" "American Express Business Gold Card" ||
    orca_fail "the restored window did not announce the list's entry; Orca said: [$(spoken_since "$from" | paste -sd '|' -)]"
orca_quiet || orca_fail "Orca did not go quiet after the window came back"
transcribe "(the window is restored)" "$from"

# --- An Alt tap puts the keyboard on the bar too, and Escape gives it back.
press alt "Build Business Credit"
press Escape "American Express Business Gold Card"

save_transcript
echo "PASS: orca"
