# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Runs at install time: writes the two files that name installed paths under
# the prefix in effect now, and installs them: the desktop entry (its Exec=
# lines start the launcher) and the manual page (which names the folder of the
# delivered files; compressed, as manual pages are installed).
# Set before: TALLYWICK_DESKTOP_TEMPLATE, TALLYWICK_MANUAL_TEMPLATE,
# TALLYWICK_STAGING, TALLYWICK_DATADIR, TALLYWICK_LAUNCHER_FOLDER,
# TALLYWICK_MANDIR, TALLYWICK_PRODUCT_NAME, PROJECT_VERSION, TALLYWICK_RELEASE_DATE.
cmake_path(ABSOLUTE_PATH TALLYWICK_DATADIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
    NORMALIZE OUTPUT_VARIABLE datadir)
cmake_path(ABSOLUTE_PATH TALLYWICK_MANDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
    NORMALIZE OUTPUT_VARIABLE mandir)
cmake_path(ABSOLUTE_PATH TALLYWICK_LAUNCHER_FOLDER BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
    NORMALIZE OUTPUT_VARIABLE launcher_folder)
set(TALLYWICK_DELIVERED_FOLDER "${datadir}/tallywick")
set(TALLYWICK_LAUNCHER "${launcher_folder}/tallywick-launcher")

# The launcher as the first word of an Exec= line: quoted when the prefix holds
# anything but letters, digits and / . _ + -, with \ " ` $ escaped inside the
# quotes, then every backslash doubled and % doubled, as a desktop entry's
# values read backslashes and the Exec key reads % (the rules desktops
# follow for that key).
if(TALLYWICK_LAUNCHER MATCHES "^[A-Za-z0-9/._+-]+$")
    set(TALLYWICK_LAUNCHER_COMMAND "${TALLYWICK_LAUNCHER}")
else()
    string(REGEX REPLACE "([\\\"`$])" "\\\\\\1" quoted "${TALLYWICK_LAUNCHER}")
    string(REPLACE "\\" "\\\\" quoted "\"${quoted}\"")
    string(REPLACE "%" "%%" TALLYWICK_LAUNCHER_COMMAND "${quoted}")
endif()

# One staging folder per prefix: two installs at once never mix their files.
string(MD5 prefix_key "${CMAKE_INSTALL_PREFIX}")
set(staging "${TALLYWICK_STAGING}/${prefix_key}")

configure_file("${TALLYWICK_DESKTOP_TEMPLATE}" "${staging}/tallywick.desktop" @ONLY)
file(INSTALL DESTINATION "${datadir}/applications" TYPE FILE FILES "${staging}/tallywick.desktop")

configure_file("${TALLYWICK_MANUAL_TEMPLATE}" "${staging}/tallywick.1" @ONLY)
# No name and no time stamp in the gzip header: the same page gives the same bytes.
execute_process(COMMAND gzip -9 --no-name --stdout "${staging}/tallywick.1"
    OUTPUT_FILE "${staging}/tallywick.1.gz" RESULT_VARIABLE gzip_result)
if(NOT gzip_result EQUAL 0)
    message(FATAL_ERROR "gzip could not compress the manual page: ${gzip_result}")
endif()
file(INSTALL DESTINATION "${mandir}/man1" TYPE FILE FILES "${staging}/tallywick.1.gz")
