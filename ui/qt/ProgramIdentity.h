// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

namespace tallywick {

// Tells Qt the program's name, version, desktop entry and icon, once the
// QApplication exists: every window shows the icon, message boxes without a
// parent included, and the desktop groups them under the program's entry.
// The program and its launcher alike.
void describeProgram();

} // namespace tallywick
