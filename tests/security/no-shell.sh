#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# The program starts other programs only through posix_spawn with an
# argument vector: it must not even link a function that runs a command
# line through a shell.
set -euo pipefail
program=$1
forbidden='^(system|popen|execl|execlp|execle|wordexp)(@|$)'
imports=$(nm -D --undefined-only "$program" | awk '{print $NF}')
if grep -E "$forbidden" <<<"$imports" >&2; then
    echo "FAIL: $program calls the functions above" >&2
    exit 1
fi
grep -q '^posix_spawn' <<<"$imports" ||
    { echo "FAIL: $program does not start programs with posix_spawn" >&2; exit 1; }
echo "PASS: no shell entry points in $program"
