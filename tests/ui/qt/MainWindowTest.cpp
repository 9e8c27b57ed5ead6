// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/MainWindow.h"

#include "FakePlatform.h"
#include "app/ControlTable.h"
#include "app/MenuTree.h"
#include "ui/qt/QtMessageBoxes.h"
#include "ui/qt/QtNumberFormat.h"
#include "ui/qt/WrappingMenuBar.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace tallywick {

// The real window with every platform service faked.
struct Harness : testing::FakeServices {
    MainWindow window;
    Form1 form{services(), window};

    Harness() {
        listFiles.files = {{"buslist.txt", "Alpha\r\nBeta\r\n\"Gamma, Inc.\"\r\n"},
                           {"buslistb.txt", "One,Two"},
                           {"buslistc.txt", ""}};
        window.attach(form);
    }

    bool loadAndShow() {
        if (form.load() != LoadOutcome::Show) {
            return false;
        }
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    template <typename T> T* find(const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    void select(const char* list, int row) {
        auto* view = find<QListView>(list);
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect);
    }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().size() <= 1); }

    void controlsStandWhereTheTableSays() {
        Harness h;
        auto* client = h.window.centralWidget();
        QCOMPARE(client->size(), QSize(604, 345));
        for (const ControlSpec& design : kControlTable) {
            const QString name = QString::fromUtf8(design.name.data(), design.name.size());
            auto* widget = h.find<QWidget>(design.name.data());
            QVERIFY2(widget != nullptr, qPrintable(name));
            QCOMPARE(widget->geometry(), QRect(design.left / 15, design.top / 15, design.width / 15,
                                               design.height / 15));
            QVERIFY2(client->rect().contains(widget->geometry()), qPrintable(name));
            QCOMPARE(widget->toolTip().toStdString(), std::string(design.toolTip));
            if (design.kind == ControlKind::Label) {
                QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
                if (!design.text.empty()) {
                    QCOMPARE(static_cast<QLabel*>(widget)->text().toStdString(),
                             std::string(design.text));
                }
                QVERIFY(static_cast<QLabel*>(widget)->wordWrap());
            } else {
                QVERIFY2(widget->focusPolicy() & Qt::TabFocus, qPrintable(name));
            }
            if (design.kind == ControlKind::CommandButton) {
                QCOMPARE(static_cast<QPushButton*>(widget)->text().toStdString(),
                         std::string(design.text));
            }
        }
        QCOMPARE(h.window.windowTitle(),
                 QStringLiteral("TALLYWICK -  LIMITED VERSION 1.0  brought to you by "
                                "tallywick.example"));
    }

    void listsDrawTheirEntriesInTheirColours() {
        Harness h;
        QCOMPARE(h.find<QListView>("List2")->palette().color(QPalette::Text), QColor(0, 128, 0));
        QCOMPARE(h.find<QListView>("List3")->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(h.find<QListView>("List1")->palette().color(QPalette::Text),
                 QApplication::palette().color(QPalette::Text));
    }

    void loadFillsListsAndCaptions() {
        Harness h;
        QVERIFY(h.loadAndShow());
        auto* list1 = h.find<QListView>("List1");
        QCOMPARE(list1->model()->rowCount(), 3);
        QCOMPARE(list1->model()->index(2, 0).data().toString(), QStringLiteral("Gamma, Inc."));
        QCOMPARE(h.find<QLabel>("Label1")->text(), QStringLiteral("3 American Express Cards"));
        QCOMPARE(h.find<QLabel>("Label5")->text(), QStringLiteral("2 Visa / MasterCard Cards"));
        QCOMPARE(h.find<QLabel>("Label6")->text(), QStringLiteral("0 Retail Business Cards"));
        QCOMPARE(h.find<QLabel>("Label8")->text(), QStringLiteral("8,388,608 KB"));
        QCOMPARE(h.find<QLabel>("Label10")->text(), QStringLiteral("3,145,728 KB"));
        QCOMPARE(QApplication::focusWidget(), list1);
        QCOMPARE(h.window.selectedIndex(ControlId::List1), -1);
    }

    void tabMovesThroughTheControlsInOrder() {
        Harness h;
        QVERIFY(h.loadAndShow());
        const QStringList expected = {"List1",    "Command2", "List2",    "Command4",
                                      "List3",    "Command5", "Command1", "Picture1",
                                      "Picture2", "Picture3", "Picture4", "List1"};
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void keyboardSelectsLikeAWindowsListBox() {
        for (const auto key : {Qt::Key_Home, Qt::Key_Down, Qt::Key_End}) {
            Harness h;
            QVERIFY(h.loadAndShow());
            auto* list1 = h.find<QListView>("List1");
            QCOMPARE(QApplication::focusWidget(), list1);
            QTest::keyClick(list1, key);
            QCOMPARE(h.window.selectedIndex(ControlId::List1), key == Qt::Key_End ? 2 : 0);
        }
    }

    void enterAndEscapePressNothing() {
        Harness h;
        QVERIFY(h.loadAndShow());
        for (auto* button : h.window.findChildren<QPushButton*>()) {
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        h.select("List1", 0);
        QTest::keyClick(h.find<QListView>("List1"), Qt::Key_Return);
        QTest::keyClick(h.find<QListView>("List1"), Qt::Key_Escape);
        QTest::qWait(50);
        QVERIFY(h.shell.requests.empty());
        QVERIFY(h.window.isVisible());
    }

    void accessKeysPressTheirButtons() {
        Harness h;
        QVERIFY(h.loadAndShow());
        h.select("List1", 0);
        QTest::keyClick(&h.window, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(h.shell.requests.size(), std::size_t{2});
        QCOMPARE(h.shell.requests[1].file, std::string(webAddress(WebTarget::AmexApplication)));

        // R is also "Credit Repair" on the menu bar; the button wins.
        h.window.showNormal();
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        h.listFiles.files.clear();
        QTest::keyClick(&h.window, Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(h.boxes.shown.size(), std::size_t{1}); // List3 is empty: the apology
        QCOMPARE(h.shell.requests.size(), std::size_t{2});

        QTest::keyClick(&h.window, Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!h.window.isVisible());
    }

    void buttonWithSelectionMinimisesAndLaunchesTwice() {
        Harness h;
        QVERIFY(h.loadAndShow());
        h.select("List2", 1);
        h.find<QPushButton>("Command4")->click();
        QVERIFY(h.window.isMinimized());
        QCOMPARE(h.shell.requests.size(), std::size_t{2});
        QCOMPARE(h.shell.requests[0].file, std::string(webAddress(WebTarget::PublisherHome)));
        QCOMPARE(h.shell.requests[1].file, std::string());
    }

    void picturesShowTheirArtwork() {
        Harness h;
        const std::map<QString, QSize> sizes = {{"Picture1", {56, 35}},
                                                {"Picture2", {57, 35}},
                                                {"Picture3", {56, 35}},
                                                {"Picture4", {55, 35}}};
        for (const auto& [name, size] : sizes) {
            auto* picture = h.window.findChild<QLabel*>(name);
            const QPixmap pixmap = picture->pixmap();
            QVERIFY2(!pixmap.isNull(), qPrintable(name));
            QCOMPARE(pixmap.size(), size);
            QVERIFY2(pixmap.hasAlpha(), qPrintable(name));
            // The box is its picture plus a one-pixel border.
            QCOMPARE(picture->size(), size + QSize(2, 2));
            QCOMPARE(picture->frameWidth(), 1);
        }
        QVERIFY(!h.window.windowIcon().isNull());
    }

    void menuBarShowsTheTreeInOrder() {
        Harness h;
        auto* bar = h.window.findChild<WrappingMenuBar*>();
        QVERIFY(bar != nullptr);
        QStringList barEntries;
        for (QMenuBar* row : bar->rows()) {
            QVERIFY(row->sizeHint().width() <= 604);
            for (QAction* action : row->actions()) {
                barEntries << action->objectName();
                QVERIFY(action->shortcut().isEmpty());
            }
        }
        QStringList expectedEntries;
        for (const MenuItemSpec& item : kMenuTree) {
            auto* action =
                h.window.findChild<QAction*>(QString::fromUtf8(item.name.data(), item.name.size()));
            QVERIFY(action != nullptr);
            QCOMPARE(action->text().toStdString(), std::string(item.caption));
            QCOMPARE(action->menu() != nullptr, item.action == MenuAction::DropDown);
            QVERIFY(action->isEnabled() && action->isVisible() && !action->isCheckable());
            if (item.level == 0) {
                expectedEntries << action->objectName();
            }
        }
        QCOMPARE(barEntries, expectedEntries);
        QMenu* help = h.find<QMenu>("Localhelp");
        QStringList helpItems;
        for (QAction* action : help->actions()) {
            helpItems << action->objectName();
        }
        QCOMPARE(helpItems, (QStringList{"orderfull", "abouttwk"}));
    }

    void everyCommandItemLaunchesOnceAndLeavesTheWindowAlone() {
        Harness h;
        QVERIFY(h.loadAndShow());
        const auto parent = static_cast<WindowHandle>(h.window.winId());
        for (const MenuItemSpec& item : kMenuTree) {
            if (item.action == MenuAction::DropDown) {
                continue;
            }
            auto* action =
                h.window.findChild<QAction*>(QString::fromUtf8(item.name.data(), item.name.size()));
            h.shell.requests.clear();
            action->trigger();
            action->trigger();
            QCOMPARE(h.shell.requests.size(), std::size_t{2});
            QCOMPARE(h.shell.requests[0], h.shell.requests[1]);
            if (item.action == MenuAction::WebLink) {
                const LaunchRequest expected{
                    parent,       std::nullopt, std::string(webAddress(*item.page)),
                    std::nullopt, "c:\\",       1};
                QCOMPARE(h.shell.requests[0], expected);
            } else {
                QCOMPARE(h.shell.requests[0].file, std::string("text-viewer"));
                QCOMPARE(h.shell.requests[0].parameters, std::optional<std::string>("bushelp.txt"));
            }
            QVERIFY(h.window.isVisible() && !h.window.isMinimized());
        }
        QVERIFY(h.boxes.shown.empty());
    }

    void numbersAreGroupedTheUsersWay() {
        const QtNumberFormat english(QLocale(QLocale::English, QLocale::UnitedStates));
        const QtNumberFormat german(QLocale(QLocale::German, QLocale::Germany));
        const QtNumberFormat c(QLocale::c());
        QCOMPARE(english.grouped(262144), std::string("262,144"));
        QCOMPARE(german.grouped(262144), std::string("262.144"));
        QCOMPARE(english.grouped(900), std::string("900"));
        QCOMPARE(english.grouped(1024000), std::string("1,024,000"));
        QCOMPARE(c.grouped(1024000), std::string("1,024,000"));
        QCOMPARE(english.grouped(18014398509481984ull), std::string("18,014,398,509,481,984"));
    }

    void messageBoxShowsTitleTextIconAndOneButton() {
        struct Case {
            MessageBoxRequest request;
            QString title;
            QMessageBox::Icon icon;
            bool onTop;
        };
        const std::vector<Case> cases = {
            {{"Sorry!", std::nullopt, 0}, "TALLYWICK", QMessageBox::NoIcon, false},
            {{"File Not Found", "Error Message", 0x1010},
             "Error Message",
             QMessageBox::Critical,
             true},
            {{"", "Open URL Error", 0x1030}, "Open URL Error", QMessageBox::Warning, true},
        };
        for (const Case& c : cases) {
            QString title;
            QString text;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            int buttons = 0;
            bool onTop = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = static_cast<int>(box->buttons().size());
                onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                box->accept();
            });
            QtMessageBoxes().show(c.request);
            QCOMPARE(title, c.title);
            QCOMPARE(text.toStdString(), c.request.text);
            QCOMPARE(icon, c.icon);
            QCOMPARE(buttons, 1);
            QCOMPARE(onTop, c.onTop);
        }
    }
};

} // namespace tallywick

QTEST_MAIN(tallywick::MainWindowTest)
#include "MainWindowTest.moc"
