// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QListView>

namespace tallywick {

// A list view that behaves like a Windows list box from the keyboard: with
// nothing selected, Home, End or an arrow key selects an entry. A plain
// QListView makes the first entry current, unselected, when it takes the
// focus, so Home would then move nowhere and select nothing.
class PartnerListView final : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

protected:
    void focusInEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

} // namespace tallywick
