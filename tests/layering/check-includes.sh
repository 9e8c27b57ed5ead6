#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Reads every #include of the product code and fails on one that goes against
# the layers:
#   base < launch < ports < catalogue < app      the core
#   ports < listfolder                           the launcher's core
#   platform/posix, platform/win32               see ports and what is under it
#   ui/qt, ui/win32                              see app and their own platform
#   ui/qt/launcher, ui/win32/launcher            see listfolder, their own platform
#                                                and front-end
# A file includes headers of its own layer and of the layers its library links
# only, always by their path from the repository's root
# ("launch/WebAddress.h"). The platform adapters never see the catalogues,
# Form1 or the menu; platform/posix and platform/win32 never include each
# other, nor do ui/qt and ui/win32. The core includes the C++ standard library
# (and compiler intrinsics) only: no Qt, Windows or POSIX header. The build's
# include folders enforce the same; this test says which include is wrong.
#   check-includes.sh ROOT
set -euo pipefail
root=${1:?usage: check-includes.sh ROOT}
cd "$root"

core="base launch ports catalogue app listfolder"
window_core="base launch ports catalogue app"

# The layer a path lies in.
layer_of() {
    case $1 in
    base/*) echo base ;;
    launch/*) echo launch ;;
    ports/*) echo ports ;;
    catalogue/*) echo catalogue ;;
    app/*) echo app ;;
    listfolder/*) echo listfolder ;;
    platform/posix/*) echo platform/posix ;;
    platform/win32/*) echo platform/win32 ;;
    ui/qt/launcher/*) echo ui/qt/launcher ;;
    ui/win32/launcher/*) echo ui/win32/launcher ;;
    ui/qt/*) echo ui/qt ;;
    ui/win32/*) echo ui/win32 ;;
    *) echo "" ;;
    esac
}

# The layers a layer may include: itself and those its library links.
allowed_for() {
    case $1 in
    base) echo "base" ;;
    launch) echo "base launch" ;;
    ports) echo "base launch ports" ;;
    catalogue) echo "base launch ports catalogue" ;;
    app) echo "$window_core" ;;
    listfolder) echo "base launch ports listfolder" ;;
    platform/posix) echo "base launch ports platform/posix" ;;
    platform/win32) echo "base launch ports platform/win32" ;;
    ui/qt) echo "$window_core platform/posix ui/qt" ;;
    ui/win32) echo "$window_core platform/win32 ui/win32" ;;
    ui/qt/launcher) echo "base launch ports listfolder platform/posix ui/qt ui/qt/launcher" ;;
    ui/win32/launcher) echo "base launch ports listfolder platform/win32 ui/win32 ui/win32/launcher" ;;
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

files=$(find $core platform ui -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
for file in $files; do
    layer=$(layer_of "$file")
    if [ -z "$layer" ]; then
        report "$file" "lies in no layer"
        continue
    fi
    allowed=" $(allowed_for "$layer") "
    while IFS=: read -r line text; do
        if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            target_layer=$(layer_of "$target")
            if [ -z "$target_layer" ]; then
                report "$file:$line" "includes \"$target\", which is not a layer's header by its path"
            elif [[ $allowed != *" $target_layer "* ]]; then
                report "$file:$line" "$layer includes \"$target\" of $target_layer, which it does not link"
            fi
        elif [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            header=${BASH_REMATCH[1]}
            if [[ " $core " == *" $layer "* ]] && [[ $standard_headers != *" $header "* ]] &&
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
