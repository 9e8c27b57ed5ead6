// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// Resource numbers shared by tallywick.rc and the code. The icon has the
// lowest number, so it is also the program file's icon.
#define IDI_TALLYWICK 1
