# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Runs at install time: writes tallywick.desktop with Path= set to the folder of
# the installed list files under the prefix in effect now, and installs it.
# Set before: TALLYWICK_DESKTOP_TEMPLATE, TALLYWICK_DESKTOP_STAGING, TALLYWICK_DATADIR.
cmake_path(ABSOLUTE_PATH TALLYWICK_DATADIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
    NORMALIZE OUTPUT_VARIABLE datadir)
set(TALLYWICK_LIST_FOLDER "${datadir}/tallywick")

# One staging folder per prefix: two installs at once never mix their entries.
string(MD5 prefix_key "${CMAKE_INSTALL_PREFIX}")
set(staged "${TALLYWICK_DESKTOP_STAGING}/${prefix_key}/tallywick.desktop")
configure_file("${TALLYWICK_DESKTOP_TEMPLATE}" "${staged}" @ONLY)
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE FILES "${staged}")
