// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// What a screen reader and a keyboard-only user meet in the Qt window: every
// control named (read through QAccessible, as a screen reader reads it), and
// the wrapped menu bar reached and walked as one bar.
#include "FakeAtSpiBridge.h"
#include "FakePlatform.h"
#include "ui/qt/AtSpiAnswers.h"
#include "ui/qt/AtSpiSelection.h"
#include "ui/qt/AtSpiSupplement.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/MenuRow.h"
#include "ui/qt/WrappingMenuBar.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <utility>

namespace tallywick {
namespace {

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(found, nullptr);
    return found;
}

std::string nameOf(QAccessibleInterface* interface) {
    return interface->text(QAccessible::Name).toStdString();
}

// The objects the interface says label it.
std::vector<QObject*> labelsOf(QAccessibleInterface* interface) {
    std::vector<QObject*> labels;
    for (const auto& [label, relation] : interface->relations(QAccessible::Label)) {
        labels.push_back(label->object());
    }
    return labels;
}

// Records, in order, each widget that takes the keyboard focus and each bar
// entry that is highlighted (what a screen reader is told has the focus).
class FocusRecorder final : public QObject {
public:
    explicit FocusRecorder(const WrappingMenuBar* bar) {
        qApp->installEventFilter(this);
        for (MenuRow* row : bar->rows()) {
            connect(row, &QMenuBar::hovered, this, [this](const QAction* entry) {
                highlighted.push_back(entry->objectName().toStdString());
            });
        }
    }
    ~FocusRecorder() override { qApp->removeEventFilter(this); }
    FocusRecorder(const FocusRecorder&) = delete;
    FocusRecorder& operator=(const FocusRecorder&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            focused.push_back(watched->objectName().toStdString());
        }
        return false;
    }

    // What was recorded since the last look, then forgotten.
    std::vector<std::string> takeFocused() { return std::exchange(focused, {}); }
    std::vector<std::string> takeHighlighted() { return std::exchange(highlighted, {}); }

private:
    std::vector<std::string> focused;
    std::vector<std::string> highlighted;
};

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kAction = QStringLiteral("org.a11y.atspi.Action");
const QString kSelection = QStringLiteral("org.a11y.atspi.Selection");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const std::string kInvalidArgs = "error org.freedesktop.DBus.Error.InvalidArgs";

std::string shown(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
        return shown(qvariant_cast<QDBusVariant>(value).variant());
    }
    if (value.metaType() == QMetaType::fromType<QVariantMap>()) {
        std::string text;
        for (const auto& [key, item] : value.toMap().asKeyValueRange()) {
            text += key.toStdString() + "=" + shown(item);
        }
        return text;
    }
    if (value.metaType() == QMetaType::fromType<bool>()) {
        return value.toBool() ? "true" : "false";
    }
    if (value.metaType() == QMetaType::fromType<QStringList>()) {
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    return value.toString().toStdString();
}

// What the supplement does with a call: "bridge" when it hands it on,
// "reply" and the reply's values when it answers, "error" and its name when
// it refuses.
std::string outcome(const std::optional<QDBusMessage>& answer) {
    if (!answer) {
        return "bridge";
    }
    if (answer->type() == QDBusMessage::ErrorMessage) {
        return "error " + answer->errorName().toStdString();
    }
    std::string text = "reply";
    for (const QVariant& value : answer->arguments()) {
        text += " " + shown(value);
    }
    return text;
}

// The real window on faked services, with lists of three, two and no entries.
class WindowWithListsTest : public ::testing::Test, public testing::FakeServices {
protected:
    void SetUp() override {
        listFiles.deliver("Alpha\r\nBeta\r\nGamma\r\n", "One,Two", "");
        window.attach(form);
    }

    MainWindow window;
    Form1 form{services(), window};
};

class AccessibilityTest : public WindowWithListsTest {
protected:
    void loadAndShow() {
        ASSERT_EQ(form.load(), LoadOutcome::Show);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename T = QWidget> T* find(const char* name) {
        auto* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Keys as the user types them, to whatever has the focus, with the
    // event loop running between them.
    void type(std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCoreApplication::processEvents();
        }
    }

    // Alt pressed and released alone, as the window system delivers keys:
    // to the window first.
    void tapAlt() {
        QTest::keyPress(window.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(window.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
    }

    // The highlighted bar entry, by name, or "" when the bar is left.
    std::string highlighted() const {
        for (MenuRow* row : window.findChild<WrappingMenuBar*>()->rows()) {
            if (row->activeAction() != nullptr) {
                return row->activeAction()->objectName().toStdString();
            }
        }
        return {};
    }

    std::string lastLaunch() const {
        return shell.requests.empty() ? std::string() : shell.requests.back().file;
    }

    // A screen reader's call to OBJECT, and what the supplement does with it.
    std::optional<QDBusMessage> ask(QAccessibleInterface* object, const QString& interface,
                                    const char* member, const QVariantList& arguments = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral(":1.5"),
            QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(object)),
            interface, QString::fromLatin1(member));
        call.setArguments(arguments);
        return AtSpiAnswers::answer(call, bridge, QStringLiteral(":1.5"));
    }

    testing::FakeAtSpiBridge bridge;
};

TEST_F(AccessibilityTest, listsAreNamedByTheirCountCaptionsWhichLabelThem) {
    struct Row {
        const char* list;
        const char* label;
        const char* name;
    };
    const Row rows[] = {{"List1", "Label1", "3 American Express Cards"},
                        {"List2", "Label5", "2 Visa / MasterCard Cards"},
                        {"List3", "Label6", "0 Retail Business Cards"}};
    for (const Row& row : rows) {
        QAccessibleInterface* list = accessible(find(row.list));
        EXPECT_EQ(list->role(), QAccessible::List) << row.list;
        EXPECT_EQ(nameOf(list), "") << "before start-up the caption is empty";
    }
    loadAndShow();
    for (const Row& row : rows) {
        QAccessibleInterface* list = accessible(find(row.list));
        EXPECT_EQ(nameOf(list), row.name) << "the name follows the written caption";
        // The caption says which control it labels.
        const auto labelled = accessible(find(row.label))->relations(QAccessible::Labelled);
        ASSERT_EQ(labelled.size(), 1) << row.label;
        EXPECT_EQ(labelled.front().first->object(), find(row.list));
    }
}

TEST_F(AccessibilityTest, listEntriesAreItemsThatFollowTheKeyboard) {
    loadAndShow();
    QAccessibleInterface* list = accessible(find("List1"));
    ASSERT_EQ(list->childCount(), 3);
    EXPECT_EQ(nameOf(list->child(0)), "Alpha");
    EXPECT_EQ(nameOf(list->child(2)), "Gamma");
    EXPECT_EQ(list->child(1)->role(), QAccessible::ListItem);
    EXPECT_EQ(list->indexOfChild(list->child(2)), 2);
    EXPECT_EQ(list->child(3), nullptr);
    EXPECT_FALSE(list->child(0)->state().selected);
    EXPECT_EQ(list->focusChild(), nullptr) << "with nothing selected, the list alone has the focus";

    type({Qt::Key_Down, Qt::Key_Down});
    QAccessibleInterface* focused = list->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(nameOf(focused), "Beta");
    EXPECT_TRUE(focused->state().selected);
    EXPECT_TRUE(focused->state().focused);
    EXPECT_EQ(list->childAt(focused->rect().center().x(), focused->rect().center().y()), focused);
}

TEST_F(AccessibilityTest, onTheAccessibilityBusDropDownsAreMenus) {
    loadAndShow();
    std::vector<std::string> menus;
    std::vector<std::string> plain;
    for (MenuRow* row : window.findChild<WrappingMenuBar*>()->rows()) {
        QAccessibleInterface* bar = accessible(row);
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* entry = bar->child(i);
            (AtSpiAnswers::opensMenu(entry) ? menus : plain).push_back(nameOf(entry));
        }
    }
    EXPECT_EQ(menus, (std::vector<std::string>{"Credit Reports", "Credit Resources", "Help"}));
    EXPECT_EQ(plain.size(), 5u);
    // The items of a drop-down are plain menu items.
    QAccessibleInterface* help = accessible(find<QMenu>("Localhelp"));
    ASSERT_GT(help->childCount(), 0);
    EXPECT_FALSE(AtSpiAnswers::opensMenu(help->child(0)));

    QAccessibleInterface* bar = accessible(window.findChild<WrappingMenuBar*>()->rows().front());
    QAccessibleInterface* reports = bar->child(1);
    ASSERT_TRUE(AtSpiAnswers::opensMenu(reports));
    EXPECT_EQ(outcome(ask(reports, kAccessible, "GetRole")), "reply 33");
    EXPECT_EQ(outcome(ask(reports, kAccessible, "GetRoleName")), "reply menu");
    EXPECT_EQ(outcome(ask(reports, kAccessible, "GetRole", {0})), kInvalidArgs);
    EXPECT_EQ(outcome(ask(bar->child(0), kAccessible, "GetRole")), "bridge");
}

TEST_F(AccessibilityTest, callsForTheBridgeGoToItOnlyWhenTheyFitWhatItDescribes) {
    loadAndShow();
    QAccessibleInterface* button = accessible(find("Command2"));
    const QVariant variant = QVariant::fromValue(QDBusVariant(1.0));
    EXPECT_EQ(outcome(ask(button, kAction, "DoAction", {0})), "bridge");
    // A missing argument crashes the bridge; a wrong-typed one reads as 0,
    // the button's press.
    EXPECT_EQ(outcome(ask(button, kAction, "DoAction")), kInvalidArgs);
    EXPECT_EQ(outcome(ask(button, kAction, "DoAction", {QStringLiteral("0")})), kInvalidArgs);
    EXPECT_EQ(outcome(ask(button, kAction, "DoAction", {0u})), kInvalidArgs);
    EXPECT_EQ(outcome(ask(button, kAction, "DoAction", {0, 0})), kInvalidArgs);
    EXPECT_EQ(outcome(ask(button, kAccessible, "GetChildAtIndex")), kInvalidArgs);
    EXPECT_EQ(outcome(ask(button, kAccessible, "GetName")), "bridge") << "not described";
    EXPECT_EQ(outcome(ask(button, QStringLiteral("org.example.Other"), "Frob", {0})), "bridge");

    // Properties: only those the interface has, each read on its own.
    EXPECT_EQ(outcome(ask(button, kProperties, "Get", {kAccessible, QStringLiteral("Name")})),
              "bridge");
    EXPECT_EQ(outcome(ask(button, kProperties, "Set",
                          {QStringLiteral("org.a11y.atspi.Value"), QStringLiteral("CurrentValue"),
                           variant})),
              "bridge");
    EXPECT_EQ(outcome(ask(button, kProperties, "Get", {kAccessible, QStringLiteral("Role")})),
              "error org.freedesktop.DBus.Error.UnknownProperty")
        << "GetRole is a method, not a property";
    EXPECT_EQ(
        outcome(ask(button, kProperties, "Set", {kAccessible, QStringLiteral("Name"), variant})),
        "error org.freedesktop.DBus.Error.PropertyReadOnly");
    EXPECT_EQ(outcome(ask(button, kProperties, "GetAll", {kAccessible})),
              "error org.freedesktop.DBus.Error.NotSupported");
    EXPECT_EQ(outcome(ask(button, kProperties, "Get", {kAccessible})), kInvalidArgs);
    EXPECT_EQ(outcome(ask(button, kProperties, "Get", {1, 2})), kInvalidArgs);
    EXPECT_EQ(outcome(ask(button, kProperties, "Frob", {kAccessible})),
              "error org.freedesktop.DBus.Error.UnknownMethod");
    EXPECT_TRUE(shell.requests.empty());

    // A path that names no object is the bridge's to refuse.
    const QDBusMessage stray =
        QDBusMessage::createMethodCall(QString(), QStringLiteral("/org/a11y/atspi/accessible/7"),
                                       kAction, QStringLiteral("DoAction"));
    EXPECT_EQ(outcome(AtSpiAnswers::answer(stray, bridge, QStringLiteral(":1.5"))), "bridge");
}

#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
TEST_F(AccessibilityTest, listsAnswerAtSpiSelectionOnlyToWellFormedCalls) {
    loadAndShow();
    QAccessibleInterface* list = accessible(find("List1"));
    EXPECT_TRUE(AtSpiSelection::exposedBy(list));
    EXPECT_FALSE(AtSpiSelection::exposedBy(accessible(find("Command2"))));
    EXPECT_FALSE(AtSpiSelection::exposedBy(accessible(find("Picture1"))));
    EXPECT_EQ(outcome(ask(list, kAccessible, "GetInterfaces")),
              "reply org.a11y.atspi.Accessible,org.a11y.atspi.Action,org.a11y.atspi.Component,"
              "org.a11y.atspi.Value,org.a11y.atspi.Selection");

    // Missing, extra and wrong-typed indices select nothing (row 0 would
    // make the card button open its issuer's page).
    for (const QVariantList& arguments :
         {QVariantList{}, QVariantList{QStringLiteral("1")}, QVariantList{1u}, QVariantList{1, 1},
          QVariantList{QVariant::fromValue(QDBusVariant(1))}, QVariantList{true}}) {
        EXPECT_EQ(outcome(ask(list, kSelection, "SelectChild", arguments)), kInvalidArgs);
    }
    EXPECT_EQ(outcome(ask(list, kSelection, "SelectChild", {3})), "reply false");
    EXPECT_EQ(outcome(ask(list, kSelection, "SelectChild", {-1})), "reply false");
    EXPECT_EQ(window.selectedIndex(ControlId::List1), -1);

    // Selecting through the screen reader selects as a click does: the entry
    // is selected and current, and the keyboard goes on from it.
    EXPECT_EQ(outcome(ask(list, kSelection, "SelectChild", {1})), "reply true");
    EXPECT_EQ(window.selectedIndex(ControlId::List1), 1);
    EXPECT_EQ(outcome(ask(list, kSelection, "IsChildSelected", {1})), "reply true");
    EXPECT_EQ(outcome(ask(list, kSelection, "IsChildSelected", {QStringLiteral("1")})),
              kInvalidArgs);
    const std::optional<QDBusMessage> child = ask(list, kSelection, "GetSelectedChild", {0});
    ASSERT_TRUE(child && child->type() == QDBusMessage::ReplyMessage);
    const auto reference = qvariant_cast<AtSpiObjectReference>(child->arguments().value(0));
    EXPECT_EQ(
        reference.path.path(),
        QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(list->child(1))));
    EXPECT_EQ(reference.service, QStringLiteral(":1.5"));
    // A list of one selected entry keeps it, as for the user.
    EXPECT_EQ(outcome(ask(list, kSelection, "ClearSelection")), "reply false");
    EXPECT_EQ(outcome(ask(list, kSelection, "SelectAll", {0})), kInvalidArgs);
    EXPECT_EQ(outcome(ask(list, kSelection, "Frob")),
              "error org.freedesktop.DBus.Error.UnknownMethod");
    type({Qt::Key_Down});
    EXPECT_EQ(window.selectedIndex(ControlId::List1), 2);

    // Its one property, and none made up from a method's name.
    EXPECT_EQ(
        outcome(ask(list, kProperties, "Get", {kSelection, QStringLiteral("NSelectedChildren")})),
        "reply 1");
    EXPECT_EQ(outcome(ask(list, kProperties, "Get", {kSelection, QStringLiteral("SelectedChild")})),
              "error org.freedesktop.DBus.Error.UnknownProperty");
    EXPECT_EQ(outcome(ask(list, kProperties, "Set",
                          {kSelection, QStringLiteral("NSelectedChildren"),
                           QVariant::fromValue(QDBusVariant(0))})),
              "error org.freedesktop.DBus.Error.PropertyReadOnly");
    EXPECT_EQ(outcome(ask(list, kProperties, "GetAll", {kSelection})), "reply NSelectedChildren=1");
    EXPECT_EQ(window.selectedIndex(ControlId::List1), 2);
    EXPECT_TRUE(shell.requests.empty());
}
#endif

TEST_F(AccessibilityTest, picturesAreGraphicsAndMemoryFiguresAreLabelledByTheirCaptions) {
    loadAndShow();
    const std::pair<const char*, const char*> pictures[] = {{"Picture1", "American Express"},
                                                            {"Picture2", "MasterCard"},
                                                            {"Picture3", "Visa"},
                                                            {"Picture4", "Discover"}};
    for (const auto& [picture, brand] : pictures) {
        QAccessibleInterface* image = accessible(find(picture));
        EXPECT_EQ(image->role(), QAccessible::Graphic) << picture;
        EXPECT_EQ(nameOf(image), brand);
    }

    const std::tuple<const char*, const char*, const char*> figures[] = {
        {"Label8", "Label7", "8,388,608 KB"}, {"Label10", "Label9", "3,145,728 KB"}};
    for (const auto& [figure, caption, text] : figures) {
        QAccessibleInterface* shown = accessible(find(figure));
        EXPECT_EQ(nameOf(shown), text);
        EXPECT_EQ(labelsOf(shown), std::vector<QObject*>{find(caption)}) << figure;
    }
}

TEST_F(AccessibilityTest, f10AndTheArrowsWalkTheWrappedBarAsOneBar) {
    loadAndShow();
    QWidget* list = find("List1");
    // Shift+F10 is the context-menu key; Ctrl+F10 is no key of the bar either.
    for (const Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier}) {
        QTest::keyClick(list, Qt::Key_F10, held);
        QCoreApplication::processEvents();
        EXPECT_EQ(highlighted(), "") << "with modifier " << held;
        EXPECT_EQ(QApplication::focusWidget(), list);
    }
    type({Qt::Key_F10});
    EXPECT_EQ(highlighted(), "buildcredit");
    // Right through every entry, across the rows, and round to the first.
    std::vector<std::string> walked{highlighted()};
    for (int i = 0; i < 8; ++i) {
        type({Qt::Key_Right});
        walked.push_back(highlighted());
    }
    EXPECT_EQ(walked, (std::vector<std::string>{"buildcredit", "creditreports", "credrep",
                                                "creditrepair", "Calc", "getaloan", "quillpress",
                                                "Localhelp", "buildcredit"}));
    // Left from the first wraps to the last, and back across the rows.
    type({Qt::Key_Left});
    EXPECT_EQ(highlighted(), "Localhelp");
    type({Qt::Key_Left, Qt::Key_Left});
    EXPECT_EQ(highlighted(), "getaloan");
    type({Qt::Key_Return});
    EXPECT_EQ(lastLaunch(), "https://www.tallywick.example/loans/");
    EXPECT_EQ(highlighted(), "");
    EXPECT_EQ(QApplication::focusWidget(), list) << "the focus went back to the list";

    // F10 again, or Escape, leaves the bar.
    type({Qt::Key_F10});
    EXPECT_EQ(highlighted(), "buildcredit");
    type({Qt::Key_F10});
    EXPECT_EQ(highlighted(), "");
    type({Qt::Key_F10, Qt::Key_Escape});
    EXPECT_EQ(highlighted(), "");
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(shell.requests.size(), 1u);
}

TEST_F(AccessibilityTest, crossingTheRowsMovesTheFocusFromRowToRowAndNowhereElse) {
    loadAndShow();
    type({Qt::Key_F10});
    FocusRecorder recorder(window.findChild<WrappingMenuBar*>());
    using Names = std::vector<std::string>;
    // Left from the first entry to the last, on the second row.
    type({Qt::Key_Left});
    EXPECT_EQ(recorder.takeFocused(), Names{"menuRow2"});
    EXPECT_EQ(recorder.takeHighlighted(), Names{"Localhelp"});
    type({Qt::Key_Left, Qt::Key_Left});
    EXPECT_EQ(recorder.takeFocused(), Names{"menuRow1"});
    EXPECT_EQ(recorder.takeHighlighted(), (Names{"quillpress", "getaloan"}));
    type({Qt::Key_Right});
    EXPECT_EQ(recorder.takeFocused(), Names{"menuRow2"});
    EXPECT_EQ(recorder.takeHighlighted(), Names{"quillpress"});
    // With Help's drop-down open, Right closes it and goes round to the first
    // row, whose first entry has none to open.
    type({Qt::Key_Right, Qt::Key_Down});
    auto* help = find<QMenu>("Localhelp");
    ASSERT_TRUE(help->isVisible());
    recorder.takeFocused();
    recorder.takeHighlighted();
    QTest::keyClick(help, Qt::Key_Right);
    QCoreApplication::processEvents();
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(recorder.takeHighlighted(), Names{"buildcredit"});
    Names controls;
    for (const std::string& name : recorder.takeFocused()) {
        if (name.rfind("menuRow", 0) != 0) {
            controls.push_back(name);
        }
    }
    EXPECT_EQ(controls, Names{}) << "only the bar's rows had the focus";

    // Leaving the bar gives the focus back to the list, and to nothing else.
    type({Qt::Key_Left, Qt::Key_Escape});
    EXPECT_EQ(highlighted(), "");
    EXPECT_EQ(QApplication::focusWidget(), find("List1"));
    controls.clear();
    for (const std::string& name : recorder.takeFocused()) {
        if (name.rfind("menuRow", 0) != 0) {
            controls.push_back(name);
        }
    }
    EXPECT_EQ(controls, Names{"List1"});
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(AccessibilityTest, altTapThenArrowsAndReturnRunCreditRepairAndQuillpress) {
    loadAndShow();
    tapAlt();
    EXPECT_EQ(highlighted(), "buildcredit");
    type({Qt::Key_Right, Qt::Key_Right, Qt::Key_Return});
    EXPECT_EQ(lastLaunch(), "https://www.tallywick.example/credit-audit/");

    tapAlt();
    type(
        {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right});
    EXPECT_EQ(highlighted(), "quillpress");
    type({Qt::Key_Return});
    EXPECT_EQ(lastLaunch(), "https://downloads.quillpress.example/quillpress-setup.exe");
    EXPECT_EQ(shell.requests.size(), 2u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AccessibilityTest, downOpensADropDownAndTheArrowsCarryItAcrossTheRows) {
    loadAndShow();
    type({Qt::Key_F10, Qt::Key_Left, Qt::Key_Down});
    auto* help = find<QMenu>("Localhelp");
    ASSERT_TRUE(help->isVisible());
    EXPECT_EQ(help->activeAction()->objectName(), "orderfull");
    // Right from the last entry, with its drop-down open, goes round to the
    // first, which runs a command and has none to open.
    QTest::keyClick(help, Qt::Key_Right);
    QCoreApplication::processEvents();
    EXPECT_EQ(highlighted(), "buildcredit");
    EXPECT_FALSE(help->isVisible());
    type({Qt::Key_Right, Qt::Key_Down});
    auto* reports = find<QMenu>("creditreports");
    ASSERT_TRUE(reports->isVisible());
    QTest::keyClick(reports, Qt::Key_Down);
    QTest::keyClick(reports, Qt::Key_Return);
    EXPECT_EQ(lastLaunch(),
              "https://track.affiliate-network.example/click?aid=10427&oid=free-personal-report");
}

TEST_F(AccessibilityTest, anAltShortcutIsNoTap) {
    loadAndShow();
    QTest::keyPress(window.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(window.windowHandle(), Qt::Key_B, Qt::AltModifier);
    QTest::keyRelease(window.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(lastLaunch(), "https://www.tallywick.example/business-credit/");
    EXPECT_EQ(QApplication::focusWidget(), find("List1"))
        << "Alt+B then releasing Alt must not enter the bar";
}

TEST_F(AccessibilityTest, anAltPressHandedBackByTheAccessibilityBridgeIsNoTap) {
    loadAndShow();
    // With a screen reader, Qt's accessibility bridge holds each key until
    // the reader has seen it, then hands it back to the program: the press
    // of Alt may come back after the A of Alt+A, while Alt is still held.
    QWidget* list = find("List1");
    type({Qt::Key_Down});
    QTest::keyPress(window.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyPress(window.windowHandle(), Qt::Key_A, Qt::AltModifier);
    QKeyEvent handedBack(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(list, &handedBack);
    QTest::keyRelease(window.windowHandle(), Qt::Key_Alt, Qt::NoModifier);
    QTest::keyRelease(window.windowHandle(), Qt::Key_A, Qt::NoModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return shell.requests.size() == 2; }));
    EXPECT_EQ(highlighted(), "") << "letting go of Alt after Alt+A is no tap";
    EXPECT_EQ(QApplication::focusWidget(), list);
}

// With Qt's own bridge on an accessibility bus (at-spi-bridge.sh runs these
// on the X display, with buses of their own): a screen reader's calls, made
// over the bus, meet the supplement in the bridge's place. Should Qt's
// internals change so that it cannot get there, these fail.
class AtSpiBridgeTest : public WindowWithListsTest {
protected:
    void SetUp() override {
        WindowWithListsTest::SetUp();
        ASSERT_EQ(form.load(), LoadOutcome::Show);
        AtSpiSupplement::install(qApp);
        window.show();
        ASSERT_TRUE(QTest::qWaitFor([] { return AtSpiSupplement::installed(); }, 5000))
            << (QAccessible::isActive()
                    ? "accessibility is on, but the supplement did not take the bridge's place"
                    : "accessibility did not come on");
        // A screen reader's own connection to the accessibility bus.
        const QDBusMessage address =
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
        ASSERT_EQ(address.type(), QDBusMessage::ReplyMessage)
            << address.errorMessage().toStdString();
        reader = QDBusConnection::connectToBus(address.arguments().value(0).toString(),
                                               QStringLiteral("screen-reader"));
        ASSERT_TRUE(reader.isConnected());
    }

    void TearDown() override { QDBusConnection::disconnectFromBus(reader.name()); }

    // OBJECT's answer to a call made over the bus; the program's event loop
    // runs while it is awaited.
    QDBusMessage call(QAccessibleInterface* object, const QString& interface, const char* member,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            QDBusConnection(QStringLiteral("a11y")).baseService(),
            QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(object)),
            interface, QString::fromLatin1(member));
        message.setArguments(arguments);
        const QDBusPendingCall pending = reader.asyncCall(message, 5000);
        EXPECT_TRUE(QTest::qWaitFor([&pending] { return pending.isFinished(); }, 6000));
        return pending.reply();
    }

    QAccessibleInterface* find(const char* name) {
        return QAccessible::queryAccessibleInterface(
            window.findChild<QWidget*>(QString::fromLatin1(name)));
    }

    QDBusConnection reader{QString()};
};

TEST_F(AtSpiBridgeTest, dropDownsAreMenusAndListsHaveTheirSelection) {
    QAccessibleInterface* bar =
        QAccessible::queryAccessibleInterface(window.findChild<WrappingMenuBar*>()->rows().front());
    // AtspiRole: 33 a menu, 35 a menu item (atspi-constants.h).
    EXPECT_EQ(call(bar->child(1), kAccessible, "GetRole").arguments().value(0), QVariant(33u))
        << "Credit Reports opens a drop-down";
    EXPECT_EQ(call(bar->child(0), kAccessible, "GetRole").arguments().value(0), QVariant(35u))
        << "Build Business Credit runs a command";

    QAccessibleInterface* list = find("List1");
    const QStringList interfaces =
        call(list, kAccessible, "GetInterfaces").arguments().value(0).toStringList();
    EXPECT_TRUE(interfaces.contains(QStringLiteral("org.a11y.atspi.Table"))) << "the bridge's";
    EXPECT_TRUE(interfaces.contains(kSelection));
    EXPECT_EQ(call(list, kSelection, "SelectChild", {1}).arguments().value(0), QVariant(true));
    EXPECT_EQ(window.selectedIndex(ControlId::List1), 1);
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    EXPECT_EQ(call(list, kSelection, "SelectChild", {QStringLiteral("0")}).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    EXPECT_EQ(window.selectedIndex(ControlId::List1), 1);
#endif
    const QDBusMessage selected =
        call(list, kProperties, "Get", {kSelection, QStringLiteral("NSelectedChildren")});
    EXPECT_EQ(qvariant_cast<QDBusVariant>(selected.arguments().value(0)).variant(), QVariant(1));
}

TEST_F(AtSpiBridgeTest, callsThatWouldCrashOrMisleadTheBridgeAreRefusedAndTheProgramLivesOn) {
    const QString invalid = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
    EXPECT_EQ(call(find("Command2"), kAction, "DoAction", {QStringLiteral("0")}).errorName(),
              invalid);
    QAccessibleInterface* list = find("List1");
    EXPECT_EQ(call(list, kAccessible, "GetChildAtIndex").errorName(), invalid);
    EXPECT_EQ(call(list, kProperties, "GetAll", {kAccessible}).errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));
    const QDBusMessage name = call(list, kProperties, "Get", {kAccessible, QStringLiteral("Name")});
    EXPECT_EQ(qvariant_cast<QDBusVariant>(name.arguments().value(0)).variant(),
              QVariant(QStringLiteral("3 American Express Cards")));
    EXPECT_TRUE(shell.requests.empty());
}

} // namespace
} // namespace tallywick
