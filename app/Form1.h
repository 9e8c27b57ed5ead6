// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "app/MainWindowPort.h"
#include "app/MenuTree.h"
#include "base/RunTimeError.h"
#include "launch/ShellArgument.h"
#include "ports/InstancePort.h"
#include "ports/ListFilePort.h"
#include "ports/MemoryPort.h"
#include "ports/MessageBoxPort.h"
#include "ports/NumberFormatPort.h"
#include "ports/ShellPort.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tallywick {

// The platform services the program runs on; one set per operating system,
// fakes in tests.
struct Services {
    ShellPort& shell;
    MessageBoxPort& boxes;
    InstancePort& instance;
    ListFilePort& listFiles;
    MemoryPort& memory;
    NumberFormatPort& numbers;
    // The program the About command opens the help text with: Notepad on
    // Windows, elsewhere the desktop entry of the application the desktop
    // chooses for plain text, asked when About is chosen (never at start-up,
    // and a choice changed meanwhile counts).
    std::function<std::string()> textViewer;
};

enum class LoadOutcome { Show, AnotherCopy, Failed };
enum class HandlerOutcome { Continue, Exit, Failed };

// Exit codes: 0 for a normal end and for the silent second copy, 1 after a
// run-time error.
[[nodiscard]] int exitCode(LoadOutcome outcome) noexcept;
[[nodiscard]] int exitCode(HandlerOutcome outcome) noexcept;

// The main window's behaviour: the start-up sequence and every event handler.
// A front-end builds the window, calls load() while it is still hidden, shows
// it on LoadOutcome::Show, and forwards each click here. A run-time error that
// no handler traps is reported here; the front-end then ends the program.
class Form1 {
public:
    Form1(Services services, MainWindowPort& window);

    [[nodiscard]] LoadOutcome load();
    [[nodiscard]] HandlerOutcome click(ControlId button);
    [[nodiscard]] HandlerOutcome choose(const MenuItemSpec& item);

    // Opens a document or web address with "Open"; reports a refusal.
    void RunFile(const std::string& mFile, const std::string& mFilePath, std::int16_t RunStyle);
    // Hands an explicit operation to the shell with the desktop as parent;
    // the shell's answer is not looked at.
    void RunShellExecute(std::string& sTopic, const ShellArgument& sFile,
                         const ShellArgument& sParams, const ShellArgument& sDirectory,
                         std::int32_t nShowCmd);

private:
    void fillLists();
    void writeCountCaptions();
    void writeMemoryFigures();
    void openCardApplication(ControlId button);
    void openLink(std::string_view page);
    void showAbout();
    void report(const RunTimeError& error);

    Services services_;
    MainWindowPort& window_;
};

} // namespace tallywick
