// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/ScreenReaderNames.h"

#include "platform/win32/WideText.h"
#include "ui/win32/AccessibleControl.h"

#include <oleacc.h>
#include <string>
#include <utility>

namespace tallywick {

namespace {

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

void nameForScreenReaders(const FormControls& controls) {
    // Roles are said outright: Wine's standard object takes a list box for a
    // plain window.
    for (const ControlSpec& design : kControlTable) {
        const HWND window = controls.window(design.id);
        AccessibleNames names;
        if (design.labelledBy) {
            names.name = [label = controls.window(*design.labelledBy)] {
                return windowText(label);
            };
            if (design.kind == ControlKind::Label) {
                names.value = [window] {
                    return windowText(window);
                };
            } else if (design.kind == ControlKind::ListBox) {
                names.role = ROLE_SYSTEM_LIST;
            }
        } else if (!design.accessibleName.empty()) {
            names.name = [name = toWide(design.accessibleName)] {
                return name;
            };
            names.role = ROLE_SYSTEM_GRAPHIC;
        } else {
            continue;
        }
        makeAccessible(window, std::move(names));
    }
}

} // namespace tallywick
