// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QWidget>
#include <vector>

class QAction;
class QMenuBar;
class QVBoxLayout;

namespace tallywick {

// A menu bar that wraps its entries onto further rows when they do not fit
// the window's width, as a Windows menu bar does, instead of hiding the last
// ones behind an extension button.
class WrappingMenuBar final : public QWidget {
    Q_OBJECT
public:
    explicit WrappingMenuBar(QWidget* parent = nullptr);

    // Entries are placed in order; an action with a menu opens it.
    void setEntries(const std::vector<QAction*>& entries, int width);

    [[nodiscard]] const std::vector<QMenuBar*>& rows() const noexcept { return rows_; }

private:
    QMenuBar* addRow();

    QVBoxLayout* layout_;
    std::vector<QMenuBar*> rows_;
};

} // namespace tallywick
