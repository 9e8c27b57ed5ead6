// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/MenuRow.h"

#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>
#include <optional>

namespace tallywick {

namespace {

bool isAltKeyEvent(const QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return MenuRow::isAltKey(static_cast<const QKeyEvent*>(event));
    default:
        return false;
    }
}

} // namespace

bool MenuRow::isAltKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta;
}

MenuRow::MenuRow(QWidget* parent) : QMenuBar(parent) {
    setNativeMenuBar(false);
}

bool MenuRow::eventFilter(QObject* watched, QEvent* event) {
    // QMenuBar watches the window for an Alt tap; with several rows each would
    // take it, so the wrapping bar handles the tap and picks the row.
    if (!enteringKeyboardMode_ && isAltKeyEvent(event)) {
        return false;
    }
    return QMenuBar::eventFilter(watched, event);
}

void MenuRow::enterKeyboardMode(Entry entry) {
    const QList<QAction*> entries = actions();
    {
        // The way to the last entry leads through the first: highlighted for
        // that moment only, it does not announce itself (a highlighted entry
        // tells a screen reader that it has the focus).
        std::optional<QSignalBlocker> quiet;
        if (entry == Entry::Last && !entries.isEmpty()) {
            quiet.emplace(entries.first());
        }
        enteringKeyboardMode_ = true;
        // A modifier key's event reports the modifiers as they are after it,
        // so an Alt press made with none reads as Alt held.
        QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
        QMenuBar::eventFilter(window(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QMenuBar::eventFilter(window(), &release);
        enteringKeyboardMode_ = false;
    }
    if (entry == Entry::Last && entries.size() > 1) {
        sendKey(Qt::Key_Left); // from the first entry, a menu bar wraps to its last
    }
}

void MenuRow::leaveKeyboardMode() {
    closeDropDown();
    sendKey(Qt::Key_Escape);
}

void MenuRow::closeDropDown() {
    if (dropDownOpen()) {
        activeAction()->menu()->hide();
    }
}

void MenuRow::focusInEvent(QFocusEvent* event) {
    QMenuBar::focusInEvent(event);
    // A row entering its keyboard mode highlights an entry before it takes
    // the focus; one given the focus back with nothing highlighted is the
    // row the keyboard crossed from, handed the focus by the row it crossed
    // to as that one leaves the bar.
    if (event->reason() == Qt::MenuBarFocusReason && activeAction() == nullptr) {
        emit focusHandedBack();
    }
}

void MenuRow::openHighlighted() {
    if (activeAction() != nullptr && activeAction()->menu() != nullptr) {
        sendKey(Qt::Key_Down);
    }
}

bool MenuRow::dropDownOpen() const {
    const QAction* action = activeAction();
    return action != nullptr && action->menu() != nullptr && action->menu()->isVisible();
}

void MenuRow::sendKey(Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QMenuBar::keyPressEvent(&event);
}

void MenuRow::keyPressEvent(QKeyEvent* event) {
    const QAction* active = activeAction();
    const QList<QAction*> entries = actions();
    if (active != nullptr && !entries.isEmpty() && event->modifiers() == Qt::NoModifier) {
        const bool forward = event->key() == (isRightToLeft() ? Qt::Key_Left : Qt::Key_Right);
        const bool backward = event->key() == (isRightToLeft() ? Qt::Key_Right : Qt::Key_Left);
        if ((forward && active == entries.last()) || (backward && active == entries.first())) {
            emit edgePassed(forward ? 1 : -1, dropDownOpen());
            return;
        }
    }
    QMenuBar::keyPressEvent(event);
}

} // namespace tallywick
