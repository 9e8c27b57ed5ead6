#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Runs the Qt window cases that need Qt's real AT-SPI bridge: on the virtual
# X display, with accessibility on and the session and accessibility buses of
# a desktop session, started for the test alone.
#   at-spi-bridge.sh TEST_PROGRAM [ARGUMENT...]
source "$(dirname "$0")/../../e2e/lib.sh"
source "$E2E_DIR/accessibility-stack.sh"
setup_sandbox
start_accessibility_stack
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
