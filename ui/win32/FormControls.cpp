// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/FormControls.h"

#include "platform/win32/WideText.h"
#include "ui/win32/CommandIds.h"
#include "ui/win32/DpiScaling.h"

#include <commctrl.h>

namespace tallywick {

namespace {

// At 96 DPI a pixel is 15 twips, as the Qt window counts them.
static_assert(kTwipsPerInch == kTwipsPerPixel * kPixelsPerInchAt96Dpi);

// The layout is drawn for the 8-point dialog font.
constexpr int kFontPoints = 8;

int controlIdOf(ControlId id) {
    return kFirstControlId + static_cast<int>(id);
}

RECT rectAt(const ControlSpec& design, UINT dpi) {
    const int left = atDpi(design.left, kTwipsPerInch, dpi);
    const int top = atDpi(design.top, kTwipsPerInch, dpi);
    return {left, top, left + atDpi(design.width, kTwipsPerInch, dpi),
            top + atDpi(design.height, kTwipsPerInch, dpi)};
}

void place(HWND window, const RECT& rect) {
    ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The system class that draws a control of the table, with its styles.
struct SystemClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

SystemClass systemClassOf(const ControlSpec& design) {
    switch (design.kind) {
    case ControlKind::Label: {
        // Both alignments wrap words onto further lines.
        const DWORD alignment = design.alignment == TextAlignment::Center ? SS_CENTER : SS_LEFT;
        return {WC_STATICW, alignment | SS_NOPREFIX | WS_CLIPSIBLINGS, 0};
    }
    case ControlKind::ListBox:
        return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton:
        return {WC_BUTTONW, BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0};
    case ControlKind::PictureBox:
        break;
    }
    return {nullptr, 0, 0};
}

HFONT createDialogFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -atDpi(kFontPoints, kPointsPerInch, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    // "MS Shell Dlg" is the system's alias for its dialog face.
    ::lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    return ::CreateFontIndirectW(&font);
}

} // namespace

HWND FormControls::Control::window() const {
    if (child) {
        return child->hwnd();
    }
    return picture ? picture->window() : nullptr;
}

FormControls::~FormControls() {
    if (font_ != nullptr) {
        ::DeleteObject(font_);
    }
}

void FormControls::create(HWND parent, UINT dpi, const std::function<void(ControlId)>& onClick) {
    dpi_ = dpi;
    font_ = createDialogFont(dpi_);
    // Dialog navigation follows the windows' order, so they are made in tab
    // order; that also puts the lists above the labels they touch.
    for (const ControlSpec* ordered : controlsInTabOrder()) {
        const ControlSpec& design = *ordered;
        Control& control = controls_[static_cast<std::size_t>(design.id)];
        const RECT rect = rectAt(design, dpi_);
        if (design.kind == ControlKind::PictureBox) {
            // The program's resources hold each picture under its name.
            control.picture = std::make_unique<PictureBox>(
                parent, controlIdOf(design.id), rect,
                ResourceBitmap::load(::GetModuleHandleW(nullptr), toWide(design.image).c_str()));
            continue;
        }
        const SystemClass system = systemClassOf(design);
        ChildControl::CreateArgs args;
        args.parent = parent;
        args.className = system.name;
        args.text = toWide(design.text);
        args.style = system.style;
        args.exStyle = system.exStyle;
        args.id = controlIdOf(design.id);
        args.rect = rect;
        args.font = font_;
        control.child = std::make_unique<ChildControl>(args);
        if (design.kind == ControlKind::CommandButton) {
            control.child->onClick = [onClick, button = design.id] {
                onClick(button);
            };
        }
    }
}

void FormControls::applyDpi(UINT dpi) {
    const HFONT previous = font_;
    if (dpi != dpi_) {
        font_ = createDialogFont(dpi);
        dpi_ = dpi;
    }
    for (const ControlSpec& design : kControlTable) {
        const Control& control = at(design.id);
        if (control.child) {
            control.child->setFont(font_);
        }
        place(control.window(), rectAt(design, dpi_));
    }
    if (previous != font_) {
        ::DeleteObject(previous);
    }
}

HWND FormControls::window(ControlId id) const {
    return at(id).window();
}

std::optional<ControlId> FormControls::find(HWND window) const {
    if (window == nullptr) {
        return std::nullopt;
    }
    const int row = ::GetDlgCtrlID(window) - kFirstControlId;
    if (row < 0 || row >= static_cast<int>(controls_.size())) {
        return std::nullopt;
    }
    const auto id = static_cast<ControlId>(row);
    return at(id).window() == window ? std::optional<ControlId>(id) : std::nullopt;
}

void FormControls::click(HWND window) const {
    if (const std::optional<ControlId> id = find(window)) {
        const Control& control = at(*id);
        if (control.child && control.child->onClick) {
            control.child->onClick();
        }
    }
}

void FormControls::setText(ControlId id, std::string_view utf8) const {
    if (const Control& control = at(id); control.child) {
        control.child->setText(utf8);
    }
}

} // namespace tallywick
