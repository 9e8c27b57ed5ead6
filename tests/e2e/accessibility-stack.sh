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

# The accessible name of every object of the program whose process id is PID
# (the window, its controls, each entry of its lists), one per line, as a
# screen reader reads them over the accessibility bus.
accessible_names() {
    local pid=$1 bus app
    bus=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.a11y.Bus.GetAddress </dev/null | sed -n "s/^('\(.*\)',)$/\1/p")
    for app in $(accessible_children "$bus" org.a11y.atspi.Registry /org/a11y/atspi/accessible/root |
        cut -d' ' -f1); do
        if gdbus call --address "$bus" --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.GetConnectionUnixProcessID "$app" </dev/null |
            grep -qx "(uint32 $pid,)"; then
            accessible_tree "$bus" "$app" /org/a11y/atspi/accessible/root
        fi
    done
}

# "BUS_NAME PATH" of each child of an accessible object.
accessible_children() {
    local bus=$1 name=$2 path=$3
    gdbus call --address "$bus" --dest "$name" --object-path "$path" \
        --method org.a11y.atspi.Accessible.GetChildren </dev/null |
        { grep -oE "\('[^']*', (objectpath )?'[^']*'\)" || :; } |
        sed -E "s/^\('([^']*)', (objectpath )?'([^']*)'\)$/\1 \3/"
}

accessible_tree() {
    local bus=$1 name=$2 path=$3 child_name child_path
    gdbus call --address "$bus" --dest "$name" --object-path "$path" \
        --method org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name </dev/null |
        sed -n -E "s/^\(<'(.*)'>,\)$/\1/p; s/^\(<\"(.*)\">,\)$/\1/p"
    while read -r child_name child_path; do
        accessible_tree "$bus" "$child_name" "$child_path"
    done < <(accessible_children "$bus" "$name" "$path")
}
