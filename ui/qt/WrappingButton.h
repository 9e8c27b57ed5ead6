// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QPushButton>

namespace tallywick {

// A push button whose caption wraps onto further lines when it does not fit
// on one, as Windows command buttons do. The caption's access key still
// underlines and presses the button.
class WrappingButton final : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tallywick
