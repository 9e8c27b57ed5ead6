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

# What a screen reader hears of the program with process id PID, asked over
# the accessibility bus with the library Orca uses (AT-SPI): the name of the
# list named "... American Express Cards" and of its first entry, printed as
# "LIST|ENTRY". Fails while the program is not on the bus or does not answer.
heard_first_entry() {
    timeout 30 /usr/bin/python3 - "$1" <<'PYTHON'
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi


def lists(node):
    # A list's children are its entries, which hold no list: not walked.
    if node.get_role() == Atspi.Role.LIST:
        yield node
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from lists(child)


desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    program = desktop.get_child_at_index(i)
    if program is None or program.get_process_id() != int(sys.argv[1]):
        continue
    for found in lists(program):
        if found.get_name().endswith(" American Express Cards"):
            entry = found.get_child_at_index(0)
            print(found.get_name() + "|" + (entry.get_name() if entry is not None else ""))
            sys.exit(0)
sys.exit(1)
PYTHON
}
