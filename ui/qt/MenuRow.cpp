// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/MenuRow.h"

#include <QKeyEvent>
#include <QMenu>

namespace tallywick {

namespace {

bool isAltKey(const QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Alt || key == Qt::Key_Meta;
    }
    default:
        return false;
    }
}

} // namespace

MenuRow::MenuRow(QWidget* parent) : QMenuBar(parent) {
    setNativeMenuBar(false);
}

bool MenuRow::eventFilter(QObject* watched, QEvent* event) {
    // QMenuBar watches the window for an Alt tap; with several rows each would
    // take it, so the wrapping bar handles the tap and picks the row.
    if (!enteringKeyboardMode_ && isAltKey(event)) {
        return false;
    }
    return QMenuBar::eventFilter(watched, event);
}

void MenuRow::enterKeyboardMode() {
    enteringKeyboardMode_ = true;
    // A modifier key's event reports the modifiers as they are after it, so
    // an Alt press made with none reads as Alt held.
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QMenuBar::eventFilter(window(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QMenuBar::eventFilter(window(), &release);
    enteringKeyboardMode_ = false;
}

void MenuRow::leaveKeyboardMode() {
    if (dropDownOpen()) {
        activeAction()->menu()->hide();
    }
    sendKey(Qt::Key_Escape);
}

void MenuRow::highlightLast() {
    sendKey(Qt::Key_Left); // from the first entry, a menu bar wraps to its last
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
