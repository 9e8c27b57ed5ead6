// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// A full list of 32,767 entries in the real Qt window: it keeps every
// behaviour of a Windows list box from the keyboard and the mouse, and the
// card button reads the entry selected there.
#include "FakePlatform.h"
#include "ui/qt/MainWindow.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace tallywick {
namespace {

constexpr int kEntries = 32767;

std::string fullList() {
    std::string bytes;
    for (int i = 0; i < kEntries; ++i) {
        bytes += "Card source " + std::to_string(i) + "\r\n";
    }
    return bytes;
}

class LongListTest : public ::testing::Test, public testing::FakeServices {
protected:
    void SetUp() override {
        static const std::string bytes = fullList();
        listFiles.files = {{"buslist.txt", bytes}, {"buslistb.txt", ""}, {"buslistc.txt", ""}};
        window.attach(form);
        ASSERT_EQ(form.load(), LoadOutcome::Show);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        list = window.findChild<QAbstractItemView*>(QStringLiteral("List1"));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(QApplication::focusWidget(), list);
    }

    void key(Qt::Key key) { QTest::keyClick(list, key); }
    int selected() const { return window.selectedIndex(ControlId::List1); }
    // The first row in view, and how many rows fit it whole.
    int topRow() const { return list->indexAt(QPoint(1, 1)).row(); }
    int rowsInView() const {
        return list->viewport()->height() / list->visualRect(list->model()->index(0, 0)).height();
    }
    int lastInView() const { return topRow() + rowsInView() - 1; }
    std::string shownText(int row) const {
        return list->model()->index(row, 0).data().toString().toStdString();
    }

    MainWindow window;
    Form1 form{services(), window};
    QAbstractItemView* list = nullptr;
};

TEST_F(LongListTest, holdsEveryEntryInFileOrder) {
    ASSERT_EQ(list->model()->rowCount(), kEntries);
    EXPECT_EQ(shownText(0), "Card source 0");
    EXPECT_EQ(shownText(kEntries - 1), "Card source 32766");
    // Past the entries, the model has no index to give.
    const QAbstractItemModel* model = list->model();
    EXPECT_FALSE(model->index(kEntries, 0).isValid());
    EXPECT_FALSE(model->index(-1, 0).isValid());
    EXPECT_FALSE(model->index(0, 1).isValid());
    EXPECT_FALSE(model->index(0, 0, model->index(0, 0)).isValid());
    EXPECT_EQ(selected(), -1);
    EXPECT_EQ(topRow(), 0);
}

TEST_F(LongListTest, endSelectsTheLastEntryAndShowsIt) {
    key(Qt::Key_End);
    EXPECT_EQ(selected(), kEntries - 1);
    EXPECT_EQ(lastInView(), kEntries - 1);
    const QRect last = list->visualRect(list->currentIndex());
    EXPECT_TRUE(list->viewport()->rect().contains(last));
    EXPECT_EQ(list->indexAt(last.center()).row(), kEntries - 1);
    EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());

    key(Qt::Key_Up);
    EXPECT_EQ(selected(), kEntries - 2);
    key(Qt::Key_Home);
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(topRow(), 0);
}

TEST_F(LongListTest, shownAgainTheListPlacesItsRowsForTheFirstKeyAndShowsItsEntry) {
    // Shown with nothing selected, a list places its rows from the event
    // loop; a key that comes first places them itself.
    window.hide();
    list->reset();
    window.show();
    key(Qt::Key_End);
    EXPECT_EQ(selected(), kEntries - 1);
    EXPECT_EQ(lastInView(), kEntries - 1);

    // An entry made current while the window was hidden is in view when it
    // shows again.
    window.hide();
    const int middle = kEntries / 2;
    list->setCurrentIndex(list->model()->index(middle, 0));
    window.show();
    EXPECT_LE(topRow(), middle);
    EXPECT_GE(lastInView(), middle);
}

TEST_F(LongListTest, arrowsMoveOneEntryAndStopAtTheEnds) {
    key(Qt::Key_Down); // from no selection: the first entry
    EXPECT_EQ(selected(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(selected(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(selected(), 2);
    key(Qt::Key_End);
    key(Qt::Key_Down);
    EXPECT_EQ(selected(), kEntries - 1);
}

TEST_F(LongListTest, pageKeysGoToTheEdgeOfTheViewThenAPageFurther) {
    const int page = rowsInView();
    ASSERT_GE(page, 3);
    key(Qt::Key_Home);
    key(Qt::Key_Down);
    key(Qt::Key_PageDown); // from inside the view: to its last row
    EXPECT_EQ(selected(), page - 1);
    EXPECT_EQ(topRow(), 0);
    key(Qt::Key_PageDown); // from its last row: a page further
    EXPECT_EQ(selected(), 2 * (page - 1));
    EXPECT_EQ(lastInView(), selected());

    key(Qt::Key_Up);
    const int top = topRow();
    ASSERT_LT(top, selected());
    key(Qt::Key_PageUp); // from inside the view: to its first row
    EXPECT_EQ(selected(), top);
    EXPECT_EQ(topRow(), top);
    key(Qt::Key_End);
    key(Qt::Key_PageUp);
    const int firstInView = topRow();
    EXPECT_EQ(selected(), firstInView);
    key(Qt::Key_PageUp); // from its first row: a page back
    EXPECT_EQ(selected(), firstInView - (page - 1));
    EXPECT_EQ(topRow(), selected());
    key(Qt::Key_End);
    key(Qt::Key_PageDown);
    EXPECT_EQ(selected(), kEntries - 1);
}

TEST_F(LongListTest, clickSelectsTheRowUnderTheMouseAndTheWheelScrollsByRows) {
    key(Qt::Key_End);
    const int top = topRow();
    const QRect second = list->visualRect(list->model()->index(top + 1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(selected(), top + 1);

    list->verticalScrollBar()->setValue(100);
    EXPECT_EQ(topRow(), 100);
    EXPECT_EQ(list->indexAt(QPoint(2, 1)).row(), 100);
    EXPECT_EQ(selected(), top + 1) << "scrolling changed the selection";
}

TEST_F(LongListTest, cardButtonReadsTheEntrySelectedDeepInTheList) {
    key(Qt::Key_End);
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    ASSERT_EQ(shell.requests.size(), 2u);
    // Past the sources the limited edition names, the home page opens again.
    EXPECT_EQ(shell.requests[1].file, "https://www.tallywick.example/");

    shell.requests.clear();
    window.showNormal();
    list->setFocus();
    key(Qt::Key_Home);
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[1].file, "https://www.americanexpress.com/us/credit-cards/business/");
}

} // namespace
} // namespace tallywick
