// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QPushButton>

namespace tallywick {

// A push button that behaves as a Windows command button: its caption wraps
// onto further lines when it does not fit on one, and with the focus it is
// pressed by Return and Enter as well as by Space. The caption's access key
// still underlines and presses the button.
class WrappingButton final : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tallywick
