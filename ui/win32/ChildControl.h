// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <windows.h>

namespace tallywick {

// A child window of one of the system's control classes (Button, ListBox,
// Static), created from its arguments, with the handler for its clicks.
class ChildControl {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        const wchar_t* className = nullptr;
        std::wstring text;
        DWORD style = 0;
        DWORD exStyle = 0;
        int id = 0;
        RECT rect{};          // in the parent's client area
        HFONT font = nullptr; // none: the system font
    };

    explicit ChildControl(const CreateArgs& args);
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }

    void setText(std::string_view utf8) const;
    void setFont(HFONT font) const;

    // Called when the control reports a click (BN_CLICKED).
    std::function<void()> onClick;

private:
    HWND hwnd_ = nullptr;
};

} // namespace tallywick
