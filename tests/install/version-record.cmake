# The version record agrees everywhere it is kept: the program's own
# (QCoreApplication), the AppStream release and the Windows resource template
# all carry the project's version and the product name TALLYWICK.
#   cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DVERSION=1.0.0.0 -P version-record.cmake
foreach(variable SOURCE_DIR BINARY_DIR VERSION)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

function(expect file pattern what)
    file(READ "${file}" text)
    string(REGEX MATCH "${pattern}" found "${text}")
    if(NOT found)
        message(SEND_ERROR "${file}: ${what} (looked for ${pattern})")
    endif()
endfunction()

string(REPLACE "." "\\." version_pattern "${VERSION}")

expect("${SOURCE_DIR}/app/qt/main.cpp"
    "setApplicationVersion\\(QStringLiteral\\(\"${version_pattern}\"\\)\\)"
    "the application version is not ${VERSION}")
expect("${SOURCE_DIR}/app/qt/main.cpp"
    "setApplicationName\\(QStringLiteral\\(\"TALLYWICK\"\\)\\)"
    "the application name is not TALLYWICK")
expect("${SOURCE_DIR}/assets/example.tallywick.Tallywick.metainfo.xml"
    "<releases>[ \n]*<release version=\"${version_pattern}\""
    "the newest AppStream release is not ${VERSION}")

# The Windows template, filled in as its header says.
string(REPLACE "." ";" parts "${VERSION}")
list(GET parts 0 PROJECT_VERSION_MAJOR)
list(GET parts 1 PROJECT_VERSION_MINOR)
list(GET parts 2 PROJECT_VERSION_PATCH)
list(GET parts 3 PROJECT_VERSION_TWEAK)
if(PROJECT_VERSION_MINOR LESS 10)
    set(TALLYWICK_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
    set(TALLYWICK_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
set(rc "${BINARY_DIR}/version-record/version.rc")
configure_file("${SOURCE_DIR}/app/win32/version.rc.in" "${rc}" @ONLY)
file(READ "${rc}" text)
if(text MATCHES "@[A-Za-z_]+@")
    message(SEND_ERROR "${rc}: ${CMAKE_MATCH_0} is left unfilled")
endif()
string(REPLACE "." ", " numbers "${VERSION}")
expect("${rc}" "\nFILEVERSION ${numbers}\n" "FILEVERSION is not ${numbers}")
expect("${rc}" "\nPRODUCTVERSION ${numbers}\n" "PRODUCTVERSION is not ${numbers}")
expect("${rc}" "VALUE \"FileVersion\", \"${TALLYWICK_VERSION_TEXT}\"" "FileVersion is not ${TALLYWICK_VERSION_TEXT}")
expect("${rc}" "VALUE \"ProductVersion\", \"${TALLYWICK_VERSION_TEXT}\"" "ProductVersion is not ${TALLYWICK_VERSION_TEXT}")
expect("${rc}" "VALUE \"ProductName\", \"TALLYWICK\"" "ProductName is not TALLYWICK")
