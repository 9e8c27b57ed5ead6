# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
# Test programs run under Wine through cmake/wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TALLYWICK_MINGW_PREFIX x86_64-w64-mingw32)
# The POSIX thread model: std::mutex and std::thread, which GoogleTest needs;
# linked statically like the rest of the run-time.
set(CMAKE_C_COMPILER ${TALLYWICK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TALLYWICK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TALLYWICK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TALLYWICK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each build folder gets a Wine prefix of its own.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../cmake/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)

# One program file that needs no DLL of the compiler beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
