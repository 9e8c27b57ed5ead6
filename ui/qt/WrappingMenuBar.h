// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QPointer>
#include <QWidget>
#include <vector>

class QAction;
class QVBoxLayout;
class QWindow;

namespace tallywick {

class MenuRow;

// A menu bar that wraps its entries onto further rows when they do not fit
// the window's width, as a Windows menu bar does, instead of hiding the last
// ones behind an extension button. To the keyboard it is one bar: an Alt tap
// or F10 highlights the first entry, Left and Right go through all entries in
// order across the rows and wrap at the ends, Return or Down opens or runs
// the highlighted entry, and Escape (or F10 again) leaves the bar. Crossing
// from one row to the next moves the keyboard focus straight from row to row,
// and leaving the bar gives it back to the control that had it before.
class WrappingMenuBar final : public QWidget {
    Q_OBJECT
public:
    explicit WrappingMenuBar(QWidget* parent = nullptr);

    // Entries are placed in order; an action with a menu opens it.
    void setEntries(const std::vector<QAction*>& entries, int width);

    [[nodiscard]] const std::vector<MenuRow*>& rows() const noexcept { return rows_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MenuRow* addRow();
    void crossEdge(MenuRow* from, int direction, bool dropDownWasOpen);
    void toggleKeyboardMode();
    // Notes the control that had the focus before the keyboard entered the bar.
    void noteFocusChange(QWidget* from, QWidget* to);
    void giveFocusBack();
    [[nodiscard]] bool isRow(const QWidget* widget) const;
    // Between Alt going down and coming up: a tap alone toggles the keyboard
    // mode; any other key, a click or a change of focus ends the watch.
    void followAltTap(const QEvent* event);
    // The window system's window of the main window, where a key arrives
    // first: followed once it exists.
    void watchNativeWindow();
    void stopFollowingAlt();
    [[nodiscard]] MenuRow* activeRow() const;

    QVBoxLayout* layout_;
    std::vector<MenuRow*> rows_;
    QWidget* watchedWindow_ = nullptr;
    QPointer<QWindow> nativeWindow_;
    QPointer<QWidget> focusBeforeBar_;
    bool altAlone_ = false; // Alt is down and nothing else happened since
};

} // namespace tallywick
