// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// What only the Qt front-end has: its widgets' own properties, the pictures
// from its resources, its wrapping menu bar, its message boxes and its number
// format. What every front-end does is in tests/ui/WindowBehaviourTest.cpp.
#include "ui/qt/MainWindow.h"

#include "WindowDriver.h"
#include "app/MenuTree.h"
#include "ui/qt/MenuRow.h"
#include "ui/qt/QtMessageBoxes.h"
#include "ui/qt/QtNumberFormat.h"
#include "ui/qt/QtProgram.h"
#include "ui/qt/WrappingMenuBar.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

// Sizes print as sizes when a check fails.
void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << "x" << size.height();
}

namespace tallywick {
namespace {

TEST(MainWindowTest, labelsWrapAndPicturesShowTheirArtworkInABorder) {
    const MainWindow window;
    for (const ControlSpec& design : kControlTable) {
        if (design.kind == ControlKind::Label) {
            SCOPED_TRACE(design.name());
            const auto* label = window.findChild<QLabel*>(QString::fromUtf8(design.name().data()));
            ASSERT_NE(label, nullptr);
            EXPECT_TRUE(label->wordWrap());
        }
    }
    const std::map<QString, QSize> sizes = {{"Picture1", {56, 35}},
                                            {"Picture2", {57, 35}},
                                            {"Picture3", {56, 35}},
                                            {"Picture4", {55, 35}}};
    for (const auto& [name, size] : sizes) {
        SCOPED_TRACE(name.toStdString());
        const auto* picture = window.findChild<QLabel*>(name);
        ASSERT_NE(picture, nullptr);
        const QPixmap pixmap = picture->pixmap();
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.size(), size);
        EXPECT_TRUE(pixmap.hasAlpha());
        // The box is its picture plus a one-pixel border.
        EXPECT_EQ(picture->size(), size + QSize(2, 2));
        EXPECT_EQ(picture->frameWidth(), 1);
    }
    // The program's icon, on its window and on every other, a message box
    // shown before the window included.
    QtProgram::describe();
    EXPECT_FALSE(window.windowIcon().isNull());
    const QMessageBox box;
    EXPECT_EQ(box.windowIcon().cacheKey(), window.windowIcon().cacheKey());
}

TEST(MainWindowTest, menuBarRowsFitTheClientWidthWithPlainItems) {
    const MainWindow window;
    const auto* bar = window.findChild<WrappingMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_GE(bar->rows().size(), 1u);
    for (const QMenuBar* row : bar->rows()) {
        EXPECT_LE(row->sizeHint().width(), 604);
    }
    for (const MenuItemSpec& item : kMenuTree) {
        SCOPED_TRACE(item.name);
        const auto* action = window.findChild<QAction*>(QString::fromUtf8(item.name.data()));
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->shortcut().isEmpty());
        EXPECT_TRUE(action->isEnabled() && action->isVisible() && !action->isCheckable());
    }
}

TEST(MainWindowTest, endSelectsTheLastEntryOfAListWithNothingSelected) {
    const auto window = testing::makeWindowDriver();
    window->deliverListFiles("Alpha\r\nBeta\r\nGamma\r\n", "", "");
    ASSERT_TRUE(window->loadAndShow());
    ASSERT_EQ(window->focus(), ControlId::List1);
    window->key(testing::Key::End);
    EXPECT_EQ(window->selectedIndex(ControlId::List1), 2);
}

TEST(MainWindowTest, typingALetterSelectsTheNextEntryThatBeginsWithIt) {
    const auto window = testing::makeWindowDriver();
    window->deliverListFiles("Alpha\r\nBeta\r\nGamma\r\nbravo\r\n", "", "");
    ASSERT_TRUE(window->loadAndShow());
    ASSERT_EQ(window->focus(), ControlId::List1);
    std::vector<int> selected;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::NoModifier, 'b');
        selected.push_back(window->selectedIndex(ControlId::List1));
    }
    EXPECT_EQ(selected, (std::vector<int>{1, 3, 1}));

    // Letters typed together spell the start of an entry.
    const auto typed = testing::makeWindowDriver();
    typed->deliverListFiles("Alpha\r\nBeta\r\nGamma\r\nbravo\r\n", "", "");
    ASSERT_TRUE(typed->loadAndShow());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("br"));
    EXPECT_EQ(typed->selectedIndex(ControlId::List1), 3);
}

TEST(QtNumberFormatTest, givesTheRegionsSeparatorAndDigits) {
    const NumberSymbols english =
        QtNumberFormat(QLocale(QLocale::English, QLocale::UnitedStates)).symbols();
    EXPECT_EQ(english.groupSeparator, ",");
    EXPECT_EQ(english.digits[0], "0");
    EXPECT_EQ(english.digits[9], "9");
    EXPECT_EQ(QtNumberFormat(QLocale(QLocale::German, QLocale::Germany)).symbols().groupSeparator,
              ".");
    // French separates with a (narrow) no-break space, whatever Qt's data says
    // it is: the figure uses the region's own.
    const QLocale french(QLocale::French, QLocale::France);
    EXPECT_EQ(QtNumberFormat(french).symbols().groupSeparator,
              french.groupSeparator().toStdString());
    EXPECT_NE(QtNumberFormat(french).symbols().groupSeparator, ",");
    // Egyptian Arabic writes Arabic-Indic digits.
    const NumberSymbols arabic = QtNumberFormat(QLocale(QLocale::Arabic, QLocale::Egypt)).symbols();
    EXPECT_EQ(arabic.digits[0], "\u0660");
    EXPECT_EQ(arabic.digits[7], "\u0667");
}

// Closes every dialog that is up, so that show() returns whatever went wrong.
void closeDialogs() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget);
            dialog != nullptr && dialog->isVisible()) {
            dialog->reject();
        }
    }
}

TEST(QtMessageBoxesTest, boxShowsTitleTextIconAndOneButton) {
    struct Case {
        MessageBoxRequest request;
        std::string title;
        QMessageBox::Icon icon;
        bool onTop;
    };
    const Case cases[] = {
        {{"Sorry!", std::nullopt, 0}, "TALLYWICK", QMessageBox::NoIcon, false},
        {{"File Not Found", "Error Message", 0x1010}, "Error Message", QMessageBox::Critical, true},
        {{"", "Open URL Error", 0x1030}, "Open URL Error", QMessageBox::Warning, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request.text);
        struct Shown {
            QString title;
            QString text;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            qsizetype buttons = 0;
            bool onTop = false;
        };
        std::optional<Shown> shown;
        // Reads the box once it is up and closes it; a box that is not there
        // fails the case at once, and whatever dialog is up is closed.
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                ADD_FAILURE() << "no message box is up";
                closeDialogs();
                return;
            }
            shown = Shown{box->windowTitle(), box->text(), box->icon(), box->buttons().size(),
                          box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
            box->accept();
        });
        // Should the box come up after the first look, it is closed all the same.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            ADD_FAILURE() << "the message box was still up";
            closeDialogs();
        });
        guard.start(10000);
        QtMessageBoxes().show(c.request);
        guard.stop();
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->title.toStdString(), c.title);
        EXPECT_EQ(shown->text.toStdString(), c.request.text);
        EXPECT_EQ(shown->icon, c.icon);
        EXPECT_EQ(shown->buttons, 1);
        EXPECT_EQ(shown->onTop, c.onTop);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

} // namespace
} // namespace tallywick
