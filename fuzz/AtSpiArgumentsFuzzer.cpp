// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// Fuzz target for the calls the accessibility supplement answers on the
// accessibility bus (AtSpiAnswers). The bytes make one call: the object it
// goes to (a list, a bar entry with and without a drop-down, a button, the
// application, a path that names nothing), its interface, its method and its
// arguments, each of a D-Bus type of the bytes' choosing. Beyond "no crash",
// it checks what each answer must keep, whatever the call:
// - the list's selection changes only on a well-formed SelectChild, one
//   32-bit index in range;
// - a call handed on to Qt's bridge fits what the bridge describes, and
//   reads properties one at a time (Get or Set, with their arguments);
// - an answer other than an error comes only to a call with the arguments
//   its method takes;
// - an error names itself as a standard D-Bus error.

#include "FakeAtSpiBridge.h"
#include "ui/qt/AtSpiAnswers.h"
#include "ui/qt/AtSpiProtocol.h"
#include "ui/qt/ListBoxView.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

using namespace tallywick;

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kSelection = QStringLiteral("org.a11y.atspi.Selection");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const char* const kRootPath = "/org/a11y/atspi/accessible/root";

// The input arguments of the fake bridge's methods (FakeAtSpiBridge.h), and of those the
// supplement answers itself (at-spi2-core's Accessible.xml and
// Selection.xml; the standard Properties interface), by "interface.method";
// and whether a call of it may reach the bridge only when it fits.
struct Inputs {
    const char* signature;
    bool heldToIt;
};
const std::map<std::string, Inputs> kInputs = {
    {"org.a11y.atspi.Accessible.GetChildAtIndex", {"i", true}},
    {"org.a11y.atspi.Accessible.GetRole", {"", true}},
    {"org.a11y.atspi.Accessible.GetRoleName", {"", false}},
    {"org.a11y.atspi.Accessible.GetLocalizedRoleName", {"", false}},
    {"org.a11y.atspi.Accessible.GetInterfaces", {"", false}},
    {"org.a11y.atspi.Action.DoAction", {"i", true}},
    {"org.a11y.atspi.Component.Contains", {"iiu", true}},
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    {"org.a11y.atspi.Selection.GetSelectedChild", {"i", true}},
    {"org.a11y.atspi.Selection.SelectChild", {"i", true}},
    {"org.a11y.atspi.Selection.DeselectSelectedChild", {"i", true}},
    {"org.a11y.atspi.Selection.IsChildSelected", {"i", true}},
    {"org.a11y.atspi.Selection.SelectAll", {"", true}},
    {"org.a11y.atspi.Selection.ClearSelection", {"", true}},
    {"org.a11y.atspi.Selection.DeselectChild", {"i", true}},
#endif
    {"org.freedesktop.DBus.Properties.Get", {"ss", true}},
    {"org.freedesktop.DBus.Properties.Set", {"ssv", true}},
    {"org.freedesktop.DBus.Properties.GetAll", {"s", true}},
};

// The bytes, read front to back; zeros once they run out.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint32_t next32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value = value << 8U | next();
        }
        return value;
    }
    template <typename T> const T& pick(const std::initializer_list<T>& choices) {
        return *(choices.begin() + next() % choices.size());
    }
    // A text of up to 31 bytes, as UTF-8 (invalid sequences and all).
    QString text() {
        QByteArray bytes;
        for (std::uint8_t length = next() % 32; length > 0; --length) {
            bytes.append(static_cast<char>(next()));
        }
        return QString::fromUtf8(bytes);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

QString name(Bytes& bytes, std::initializer_list<const char*> known) {
    const std::uint8_t choice = bytes.next();
    if (choice < 16) {
        return bytes.text();
    }
    return QString::fromLatin1(*(known.begin() + choice % known.size()));
}

// One argument of a type the bytes choose; its D-Bus signature goes to
// SIGNATURE.
QVariant argument(Bytes& bytes, std::string& signature, int depth = 0) {
    const auto value = bytes.next32();
    switch (bytes.next() % 14) {
    case 0:
        signature += "i";
        // Mostly near the list's rows, so that selections happen.
        return value % 2 == 0 ? QVariant(static_cast<int>(value % 8) - 2)
                              : QVariant(static_cast<int>(value));
    case 1:
        signature += "u";
        return QVariant(static_cast<uint>(value % 8));
    case 2:
        signature += "n";
        return QVariant::fromValue(static_cast<short>(value % 8));
    case 3:
        signature += "x";
        return QVariant::fromValue(static_cast<qlonglong>(value % 8));
    case 4:
        signature += "b";
        return QVariant(value % 2 == 1);
    case 5:
        signature += "d";
        return QVariant(static_cast<double>(value % 8));
    case 6:
        signature += "y";
        return QVariant::fromValue(static_cast<uchar>(value % 8));
    case 7:
        signature += "s";
        return name(bytes, {"org.a11y.atspi.Accessible", "org.a11y.atspi.Selection",
                            "org.a11y.atspi.Value", "org.a11y.atspi.Action", "NSelectedChildren",
                            "SelectedChild", "Name", "Role", "CurrentValue", "ChildCount", "1"});
    case 8:
        signature += "o";
        return QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/a11y/atspi/null")));
    case 9:
        signature += "g";
        return QVariant::fromValue(QDBusSignature(QStringLiteral("i")));
    case 10:
        signature += "as";
        return QStringList{bytes.text(), bytes.text()};
    case 11:
        signature += "ay";
        return QByteArray(static_cast<int>(value % 4), '\1');
    case 12:
        if (depth == 0) {
            signature += "v";
            std::string inner;
            return QVariant::fromValue(QDBusVariant(argument(bytes, inner, 1)));
        }
        [[fallthrough]];
    default:
        signature += "q";
        return QVariant::fromValue(static_cast<ushort>(value % 8));
    }
}

struct Window {
    QWidget widget;
    ListBoxView* list = new ListBoxView(&widget);
    QMenuBar* bar = new QMenuBar(&widget);
    QPushButton* button = new QPushButton(QStringLiteral("Open"), &widget);
    QStringListModel model{
        {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}};

    Window() {
        auto* layout = new QVBoxLayout(&widget);
        layout->addWidget(bar);
        layout->addWidget(list);
        layout->addWidget(button);
        list->setModel(&model);
        bar->addAction(QStringLiteral("Plain"));
        bar->addMenu(QStringLiteral("Drop-down"))->addAction(QStringLiteral("Item"));
    }
};

Window& window() {
    static int argc = 1;
    static char program[] = "at_spi_arguments_fuzzer";
    static char* argv[] = {program, nullptr};
    // Never a window on a real display.
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto* application = new QApplication(argc, argv);
    static auto* built = new Window;
    Q_UNUSED(offscreen)
    Q_UNUSED(application)
    return *built;
}

[[noreturn]] void violated(const char* what, const QDBusMessage& call) {
    std::fprintf(stderr, "%s: %s.%s on %s\n", what, qPrintable(call.interface()),
                 qPrintable(call.member()), qPrintable(call.path()));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Window& shown = window();
    shown.list->selectionModel()->clear();
    Bytes bytes(data, size);

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(shown.list);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(shown.bar);
    QAccessibleInterface* object = bytes.pick<QAccessibleInterface*>(
        {list, bar->child(0), bar->child(1), QAccessible::queryAccessibleInterface(shown.button),
         nullptr});
    const QString path = object != nullptr
                             ? AtSpiProtocol::pathOf(object)
                             : bytes.pick<QString>({QString::fromLatin1(kRootPath),
                                                    QStringLiteral("/org/a11y/atspi/accessible/") +
                                                        QString::number(bytes.next32()),
                                                    QStringLiteral("/")});
    const QString interface =
        name(bytes, {"org.a11y.atspi.Accessible", "org.a11y.atspi.Selection",
                     "org.freedesktop.DBus.Properties", "org.a11y.atspi.Action",
                     "org.a11y.atspi.Component", "org.a11y.atspi.Value", ""});
    const QString member =
        name(bytes, {"GetRole", "GetRoleName", "GetLocalizedRoleName", "GetInterfaces",
                     "GetChildAtIndex", "SelectChild", "DeselectChild", "DeselectSelectedChild",
                     "IsChildSelected", "GetSelectedChild", "SelectAll", "ClearSelection", "Get",
                     "Set", "GetAll", "DoAction", "Contains"});
    std::string signature;
    QVariantList arguments;
    for (std::uint8_t count = bytes.next() % 5; count > 0; --count) {
        arguments.append(argument(bytes, signature));
    }
    QDBusMessage call =
        bytes.next() % 16 == 0
            ? QDBusMessage::createSignal(path, interface, member)
            : QDBusMessage::createMethodCall(QStringLiteral(":1.5"), path, interface, member);
    call.setArguments(arguments);

    testing::FakeAtSpiBridge bridge;
    const std::optional<QDBusMessage> answer =
        AtSpiAnswers::answer(call, bridge, QStringLiteral(":1.5"));

    const bool methodCall = call.type() == QDBusMessage::MethodCallMessage;
    const auto known = kInputs.find((interface + QLatin1Char('.') + member).toStdString());
    const bool wellFormed = known == kInputs.end() || known->second.signature == signature;
    if (shown.list->selectionModel()->hasSelection()) {
        const int index = arguments.value(0).toInt();
        if (object != list || interface != kSelection || member != QLatin1String("SelectChild") ||
            signature != "i" || index < 0 || index >= list->childCount()) {
            violated("the selection changed", call);
        }
    }
    if (!answer) {
        // Selection is the supplement's on the list alone; elsewhere the
        // bridge, which has none, refuses it, as it refuses any call to a
        // path that names no object.
        const bool named = object != nullptr || path == QLatin1String(kRootPath);
        const bool heldToIt = named && known != kInputs.end() && known->second.heldToIt &&
                              (interface != kSelection || object == list);
        if (methodCall && !wellFormed && heldToIt) {
            violated("a malformed call went to the bridge", call);
        }
        if (methodCall && interface == kProperties && member != QLatin1String("Get") &&
            member != QLatin1String("Set")) {
            violated("a property call the bridge cannot take went to it", call);
        }
    } else if (answer->type() == QDBusMessage::ErrorMessage) {
        if (!answer->errorName().startsWith(QLatin1String("org.freedesktop.DBus.Error."))) {
            violated("an error without a standard name", call);
        }
    } else if (!methodCall || !wellFormed) {
        violated("a malformed call was answered", call);
    }
    return 0;
}
