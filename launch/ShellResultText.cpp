// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "launch/ShellResultText.h"

namespace tallywick {

std::string_view shellResultText(ShellResult result) noexcept {
    // The trailing blanks of 6 and 12 and the spelling of 15 are the texts
    // users of the Windows edition have always seen.
    switch (result) {
    case ShellResult::OutOfResources:
        return "The file could not be run due to insufficient system memory or a corrupt program "
               "file";
    case ShellResult::FileNotFound:
        return "File Not Found";
    case ShellResult::PathNotFound:
        return "Invalid Path";
    case ShellResult::AccessDenied:
        return "Sharing or protection error";
    case ShellResult::SeparateDataSegments:
        return "Separate data segments are required for each task ";
    case ShellResult::OutOfMemory:
        return "Insufficient memory to run the program";
    case ShellResult::WrongWindowsVersion:
        return "Incorrect Windows version";
    case ShellResult::BadFormat:
        return "Invalid Program File";
    case ShellResult::OtherOperatingSystem:
        return "Program file requires a different operating System ";
    case ShellResult::NeedsMsDos4:
        return "Program requires MS-DOS 4.0";
    case ShellResult::UnknownProgramType:
        return "Unknown program file type";
    case ShellResult::RealModeProgram:
        return "Windows prgram does not support protected memory mode";
    case ShellResult::SecondInstanceDataSegments:
        return "Invalid use of data segments when loading a second instance of a program";
    case ShellResult::CompressedProgram:
        return "Attempt to run a compressed program file";
    case ShellResult::BadLibrary:
        return "Invalid dynamic link library";
    case ShellResult::Needs32BitExtensions:
        return "Program requires Windows 32-bit extensions";
    case ShellResult::NoAssociation:
        return "No application found for this file";
    case ShellResult::Launched:
        break;
    }
    return {};
}

} // namespace tallywick
