# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# The accessibility stack of a desktop session, for a test of its own: a
# session bus, the accessibility bus and its registry. Sourced after lib.sh,
# once setup_sandbox has run; each process is ended by its id when the test
# ends.

# The accessibility stack and screen readers read the system's GSettings
# schemas and service files; the program keeps the sandbox's own data folders.
SYSTEM_DATA_DIRS=/usr/local/share:/usr/share
# Where at-spi-bus-launcher and at-spi2-registryd are installed.
AT_SPI_FOLDER=${AT_SPI_FOLDER:-/usr/libexec}
export GSETTINGS_BACKEND=memory

# True when NAME has an owner on the session bus (asking starts nothing).
name_owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

# Starts the three and exports DBUS_SESSION_BUS_ADDRESS.
start_accessibility_stack() {
    local address_file=$SANDBOX/session-bus
    dbus-daemon --session --nofork --print-address=3 3>"$address_file" \
        >"$SANDBOX/session-bus.log" 2>&1 &
    STARTED_PIDS+=("$!")
    eventually 50 test -s "$address_file" || fail "the session bus did not start"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$address_file")
    export DBUS_SESSION_BUS_ADDRESS

    XDG_DATA_DIRS=$SYSTEM_DATA_DIRS "$AT_SPI_FOLDER/at-spi-bus-launcher" --launch-immediately \
        >"$SANDBOX/at-spi-bus.log" 2>&1 &
    local launcher=$!
    STARTED_PIDS+=("$launcher")
    # The launcher owns org.a11y.Bus once the accessibility bus it started
    # listens; asking for the name before that would start a second launcher.
    eventually 100 name_owned org.a11y.Bus ||
        fail "the accessibility bus did not start: $(cat "$SANDBOX/at-spi-bus.log")"
    local bus
    bus=$(pgrep -P "$launcher") || fail "the accessibility bus launcher has no bus process"
    local pid
    for pid in $bus; do STARTED_PIDS+=("$pid"); done

    XDG_DATA_DIRS=$SYSTEM_DATA_DIRS "$AT_SPI_FOLDER/at-spi2-registryd" \
        >"$SANDBOX/registry.log" 2>&1 &
    STARTED_PIDS+=("$!")
}

# Every object of the program with process id PID, as a screen reader finds
# it over the accessibility bus with the library Orca uses (AT-SPI): its role
# and its name, tab-separated, one per line, depth first. Of each list only its
# first ENTRIES entries are read, when given: a full list holds 32,767. Fails
# while the program is not on the bus or does not answer.
accessible_objects() {
    timeout 60 /usr/bin/python3 - "$@" <<'PYTHON'
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

pid = int(sys.argv[1])
most = int(sys.argv[2]) if len(sys.argv) > 2 else None


def walk(node):
    print(node.get_role_name() + "\t" + (node.get_name() or ""))
    count = node.get_child_count()
    if most is not None and node.get_role() == Atspi.Role.LIST:
        count = min(count, most)
    for i in range(count):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child)


desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    program = desktop.get_child_at_index(i)
    if program is not None and program.get_process_id() == pid:
        walk(program)
        sys.exit(0)
sys.exit(1)
PYTHON
}

# The accessible name of every object of the program with process id PID (the
# window, its controls, each entry of its lists), one per line.
accessible_names() {
    local objects
    objects=$(accessible_objects "$1") || return 1
    cut -f2- <<<"$objects"
}

# What a screen reader hears of the list named "... American Express Cards"
# of the program with process id PID, and of its first entry: "LIST|ENTRY".
heard_first_entry() {
    local objects
    objects=$(accessible_objects "$1" 1) || return 1
    awk -F'\t' '$1 == "list" && $2 ~ / American Express Cards$/ {
        list = $2; entry = ""
        if ((getline) > 0) entry = $2
        print list "|" entry; found = 1; exit
    } END { exit !found }' <<<"$objects"
}
