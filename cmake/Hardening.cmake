# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# The hardening flags Linux distributions build their programs with, for every
# target of a Linux build: stack protector, stack clash protection, control-flow
# protection, fortified C library calls, full RELRO with immediate binding, PIE.
# Sets TALLYWICK_FORTIFY_LEVEL: the _FORTIFY_SOURCE level of optimised builds
# (0 when there is none), whatever level the flags given ask for. _FORTIFY_SOURCE needs optimisation, and the sanitizers
# intercept the plain C library calls it would replace, so Debug and sanitizer
# builds go without it.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)
include(CheckPIESupported)
include(CMakePushCheckState)

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
check_pie_supported(LANGUAGES CXX)

# Control-flow protection is the target's own: -fcf-protection on x86,
# -mbranch-protection on 64-bit ARM. Each is asked for on its target alone:
# clang takes the other's with a warning on every compile, not an error.
set(hardening_flags -fstack-protector-strong -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86|x86)$")
    list(APPEND hardening_flags -fcf-protection)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64|ARM64)$")
    list(APPEND hardening_flags -mbranch-protection=standard)
endif()
# A flag that clang ignores, which it says only in a warning, is not taken.
cmake_push_check_state()
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    string(APPEND CMAKE_REQUIRED_FLAGS " -Werror=unused-command-line-argument")
endif()
foreach(flag IN LISTS hardening_flags)
    string(MAKE_C_IDENTIFIER "TALLYWICK_HAS${flag}" supported)
    check_cxx_compiler_flag(${flag} ${supported})
    if(${supported})
        add_compile_options(${flag})
    endif()
endforeach()
cmake_pop_check_state()

# Level 3 fortifies calls whose buffer sizes are known only at run time; it
# needs the compiler's dynamic object sizes and glibc 2.34 or later.
check_cxx_source_compiles([[
#include <cstdio>
#if !defined(__GLIBC__) || __GLIBC__ < 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ < 34)
#error _FORTIFY_SOURCE=3 needs glibc 2.34
#endif
#if !defined(__has_builtin) || !__has_builtin(__builtin_dynamic_object_size)
#error _FORTIFY_SOURCE=3 needs __builtin_dynamic_object_size
#endif
int main() { return 0; }
]] TALLYWICK_HAS_FORTIFY_SOURCE_3)
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
    set(TALLYWICK_FORTIFY_LEVEL 0)
elseif(TALLYWICK_HAS_FORTIFY_SOURCE_3)
    set(TALLYWICK_FORTIFY_LEVEL 3)
else()
    set(TALLYWICK_FORTIFY_LEVEL 2)
endif()
if(TALLYWICK_FORTIFY_LEVEL)
    # Optimised by the build type, or by the flags given: distributions build
    # with CMAKE_BUILD_TYPE=None and their optimisation in CXXFLAGS (Debian's
    # -O2), the last -O of which holds. Some compilers, and dpkg's flags,
    # define _FORTIFY_SOURCE already, at another level.
    string(REGEX MATCHALL "(^| )-O[^ ]*" optimisation_flags " ${CMAKE_CXX_FLAGS}")
    list(POP_BACK optimisation_flags optimisation)
    if(optimisation AND NOT optimisation MATCHES "-O0$")
        set(optimised 1)
    else()
        set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    endif()
    add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE>"
                        "$<${optimised}:-D_FORTIFY_SOURCE=${TALLYWICK_FORTIFY_LEVEL}>")
endif()

message(STATUS "Hardening: _FORTIFY_SOURCE=${TALLYWICK_FORTIFY_LEVEL} in optimised builds (0: none)")
add_link_options(LINKER:-z,relro LINKER:-z,now)
