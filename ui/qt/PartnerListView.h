// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QAbstractItemView>

namespace tallywick {

// A list box for one partner list: every row the same height, one column,
// one selected entry. Its cost does not grow with its rows: a row's place is
// its number times the row height, so nothing is laid out or kept per row,
// and painting and scrolling touch only the rows in view. A full list of
// 32,767 entries shows and answers its first key as fast as an empty one.
//
// From the keyboard it behaves like a Windows list box: with nothing
// selected, Home, End or an arrow key selects an entry; Page Up and Page
// Down go to the edge of the rows in view, then a page further. It scrolls by
// whole rows.
class PartnerListView final : public QAbstractItemView {
    Q_OBJECT
public:
    explicit PartnerListView(QWidget* parent = nullptr);

    [[nodiscard]] QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    [[nodiscard]] QModelIndex indexAt(const QPoint& point) const override;
    void reset() override;

    // The first row in view.
    [[nodiscard]] int topRow() const;
    // Rows that fit the view whole (at least one).
    [[nodiscard]] int rowsInView() const;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    [[nodiscard]] int horizontalOffset() const override;
    [[nodiscard]] int verticalOffset() const override;
    [[nodiscard]] bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    [[nodiscard]] QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    [[nodiscard]] int rowCount() const;
    [[nodiscard]] int rowHeight() const;
    [[nodiscard]] QModelIndex row(int number) const;

    // The height of one row, measured from the first entry: every entry is
    // one line of the view's font.
    mutable int rowHeight_ = 0;
};

} // namespace tallywick
