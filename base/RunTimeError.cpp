// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "base/RunTimeError.h"

namespace tallywick {

std::string_view errorDescription(ErrorNumber number) noexcept {
    switch (number) {
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::OutOfMemory:
        return "Out of memory";
    case ErrorNumber::InternalError:
        return "Internal error";
    case ErrorNumber::FileNotFound:
        return "File not found";
    case ErrorNumber::DeviceIo:
        return "Device I/O error";
    case ErrorNumber::PermissionDenied:
        return "Permission denied";
    case ErrorNumber::PathFileAccess:
        return "Path/File access error";
    }
    return "Application-defined or object-defined error";
}

std::string RunTimeError::reportText() const {
    return "Run-time error '" + std::to_string(static_cast<int>(number_)) + "':\n\n" + what();
}

RunTimeError fileError(ErrorNumber number, std::string_view fileName, std::string_view detail) {
    std::string description(errorDescription(number));
    description += ": ";
    description += fileName;
    if (!detail.empty()) {
        description += ' ';
        description += detail;
    }
    return {number, description};
}

} // namespace tallywick
