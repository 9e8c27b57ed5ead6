# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# Makes the Windows Installer package from the files as delivered, with wixl:
#   cmake -DSETTINGS=DeliverySettings.cmake -DFOLDER=DIR -DOUTPUT=FILE
#         -DVERSION=1.0.0.0 [-DSIGN=ON] -P MakeMsi.cmake
# FOLDER holds the program and the delivered files; with SIGN, the package is
# signed (sign.sh, from the certificate named in the environment).
#
# What wixl would stamp into the package differently each time is fixed:
# - the product code: one of its own for each version, derived from it, so
#   that a package of another version upgrades this one;
# - the package code, which names one package's exact contents: derived from
#   the version and the bytes of every file it packs;
# - the summary's creation and last-saved times: the commit's time;
# - the times of the files in its cabinet: their own, which the build set to
#   the commit's time (wixl runs in UTC, which the cabinet's local times take).
include(${SETTINGS})
foreach(variable IN ITEMS FOLDER OUTPUT VERSION)
    if(NOT ${variable})
        message(FATAL_ERROR "MakeMsi.cmake: ${variable} is not given")
    endif()
endforeach()

# Name-based (SHA-1) identifiers in a namespace of this program's own.
set(namespace D9D238EF-D244-47D3-B302-A738726F49A6)
string(UUID product_code NAMESPACE ${namespace} NAME "ProductCode ${VERSION}" TYPE SHA1 UPPER)
set(contents "${PRODUCT} ${VERSION}")
foreach(file IN ITEMS ${WIX_SOURCE} ${WIX_INCLUDES}/files.wxi ${WIX_INCLUDES}/references.wxi ${ICON})
    file(SHA256 ${file} hash)
    string(APPEND contents " ${hash}")
endforeach()
foreach(name IN LISTS DELIVERED_NAMES)
    file(SHA256 ${FOLDER}/${name} hash)
    string(APPEND contents " ${name} ${hash}")
endforeach()
string(UUID package_code NAMESPACE ${namespace} NAME "PackageCode ${contents}" TYPE SHA1 UPPER)

# wixl finds the packed files by their names in the folder it runs in.
file(RELATIVE_PATH icon ${FOLDER} ${ICON})
file(REMOVE ${OUTPUT})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
            ${WIXL} -a x64 -I ${WIX_INCLUDES} -o ${OUTPUT}
            -D ProductName=${PRODUCT} -D Publisher=${PUBLISHER} -D Version=${VERSION}
            -D ProductCode=${product_code} -D UpgradeCode=${MSI_UPGRADE_CODE} -D Icon=${icon}
            ${WIX_SOURCE}
    WORKING_DIRECTORY ${FOLDER}
    OUTPUT_VARIABLE output ERROR_VARIABLE output
    RESULT_VARIABLE result)
# wixl says "unimplemented" of a shortcut that is not advertised, which it
# writes all the same; anything else it says is worth seeing.
string(REGEX REPLACE "[^\n]*builder.vala:[0-9]+: unimplemented\n?" "" output "${output}")
if(output)
    message("${output}")
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl failed (${result})")
endif()

# The summary, through its table: the package code and both times.
set(work ${OUTPUT}.summary)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
execute_process(COMMAND ${MSIINFO} export ${OUTPUT} _SummaryInformation
    OUTPUT_FILE ${work}/_SummaryInformation.idt
    COMMAND_ERROR_IS_FATAL ANY)
file(READ ${work}/_SummaryInformation.idt summary)
set(time)
if(SOURCE_EPOCH)
    set(ENV{SOURCE_DATE_EPOCH} ${SOURCE_EPOCH})
    string(TIMESTAMP time "%Y/%m/%d %H:%M:%S" UTC)
endif()
# Property 9 is the package code, 12 and 13 the creation and last-saved times.
foreach(property IN ITEMS 9 12 13)
    if(property EQUAL 9)
        set(value "{${package_code}}")
    elseif(time)
        set(value "${time}")
    else()
        continue()
    endif()
    string(REGEX REPLACE "\n${property}\t[^\r\n]*" "\n${property}\t${value}" changed "${summary}")
    if(changed STREQUAL summary)
        message(FATAL_ERROR "msiinfo gave no summary property ${property}:\n${summary}")
    endif()
    set(summary "${changed}")
endforeach()
file(WRITE ${work}/_SummaryInformation.idt "${summary}")
# msibuild reads the times as local ones.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${MSIBUILD} ${OUTPUT} -i _SummaryInformation.idt
    WORKING_DIRECTORY ${work}
    COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${work})

if(SIGN)
    execute_process(COMMAND ${SIGN_SCRIPT} ${PRODUCT} ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
endif()
