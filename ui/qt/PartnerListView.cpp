// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/PartnerListView.h"

namespace tallywick {

void PartnerListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    if (selectionModel() != nullptr && !selectionModel()->hasSelection()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

QModelIndex PartnerListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // From no entry at all, End still goes to the last one.
    if (!currentIndex().isValid() && action == MoveEnd && model() != nullptr &&
        model()->rowCount(rootIndex()) > 0) {
        return model()->index(model()->rowCount(rootIndex()) - 1, modelColumn(), rootIndex());
    }
    return QListView::moveCursor(action, modifiers);
}

} // namespace tallywick
