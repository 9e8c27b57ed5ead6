// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/WrappingMenuBar.h"

#include "ui/qt/MenuRow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace tallywick {

WrappingMenuBar::WrappingMenuBar(QWidget* parent)
    : QWidget(parent), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    connect(qApp, &QApplication::focusChanged, this, &WrappingMenuBar::noteFocusChange);
}

MenuRow* WrappingMenuBar::addRow() {
    auto* row = new MenuRow(this);
    row->setObjectName(QStringLiteral("menuRow%1").arg(rows_.size() + 1));
    layout_->addWidget(row);
    rows_.push_back(row);
    // Queued: the key that crossed the edge may come from an open drop-down,
    // which must finish handling it before it is closed.
    connect(
        row, &MenuRow::edgePassed, this,
        [this, row](int direction, bool dropDownWasOpen) {
            crossEdge(row, direction, dropDownWasOpen);
        },
        Qt::QueuedConnection);
    connect(row, &MenuRow::focusHandedBack, this, &WrappingMenuBar::giveFocusBack);
    return row;
}

void WrappingMenuBar::setEntries(const std::vector<QAction*>& entries, int width) {
    MenuRow* row = addRow();
    for (QAction* entry : entries) {
        row->addAction(entry);
        if (row->sizeHint().width() > width && row->actions().size() > 1) {
            row->removeAction(entry);
            row = addRow();
            row->addAction(entry);
        }
    }
    watchedWindow_ = window();
    watchedWindow_->installEventFilter(this);
}

MenuRow* WrappingMenuBar::activeRow() const {
    const auto found = std::find_if(rows_.begin(), rows_.end(),
                                    [](const MenuRow* row) { return row->isActive(); });
    return found == rows_.end() ? nullptr : *found;
}

void WrappingMenuBar::crossEdge(MenuRow* from, int direction, bool dropDownWasOpen) {
    const auto at = static_cast<int>(std::find(rows_.begin(), rows_.end(), from) - rows_.begin());
    const int count = static_cast<int>(rows_.size());
    MenuRow* to = rows_[static_cast<std::size_t>((at + direction + count) % count)];
    // The next row takes the focus from this one, which leaves its keyboard
    // mode as it loses it: no other control has the focus in between.
    from->closeDropDown();
    to->enterKeyboardMode(direction < 0 ? MenuRow::Entry::Last : MenuRow::Entry::First);
    if (dropDownWasOpen) {
        to->openHighlighted();
    }
}

bool WrappingMenuBar::isRow(const QWidget* widget) const {
    return std::find(rows_.begin(), rows_.end(), widget) != rows_.end();
}

void WrappingMenuBar::noteFocusChange(QWidget* from, QWidget* to) {
    // Drop-downs are windows of their own: the focus they give back is not
    // where the bar was entered from.
    if (from != nullptr && !isRow(from) && isRow(to) && from->window() == window()) {
        focusBeforeBar_ = from;
    }
}

void WrappingMenuBar::giveFocusBack() {
    if (!focusBeforeBar_.isNull() && focusBeforeBar_->isVisible() && focusBeforeBar_->isEnabled()) {
        focusBeforeBar_->setFocus(Qt::MenuBarFocusReason);
    }
}

void WrappingMenuBar::toggleKeyboardMode() {
    if (MenuRow* active = activeRow()) {
        active->leaveKeyboardMode();
    } else if (!rows_.empty()) {
        rows_.front()->enterKeyboardMode();
    }
}

bool WrappingMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (altAlone_) {
        followAltTap(event);
        return false;
    }
    if (!isVisible()) {
        return false;
    }
    if (watched == watchedWindow_) {
        watchNativeWindow();
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
                toggleKeyboardMode();
                return true;
            }
        }
    } else if (watched == nativeWindow_ && event->type() == QEvent::ShortcutOverride &&
               event->spontaneous()) {
        // Alt went down on the keyboard: watch every event until it comes up
        // again. Only a key from the window system counts: with a screen
        // reader, Qt's accessibility bridge holds each key until the reader
        // has seen it and then hands it back to the program, and an Alt
        // press handed back may come after the letter of Alt+letter, while
        // Alt is still held.
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (MenuRow::isAltKey(key) && key->modifiers() == Qt::AltModifier) {
            altAlone_ = true;
            qApp->installEventFilter(this);
        }
    }
    return false;
}

void WrappingMenuBar::watchNativeWindow() {
    QWindow* native = watchedWindow_->windowHandle();
    if (native != nativeWindow_) {
        if (!nativeWindow_.isNull()) {
            nativeWindow_->removeEventFilter(this);
        }
        nativeWindow_ = native;
        if (native != nullptr) {
            native->installEventFilter(this);
        }
    }
}

void WrappingMenuBar::followAltTap(const QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (MenuRow::isAltKey(static_cast<const QKeyEvent*>(event))) {
            if (event->type() == QEvent::KeyRelease) {
                stopFollowingAlt();
                toggleKeyboardMode();
            }
            return;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::ActivationChange:
        break;
    default:
        return;
    }
    // Alt was part of something else: a shortcut, a click, a change of focus.
    stopFollowingAlt();
}

void WrappingMenuBar::stopFollowingAlt() {
    altAlone_ = false;
    qApp->removeEventFilter(this);
}

} // namespace tallywick
