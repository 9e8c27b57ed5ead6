// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tallywick {

// Run-time error numbers the program raises; the values are the ones users of
// the Windows edition know from its error reports.
enum class ErrorNumber : int {
    Overflow = 6,
    OutOfMemory = 7,
    InternalError = 51,
    FileNotFound = 53,
    DeviceIo = 57,
    PermissionDenied = 70,
    PathFileAccess = 75,
};

// What the report says an error number means: "File not found".
[[nodiscard]] std::string_view errorDescription(ErrorNumber number) noexcept;

// A failure no handler traps: it ends the program after the run-time error
// report. Launch commands that trap errors catch it locally.
class RunTimeError : public std::runtime_error {
public:
    // The error with its number's own description.
    explicit RunTimeError(ErrorNumber number)
        : RunTimeError(number, std::string(errorDescription(number))) {}
    RunTimeError(ErrorNumber number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    [[nodiscard]] ErrorNumber number() const noexcept { return number_; }
    [[nodiscard]] std::string description() const { return what(); }

    // "Run-time error '53':" then a blank line and the description.
    [[nodiscard]] std::string reportText() const;

private:
    ErrorNumber number_;
};

// An error about one file, named in its description after the number's own
// text, with what else there is to say after the name:
// "File not found: buslist.txt",
// "Overflow: buslist.txt holds more than 32,767 entries".
[[nodiscard]] RunTimeError fileError(ErrorNumber number, std::string_view fileName,
                                     std::string_view detail = {});

// Runs an action and turns whatever escapes it into the RunTimeError that
// reports it: running out of memory is error 7, anything unforeseen error 51.
template <typename Action> void raiseAsRunTimeError(Action&& action) {
    try {
        action();
    } catch (const RunTimeError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw RunTimeError(ErrorNumber::OutOfMemory);
    } catch (const std::exception& e) {
        throw RunTimeError(ErrorNumber::InternalError,
                           std::string(errorDescription(ErrorNumber::InternalError)) + ": " +
                               e.what());
    }
}

} // namespace tallywick
