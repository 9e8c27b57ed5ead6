// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/ListBoxView.h"

#include <QApplication>
#include <QFocusEvent>
#include <algorithm>

namespace tallywick {

ListBoxView::ListBoxView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int ListBoxView::rowCount() const {
    return model() != nullptr ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex ListBoxView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const int rows = rowCount();
    if (rows == 0) {
        return {};
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current)) {
        return model()->index(action == MoveEnd ? rows - 1 : 0, 0, rootIndex());
    }
    switch (action) {
    case MoveLeft:
    case MoveRight:
        return current;
    case MovePageUp:
    case MovePageDown: {
        // Rows are whole and of one height: the view scrolls by rows.
        const int rowHeight = std::max(1, visualRect(current).height());
        const int page = std::max(1, viewport()->height() / rowHeight);
        const QModelIndex topIndex = indexAt(QPoint(0, 0));
        const int top = topIndex.isValid() ? topIndex.row() : 0;
        const int bottom = std::min(rows - 1, top + page - 1);
        const int at = current.row();
        int to = 0;
        if (action == MovePageDown) {
            to = at == bottom ? at + page - 1 : bottom;
        } else {
            to = at == top ? at - (page - 1) : top;
        }
        return model()->index(std::clamp(to, 0, rows - 1), 0, rootIndex());
    }
    default:
        return QListView::moveCursor(action, modifiers);
    }
}

void ListBoxView::keyboardSearch(const QString& search) {
    const int rows = rowCount();
    if (rows == 0 || search.isEmpty()) {
        return;
    }
    if (!sinceTyped_.isValid() || sinceTyped_.restart() > QApplication::keyboardInputInterval()) {
        typed_.clear();
        sinceTyped_.start();
    }
    typed_ += search;
    // One letter, or the same letter again: the next entry after the current
    // one. More letters: the current entry still matches as they are added.
    const bool oneLetter = typed_.count(typed_.front()) == typed_.size();
    const QString prefix = oneLetter ? QString(typed_.front()) : typed_;
    const QModelIndex current = currentIndex();
    int from = 0;
    if (current.isValid() && selectionModel()->isSelected(current)) {
        from = oneLetter ? (current.row() + 1) % rows : current.row();
    }
    const QModelIndexList found =
        model()->match(model()->index(from, 0, rootIndex()), Qt::DisplayRole, prefix, 1,
                       Qt::MatchStartsWith | Qt::MatchWrap);
    if (!found.isEmpty()) {
        setCurrentIndex(found.front());
    }
}

bool ListBoxView::event(QEvent* event) {
    if (event->type() == QEvent::Show && !currentIndex().isValid()) {
        // The item view places every row as it shows, before the window is
        // mapped: milliseconds for three full lists. Placed from the event
        // loop instead, they are placed while the window manager maps the
        // window, and anything that asks where a row is before then places
        // them first. With a current entry the item view's own step stays,
        // as it also scrolls to that entry.
        QMetaObject::invokeMethod(
            this, [this] { executeDelayedItemsLayout(); }, Qt::QueuedConnection);
        return QAbstractScrollArea::event(event); // NOLINT(bugprone-parent-virtual-call)
    }
    return QListView::event(event);
}

void ListBoxView::focusInEvent(QFocusEvent* event) {
    if (selectionModel() != nullptr && !selectionModel()->hasSelection()) {
        // The item view would make the first entry current, unselected, and
        // tell a screen reader that it has the focus; a list box with nothing
        // selected has no current entry, and the list itself has the focus.
        // Skipping the item view's step is the point here.
        QAbstractScrollArea::focusInEvent(event); // NOLINT(bugprone-parent-virtual-call)
        setAttribute(Qt::WA_InputMethodEnabled, false);
        viewport()->update();
        return;
    }
    QListView::focusInEvent(event);
}

} // namespace tallywick
