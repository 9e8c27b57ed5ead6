# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# The release of this version as debian/changelog records it: its latest
# entry names the version dpkg gives the package, and its date is the day of
# the release, which the AppStream file and the manual page give and from which
# dpkg dates every file of the package. Sets TALLYWICK_RELEASE_DATE (YYYY-MM-DD);
# stops when the entry is for another version than project(VERSION), which is
# the one version of the program and of every package of it.
set(changelog ${PROJECT_SOURCE_DIR}/debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} heading LIMIT_COUNT 1 REGEX "^[a-z0-9][a-z0-9.+-]+ \\(")
file(STRINGS ${changelog} trailer LIMIT_COUNT 1 REGEX "^ -- ")
if(NOT heading MATCHES "^[a-z0-9.+-]+ \\(([^)]+)\\)")
    message(FATAL_ERROR "${changelog}: no entry heading in its first line: [${heading}]")
endif()
set(changelog_version ${CMAKE_MATCH_1})
if(NOT changelog_version STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${changelog}: its latest entry is for ${changelog_version}, "
        "project(VERSION) is ${PROJECT_VERSION}: give a new version an entry of its own (dch -v)")
endif()
# " -- Name <address>  Mon, 07 Dec 2026 12:00:00 +0000"
if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "${changelog}: the latest entry's trailer gives no date: [${trailer}]")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
if(month EQUAL -1)
    message(FATAL_ERROR "${changelog}: no month ${CMAKE_MATCH_2} in the latest entry's date")
endif()
math(EXPR month "${month} + 1")
foreach(part IN ITEMS day month)
    string(LENGTH ${${part}} digits)
    if(digits EQUAL 1)
        string(PREPEND ${part} 0)
    endif()
endforeach()
set(TALLYWICK_RELEASE_DATE ${year}-${month}-${day})
