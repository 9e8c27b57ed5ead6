#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Grows the kept corpus of every fuzz target a fuzz build holds: runs
# <name>_fuzzer for SECONDS over a working copy of fuzz/corpus/<name>/ (in
# BUILD_DIR/fuzz/work/<name>, kept between runs), then merges back into
# fuzz/corpus/<name>/ only the inputs that reach code the kept ones do not
# (libFuzzer's -merge=1), and prints the statistics. The merge counts edges
# only, not how often each runs (-use_counters=0), so that the kept corpus
# stays a few dozen small files; the working copy keeps the richer set. A
# failing input stops the run; libFuzzer leaves it in
# BUILD_DIR/fuzz/artifacts/<name>/.
#   grow.sh BUILD_DIR SECONDS        (make fuzz: build-fuzz, FUZZ_SECONDS)
set -euo pipefail
usage="usage: grow.sh BUILD_DIR SECONDS"
build=$(realpath "${1:?$usage}")
seconds=${2:?$usage}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
targets=$build/fuzz/targets.txt
[ -s "$targets" ] || { echo "FAIL: $targets names no fuzz target (cmake --preset fuzz)" >&2; exit 1; }

while read -r name max_len; do
    fuzzer=$build/fuzz/${name}_fuzzer
    kept=$here/corpus/$name
    work=$build/fuzz/work/$name
    artifacts=$build/fuzz/artifacts/$name
    log=$build/fuzz/$name.log
    [ -x "$fuzzer" ] || { echo "FAIL: $fuzzer is not built" >&2; exit 1; }
    mkdir -p "$kept" "$work" "$artifacts"
    find "$kept" -maxdepth 1 -type f -exec cp -n -t "$work" {} +
    before=$(find "$kept" -maxdepth 1 -type f | wc -l)
    echo "== $name: $seconds s over $(find "$work" -maxdepth 1 -type f | wc -l) inputs, each at most $max_len bytes"
    status=0
    "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$work" >"$log" 2>&1 || status=$?
    grep -E '^(#[0-9]+.*(INITED|DONE)|stat::)' "$log" || :
    if [ "$status" -ne 0 ]; then
        grep -E -A12 '^==[0-9]+==|^SUMMARY|artifact' "$log" | head -n 40 >&2 || :
        echo "FAIL: $name found a failing input (exit $status); see $log and $artifacts" >&2
        exit 1
    fi
    "$fuzzer" -merge=1 -use_counters=0 -max_len="$max_len" "$kept" "$work" >"$log.merge" 2>&1 ||
        { tail -n 20 "$log.merge" >&2; echo "FAIL: merging into $kept" >&2; exit 1; }
    echo "$name: kept corpus $before -> $(find "$kept" -maxdepth 1 -type f | wc -l) inputs"
done <"$targets"
