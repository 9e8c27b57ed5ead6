// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/PartnerListView.h"

#include "ui/qt/PartnerListAccessible.h"

#include <QAccessible>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tallywick {

PartnerListView::PartnerListView(QWidget* parent) : QAbstractItemView(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(&PartnerListAccessible::create);
        return true;
    }();
    static_cast<void>(accessible);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int PartnerListView::rowCount() const {
    return model() != nullptr ? model()->rowCount(rootIndex()) : 0;
}

QModelIndex PartnerListView::row(int number) const {
    return model()->index(number, 0, rootIndex());
}

int PartnerListView::rowHeight() const {
    if (rowHeight_ == 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex first = rowCount() > 0 ? row(0) : QModelIndex();
        const int measured = first.isValid() ? itemDelegate()->sizeHint(option, first).height() : 0;
        rowHeight_ = std::max({measured, fontMetrics().height(), 1});
    }
    return rowHeight_;
}

int PartnerListView::topRow() const {
    return verticalScrollBar()->value();
}

int PartnerListView::rowsInView() const {
    return std::max(1, viewport()->height() / rowHeight());
}

QRect PartnerListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != model()) {
        return {};
    }
    return {0, (index.row() - topRow()) * rowHeight(), viewport()->width(), rowHeight()};
}

void PartnerListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) {
        return;
    }
    const int number = index.row();
    const int top = topRow();
    const int shown = rowsInView();
    int newTop = top;
    switch (hint) {
    case EnsureVisible:
        if (number < top) {
            newTop = number;
        } else if (number >= top + shown) {
            newTop = number - shown + 1;
        }
        break;
    case PositionAtTop:
        newTop = number;
        break;
    case PositionAtBottom:
        newTop = number - shown + 1;
        break;
    case PositionAtCenter:
        newTop = number - shown / 2;
        break;
    }
    verticalScrollBar()->setValue(newTop); // the scroll bar keeps it in range
}

QModelIndex PartnerListView::indexAt(const QPoint& point) const {
    if (point.y() < 0 || point.x() < 0 || point.x() >= viewport()->width()) {
        return {};
    }
    const int number = topRow() + point.y() / rowHeight();
    return number < rowCount() ? row(number) : QModelIndex();
}

void PartnerListView::reset() {
    rowHeight_ = 0;
    QAbstractItemView::reset();
    updateGeometries();
    viewport()->update();
}

QModelIndex PartnerListView::moveCursor(CursorAction action, Qt::KeyboardModifiers /*modifiers*/) {
    const int rows = rowCount();
    if (rows == 0) {
        return {};
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        // From no entry at all, End goes to the last one and every other
        // move to the first.
        return row(action == MoveEnd ? rows - 1 : 0);
    }
    const int at = current.row();
    const int top = topRow();
    const int page = rowsInView();
    const int bottom = std::min(rows - 1, top + page - 1);
    int to = at;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        to = at - 1;
        break;
    case MoveDown:
    case MoveNext:
        to = at + 1;
        break;
    case MoveHome:
        to = 0;
        break;
    case MoveEnd:
        to = rows - 1;
        break;
    case MovePageUp:
        to = at == top ? at - (page - 1) : top;
        break;
    case MovePageDown:
        to = at == bottom ? at + (page - 1) : bottom;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return row(std::clamp(to, 0, rows - 1));
}

int PartnerListView::horizontalOffset() const {
    return 0;
}

int PartnerListView::verticalOffset() const {
    return topRow() * rowHeight();
}

bool PartnerListView::isIndexHidden(const QModelIndex& /*index*/) const {
    return false;
}

void PartnerListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const int rows = rowCount();
    const QRect area = rect.normalized();
    const int first = std::max(0, topRow() + area.top() / rowHeight());
    const int last = std::min(rows - 1, topRow() + area.bottom() / rowHeight());
    if (first > last) {
        selectionModel()->select(QItemSelection(), command);
        return;
    }
    selectionModel()->select(QItemSelection(row(first), row(last)), command);
}

QRegion PartnerListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (range.isValid() && range.model() == model()) {
            region += visualRect(range.topLeft()).united(visualRect(range.bottomRight()));
        }
    }
    return region & viewport()->rect();
}

void PartnerListView::updateGeometries() {
    const int shown = rowsInView();
    verticalScrollBar()->setRange(0, std::max(0, rowCount() - shown));
    verticalScrollBar()->setPageStep(shown);
    verticalScrollBar()->setSingleStep(1);
    QAbstractItemView::updateGeometries();
}

void PartnerListView::scrollContentsBy(int /*dx*/, int dy) {
    viewport()->scroll(0, dy * rowHeight());
}

void PartnerListView::paintEvent(QPaintEvent* event) {
    const int rows = rowCount();
    if (rows == 0) {
        return;
    }
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State base = option.state;
    const bool focused = hasFocus() || viewport()->hasFocus();
    const QModelIndex current = currentIndex();
    const QRect area = event->rect();
    const int first = topRow() + std::max(0, area.top()) / rowHeight();
    const int last = std::min(rows - 1, topRow() + area.bottom() / rowHeight());
    for (int number = first; number <= last; ++number) {
        const QModelIndex index = row(number);
        option.rect = visualRect(index);
        option.state = base;
        if (selectionModel()->isSelected(index)) {
            option.state |= QStyle::State_Selected;
        }
        if (focused && index == current) {
            option.state |= QStyle::State_HasFocus;
        }
        itemDelegate()->paint(&painter, option, index);
    }
}

void PartnerListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    // A screen reader follows the entry that the keyboard moves to.
    if (QAccessible::isActive() && hasFocus() && current.isValid()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row());
        QAccessible::updateAccessibility(&event);
    }
}

void PartnerListView::focusInEvent(QFocusEvent* event) {
    QAbstractItemView::focusInEvent(event);
    // The base class makes the first entry current, unselected, when the
    // list takes the focus; Home would then move nowhere and select nothing.
    if (selectionModel() != nullptr && !selectionModel()->hasSelection()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

bool PartnerListView::event(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        rowHeight_ = 0;
        updateGeometries();
    }
    return QAbstractItemView::event(event);
}

} // namespace tallywick
