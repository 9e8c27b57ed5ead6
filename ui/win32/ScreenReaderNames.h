// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/win32/FormControls.h"

namespace tallywick {

// Gives the controls the names a screen reader speaks, from the control
// table: a list or a memory figure is named by the label that names it (a
// figure keeps its own text as its value), a picture by what it shows. The
// names follow the labels' texts as they change.
void nameForScreenReaders(const FormControls& controls);

} // namespace tallywick
