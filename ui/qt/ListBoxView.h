// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QElapsedTimer>
#include <QListView>

namespace tallywick {

// A partner list: Qt's list view with every row the same height (measured
// once, so a list of 32,767 entries paints as fast as a short one) and one
// entry selected at a time. Its rows are placed from the event loop once it
// shows, not as it shows, so that a full list does not hold up the window.
// Otherwise it differs from QListView only where a Windows list box answers
// the keyboard otherwise: with no entry selected there is no current entry
// either, End selects the last entry and every other move the first; Page Up
// and Page Down go to the edge of the rows in view before they go a page
// further; Left and Right stay where they are; typing a letter again and
// again goes on to each next entry that begins with it.
class ListBoxView final : public QListView {
    Q_OBJECT
public:
    explicit ListBoxView(QWidget* parent = nullptr);

    // Letters typed in quick succession select the next entry that begins
    // with them; the same letter typed again selects the next one after that.
    void keyboardSearch(const QString& search) override;

protected:
    bool event(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    [[nodiscard]] int rowCount() const;

    QString typed_;
    QElapsedTimer sinceTyped_;
};

} // namespace tallywick
