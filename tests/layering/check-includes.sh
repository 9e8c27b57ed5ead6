#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Reads every #include of the product code and fails on one that goes against
# the layers:
#   base < launch < catalogue < app < platform < ui
# A file includes headers of its own layer and of lower ones only, always by
# their path from the repository's root ("launch/WebTargets.h").
# platform/posix and platform/win32 never include each other, nor do ui/qt and
# ui/win32, and each front-end uses its own system's platform only. The four
# core layers include the C++ standard library (and compiler intrinsics)
# only: no Qt, Windows or POSIX header.
#   check-includes.sh ROOT
set -euo pipefail
root=${1:?usage: check-includes.sh ROOT}
cd "$root"

# The layer of a folder; platform and ui are each split by system.
layer_of() {
    case $1 in
    base/*) echo "0 base" ;;
    launch/*) echo "1 launch" ;;
    catalogue/*) echo "2 catalogue" ;;
    app/*) echo "3 app" ;;
    platform/posix/*) echo "4 platform/posix" ;;
    platform/win32/*) echo "4 platform/win32" ;;
    ui/qt/*) echo "5 ui/qt" ;;
    ui/win32/*) echo "5 ui/win32" ;;
    *) echo "" ;;
    esac
}

# The system a platform or ui folder belongs to.
system_of() {
    case $1 in
    */posix | */qt) echo posix ;;
    */win32) echo win32 ;;
    *) echo "" ;;
    esac
}

standard_headers=" algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv \
cfloat charconv chrono cinttypes climits clocale cmath codecvt compare complex concepts \
condition_variable coroutine csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring \
ctime cuchar cwchar cwctype deque exception execution expected filesystem format forward_list \
fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator latch \
limits list locale map memory memory_resource mutex new numbers numeric optional ostream queue \
random ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span \
sstream stack stdexcept stop_token streambuf string string_view syncstream system_error thread \
tuple type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant \
vector version "

violations=0
report() {
    echo "$1: $2" >&2
    violations=$((violations + 1))
}

files=$(find base launch catalogue app platform ui -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
for file in $files; do
    read -r rank layer <<<"$(layer_of "$file")"
    if [ -z "$layer" ]; then
        report "$file" "lies in no layer"
        continue
    fi
    while IFS=: read -r line text; do
        if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            read -r target_rank target_layer <<<"$(layer_of "$target")"
            if [ -z "$target_layer" ]; then
                report "$file:$line" "includes \"$target\", which is not a layer's header by its path"
            elif ((target_rank > rank)); then
                report "$file:$line" "$layer includes \"$target\" of the higher layer $target_layer"
            elif ((target_rank == rank)) && [ "$target_layer" != "$layer" ]; then
                report "$file:$line" "$layer includes \"$target\" of $target_layer"
            elif ((rank == 5 && target_rank == 4)) &&
                [ "$(system_of "$target_layer")" != "$(system_of "$layer")" ]; then
                report "$file:$line" "$layer includes \"$target\" of the other system's $target_layer"
            fi
        elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            header=${BASH_REMATCH[1]}
            if ((rank <= 3)) && [[ $standard_headers != *" $header "* ]] &&
                [[ ! $header =~ ^[a-z]+intrin\.h$ ]]; then
                report "$file:$line" "$layer is standard C++ only, but includes <$header>"
            fi
        fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file")
done

count=$(wc -w <<<"$files")
if ((violations > 0)); then
    echo "FAIL: $violations includes against the layers in $count files" >&2
    exit 1
fi
echo "PASS: the includes of $count files keep to the layers"
