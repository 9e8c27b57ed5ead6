// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// The window suite's driver for the Qt window: widgets found by their object
// names, keys sent as QTest sends them, the menu read from the bar's rows.

#include "WindowDriver.h"
#include "app/MenuTree.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/MenuRow.h"
#include "ui/qt/WrappingMenuBar.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tallywick::testing {
namespace {

Rgb rgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

class QtWindowDriver final : public WindowDriver {
public:
    QtWindowDriver() { window_.attach(form_); }

    bool loadAndShow() override {
        if (form_.load() != LoadOutcome::Show) {
            return false;
        }
        window_.centreOnScreen();
        window_.show();
        window_.activateWindow();
        return QTest::qWaitForWindowActive(&window_);
    }

    std::string text(ControlId control) const override {
        QWidget* widget = find(control);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            return label->text().toStdString();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            return button->text().toStdString();
        }
        return {};
    }

    std::vector<std::string> entries(ControlId list) const override {
        const QAbstractItemModel* model = listView(list)->model();
        std::vector<std::string> shown;
        for (int row = 0; row < model->rowCount(); ++row) {
            shown.push_back(model->index(row, 0).data().toString().toStdString());
        }
        return shown;
    }

    PixelRect rect(ControlId control) const override {
        const QRect geometry = find(control)->geometry();
        return {geometry.x(), geometry.y(), geometry.width(), geometry.height()};
    }

    Rgb textColour(ControlId list) const override {
        return rgb(listView(list)->palette().color(QPalette::Text));
    }

    Rgb systemTextColour() const override {
        return rgb(QApplication::palette().color(QPalette::Text));
    }

    std::string toolTip(ControlId control) const override {
        return find(control)->toolTip().toStdString();
    }

    std::string accessibleName(ControlId control) const override {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(find(control));
        return accessible != nullptr ? accessible->text(QAccessible::Name).toStdString()
                                     : std::string();
    }

    std::string entryAccessibleName(ControlId list, int index) const override {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(find(list));
        QAccessibleInterface* entry = accessible != nullptr ? accessible->child(index) : nullptr;
        return entry != nullptr ? entry->text(QAccessible::Name).toStdString() : std::string();
    }

    std::optional<ControlId> focus() const override {
        const QWidget* focused = QApplication::focusWidget();
        if (focused == nullptr || focused->window() != &window_) {
            return std::nullopt;
        }
        const ControlSpec* design = findControl(focused->objectName().toStdString());
        return design != nullptr ? std::optional(design->id) : std::nullopt;
    }

    int selectedIndex(ControlId list) const override {
        const QModelIndexList selected = listView(list)->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? -1 : selected.front().row();
    }

    std::vector<ShownMenu> menuBar() const override {
        std::vector<ShownMenu> shown;
        for (QMenuBar* row : bar()->rows()) {
            for (QAction* entry : row->actions()) {
                ShownMenu menu{entry->text().toStdString(), {}};
                if (entry->menu() != nullptr) {
                    for (QAction* item : entry->menu()->actions()) {
                        menu.items.push_back(item->text().toStdString());
                    }
                }
                shown.push_back(std::move(menu));
            }
        }
        return shown;
    }

    std::string title() const override { return window_.windowTitle().toStdString(); }

    PixelRect clientArea() const override {
        const QWidget* client = window_.centralWidget();
        return {0, 0, client->width(), client->height()};
    }

    bool visible() const override { return window_.isVisible(); }
    bool minimised() const override { return window_.isMinimized(); }
    WindowHandle handle() const override { return static_cast<WindowHandle>(window_.winId()); }
    WindowHandle desktopHandle() const override { return window_.desktopWindow(); }

    std::optional<int> exitCode() const override { return exitCode_; }

    void press(ControlId button) override {
        inEventLoop([&] { QTest::mouseClick(find(button), Qt::LeftButton); });
    }

    void select(ControlId list, int index) override {
        QAbstractItemView* view = listView(list);
        view->setCurrentIndex(view->model()->index(index, 0));
    }

    void choose(std::string_view menuItem) override {
        const QString name =
            QString::fromUtf8(menuItem.data(), static_cast<qsizetype>(menuItem.size()));
        for (QMenuBar* row : bar()->rows()) {
            for (QAction* entry : row->actions()) {
                QList<QAction*> candidates{entry};
                if (entry->menu() != nullptr) {
                    candidates = entry->menu()->actions();
                }
                for (QAction* action : candidates) {
                    if (action->objectName() == name) {
                        inEventLoop([action] { action->trigger(); });
                        return;
                    }
                }
            }
        }
        ADD_FAILURE() << "no menu item " << menuItem;
    }

    void key(Key key) override {
        // In the order of Key.
        constexpr std::array<Qt::Key, 10> kQtKeys = {
            Qt::Key_Tab,  Qt::Key_Backtab,  Qt::Key_Home,   Qt::Key_End,    Qt::Key_Up,
            Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Enter};
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        if (key == Key::ShiftTab) {
            modifiers = Qt::ShiftModifier;
        } else if (key == Key::Enter) {
            modifiers = Qt::KeypadModifier;
        }
        inEventLoop([&] {
            QTest::keyClick(keyTarget(), kQtKeys.at(static_cast<std::size_t>(key)), modifiers);
        });
    }

    void accessKey(char letter) override {
        const auto qtKey = static_cast<Qt::Key>(Qt::Key_A + (letter - 'a'));
        inEventLoop([&] { QTest::keyClick(keyTarget(), qtKey, Qt::AltModifier); });
    }

private:
    QWidget* find(ControlId control) const {
        const std::string_view name = controlName(control);
        auto* widget = window_.findChild<QWidget*>(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        if (widget == nullptr) {
            throw std::runtime_error("no control " + std::string(name));
        }
        return widget;
    }

    QAbstractItemView* listView(ControlId list) const {
        return qobject_cast<QAbstractItemView*>(find(list));
    }

    WrappingMenuBar* bar() const { return window_.findChild<WrappingMenuBar*>(); }

    QWidget* keyTarget() {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : &window_;
    }

    // Runs what the user does in the application's event loop, as the
    // program runs its handlers, and keeps the code a handler ends the program
    // with. QCoreApplication::exit ends every loop of the thread: the inner
    // one tells whether a handler called it.
    void inEventLoop(const std::function<void()>& action) {
        if (exitCode_) {
            action();
            settle();
            return;
        }
        constexpr int kStillRunning = -1000;
        QTimer::singleShot(0, [&] {
            QEventLoop inner;
            QTimer::singleShot(0, &inner, [&] {
                action();
                settle();
                if (inner.isRunning()) {
                    inner.exit(kStillRunning);
                }
            });
            QCoreApplication::exit(inner.exec());
        });
        const int code = QCoreApplication::exec();
        if (code != kStillRunning) {
            exitCode_ = code;
        }
    }

    // A button pressed from the keyboard shows itself down for a moment
    // before it clicks: wait for the click.
    void settle() {
        const auto buttons = window_.findChildren<QAbstractButton*>();
        const bool released = QTest::qWaitFor([&] {
            return std::none_of(buttons.begin(), buttons.end(),
                                [](const QAbstractButton* button) { return button->isDown(); });
        });
        EXPECT_TRUE(released) << "a button stayed down";
        QCoreApplication::processEvents();
    }

    MainWindow window_;
    Form1 form_{services(std::string(kTextViewer)), window_};
    std::optional<int> exitCode_;
};

} // namespace

std::unique_ptr<WindowDriver> makeWindowDriver() {
    return std::make_unique<QtWindowDriver>();
}

} // namespace tallywick::testing
