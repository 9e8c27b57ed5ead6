// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "launch/ShellResultText.h"

namespace tallywick {

std::string_view shellResultText(std::int32_t result) noexcept {
    // The trailing blanks of 6 and 12 and the spelling of 15 are the texts
    // users of the Windows edition have always seen.
    switch (result) {
    case 0:
        return "The file could not be run due to insufficient system memory or a corrupt program "
               "file";
    case 2:
        return "File Not Found";
    case 3:
        return "Invalid Path";
    case 5:
        return "Sharing or protection error";
    case 6:
        return "Separate data segments are required for each task ";
    case 8:
        return "Insufficient memory to run the program";
    case 10:
        return "Incorrect Windows version";
    case 11:
        return "Invalid Program File";
    case 12:
        return "Program file requires a different operating System ";
    case 13:
        return "Program requires MS-DOS 4.0";
    case 14:
        return "Unknown program file type";
    case 15:
        return "Windows prgram does not support protected memory mode";
    case 16:
        return "Invalid use of data segments when loading a second instance of a program";
    case 19:
        return "Attempt to run a compressed program file";
    case 20:
        return "Invalid dynamic link library";
    case 21:
        return "Program requires Windows 32-bit extensions";
    case 31:
        return "No application found for this file";
    default:
        return {};
    }
}

} // namespace tallywick
