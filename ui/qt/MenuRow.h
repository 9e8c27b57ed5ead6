// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QMenuBar>

namespace tallywick {

// One row of the wrapping menu bar: a QMenuBar that never moves into a
// desktop's global menu, lets the wrapping bar decide which row the Alt key
// reaches, and hands a Left from its first entry or a Right from its last to
// the wrapping bar instead of wrapping within itself.
class MenuRow final : public QMenuBar {
    Q_OBJECT
public:
    explicit MenuRow(QWidget* parent = nullptr);

    enum class Entry { First, Last };

    // Enters the row's keyboard mode with its first or last entry
    // highlighted, as an Alt tap (and Left) does on a menu bar of its own. The
    // row takes the keyboard focus from whatever has it, another row
    // included; a row that loses it leaves its keyboard mode.
    void enterKeyboardMode(Entry entry = Entry::First);
    // Leaves it, giving the focus back to where it was.
    void leaveKeyboardMode();
    // Closes the open drop-down, if any; the row keeps the keyboard.
    void closeDropDown();
    // Opens the highlighted entry's drop-down, if it has one.
    void openHighlighted();

    // The key whose tap enters a menu bar: Alt, or Meta, which QMenuBar's own
    // tap handling counts as Alt too.
    [[nodiscard]] static bool isAltKey(const QKeyEvent* key);

    // A highlighted entry: the row is in keyboard mode or has a drop-down open.
    [[nodiscard]] bool isActive() const { return activeAction() != nullptr; }
    [[nodiscard]] bool dropDownOpen() const;

signals:
    // Left from the first entry (-1) or Right from the last (+1).
    void edgePassed(int direction, bool dropDownWasOpen);
    // A row the keyboard crossed from is given the focus back on leaving the
    // bar; the wrapping bar passes it on to where it was before the bar.
    void focusHandedBack();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void sendKey(Qt::Key key);

    bool enteringKeyboardMode_ = false;
};

} // namespace tallywick
