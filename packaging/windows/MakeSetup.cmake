# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Makes the NSIS installer from the files as delivered:
#   cmake -DSETTINGS=DeliverySettings.cmake -DFOLDER=DIR -DOUTPUT=FILE
#         -DVERSION=1.0.0.0 [-DSIGN=ON] -P MakeSetup.cmake
# FOLDER holds the program and the delivered files; with SIGN, the installer
# and the uninstaller it carries are signed (sign.sh, from the certificate
# named in the environment).
include(${SETTINGS})
foreach(variable IN ITEMS FOLDER OUTPUT VERSION)
    if(NOT ${variable})
        message(FATAL_ERROR "MakeSetup.cmake: ${variable} is not given")
    endif()
endforeach()

set(signing)
if(SIGN)
    set(signing -DSIGN_SCRIPT=${SIGN_SCRIPT})
endif()
file(REMOVE ${OUTPUT})
execute_process(
    COMMAND ${MAKENSIS} -NOCONFIG -V2 -INPUTCHARSET UTF8
            -DPRODUCT=${PRODUCT} -DPUBLISHER=${PUBLISHER}
            -DVERSION=${VERSION} -DVERSION_TEXT=${VERSION_TEXT}
            -DICON=${ICON} -DFILES_NSH=${NSIS_FILES} -DFOLDER=${FOLDER}
            -DMSI_UPGRADE_CODE=${MSI_UPGRADE_CODE}
            -DLAUNCHER=${LAUNCHER} -DOPEN_FOLDER_ARGUMENT=${OPEN_FOLDER_ARGUMENT}
            -DOUTFILE=${OUTPUT} ${signing}
            ${NSIS_SCRIPT}
    COMMAND_ERROR_IS_FATAL ANY)
