// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiAnswers.h"

#include "ui/qt/AtSpiObjectDescription.h"
#include "ui/qt/AtSpiSelection.h"

#include <QCoreApplication>
#include <QVariant>

namespace tallywick {

namespace {

// Where Qt's bridge answers for every accessible object: the path of the
// object with id N is this path, a slash and N; the application is "root".
const QString kAccessiblePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kRootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// AtspiRole's value for a menu (atspi-constants.h).
constexpr uint kAtSpiRoleMenu = 33;

QDBusMessage invalidArguments(const QDBusMessage& call, const QString& expected) {
    return call.createErrorReply(
        QDBusError::InvalidArgs,
        QStringLiteral("%1.%2 takes (%3), not (%4)")
            .arg(call.interface(), call.member(), expected, signatureOf(call.arguments())));
}

// The bridge's description of the object at PATH; none for a path that
// names no object (asking the bridge about one only makes it complain).
AtSpiObjectDescription describedBy(const QDBusVirtualObject& bridge, const QString& path) {
    const bool object = path == kRootPath || AtSpiAnswers::accessibleAt(path) != nullptr;
    return AtSpiObjectDescription::of(object ? bridge.introspect(path) : QString());
}

// Get(ss), Set(ssv) and GetAll(s) of the standard properties interface.
std::optional<QDBusMessage> answerProperties(const QDBusMessage& call, QAccessibleInterface* object,
                                             const AtSpiObjectDescription& bridge) {
    const QString member = call.member();
    QString inputs;
    if (member == QLatin1String("Get")) {
        inputs = QStringLiteral("ss");
    } else if (member == QLatin1String("Set")) {
        inputs = QStringLiteral("ssv");
    } else if (member == QLatin1String("GetAll")) {
        inputs = QStringLiteral("s");
    } else {
        return call.createErrorReply(
            QDBusError::UnknownMethod,
            QStringLiteral("%1 has no method %2").arg(kProperties, member));
    }
    if (!argumentsMatch(call.arguments(), inputs)) {
        return invalidArguments(call, inputs);
    }
    const QString interface = call.arguments().constFirst().toString();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    if (interface == QLatin1String(AtSpiSelection::kInterface) &&
        AtSpiSelection::exposedBy(object)) {
        return AtSpiSelection::answerProperty(call, object);
    }
#else
    Q_UNUSED(object)
#endif
    if (member == QLatin1String("GetAll")) {
        return call.createErrorReply(
            QDBusError::NotSupported,
            QStringLiteral("the properties of %1 are read one at a time, with Get").arg(interface));
    }
    if (!bridge.describes(interface)) {
        return std::nullopt;
    }
    const QString property = call.arguments().at(1).toString();
    const auto access = bridge.accessOf(interface, property);
    if (!access) {
        return call.createErrorReply(
            QDBusError::UnknownProperty,
            QStringLiteral("%1 has no property %2").arg(interface, property));
    }
    if (member == QLatin1String("Set") && *access == AtSpiObjectDescription::Access::Read) {
        return call.createErrorReply(QDBusError::PropertyReadOnly,
                                     QStringLiteral("%1.%2 is read-only").arg(interface, property));
    }
    return std::nullopt;
}

// A drop-down's entry on the bar: its role, said as a menu's.
std::optional<QVariant> menuRole(const QString& member) {
    if (member == QLatin1String("GetRole")) {
        return QVariant::fromValue(kAtSpiRoleMenu);
    }
    if (member == QLatin1String("GetRoleName")) {
        return QStringLiteral("menu");
    }
    if (member == QLatin1String("GetLocalizedRoleName")) {
        return QCoreApplication::translate("AtSpiSupplement", "menu");
    }
    return std::nullopt;
}

} // namespace

std::optional<QDBusMessage> AtSpiAnswers::answer(const QDBusMessage& call,
                                                 const QDBusVirtualObject& bridge,
                                                 const QString& service) {
    if (call.type() != QDBusMessage::MethodCallMessage) {
        return std::nullopt;
    }
    QAccessibleInterface* object = accessibleAt(call.path());
    const AtSpiObjectDescription described = describedBy(bridge, call.path());
    const QString interface = call.interface();
    const QString member = call.member();
    if (interface == kProperties) {
        return answerProperties(call, object, described);
    }
    if (interface == kAccessible && opensMenu(object)) {
        if (const std::optional<QVariant> role = menuRole(member)) {
            if (!call.arguments().isEmpty()) {
                return invalidArguments(call, QString());
            }
            return call.createReply(*role);
        }
    }
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    if (AtSpiSelection::exposedBy(object)) {
        if (interface == kAccessible && member == QLatin1String("GetInterfaces") &&
            !described.interfaces().isEmpty()) {
            if (!call.arguments().isEmpty()) {
                return invalidArguments(call, QString());
            }
            return call.createReply(described.interfaces()
                                    << QString::fromLatin1(AtSpiSelection::kInterface));
        }
        if (interface == QLatin1String(AtSpiSelection::kInterface)) {
            return AtSpiSelection::answer(call, object, service);
        }
    }
#else
    Q_UNUSED(service)
#endif
    // The bridge's own calls, held to its description.
    const std::optional<QString> inputs = described.inputsOf(interface, member);
    if (inputs && !argumentsMatch(call.arguments(), *inputs)) {
        return invalidArguments(call, *inputs);
    }
    return std::nullopt;
}

QString AtSpiAnswers::introspect(const QString& path, const QDBusVirtualObject& bridge) {
    QString xml = bridge.introspect(path);
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    if (AtSpiSelection::exposedBy(accessibleAt(path))) {
        xml += AtSpiSelection::description();
    }
#endif
    return xml;
}

bool AtSpiAnswers::opensMenu(QAccessibleInterface* object) {
    if (object == nullptr || object->role() != QAccessible::MenuItem || object->childCount() == 0) {
        return false;
    }
    QAccessibleInterface* parent = object->parent();
    return parent != nullptr && parent->role() == QAccessible::MenuBar;
}

QAccessibleInterface* AtSpiAnswers::accessibleAt(const QString& path) {
    if (!path.startsWith(kAccessiblePath + QLatin1Char('/'))) {
        return nullptr;
    }
    bool isId = false;
    const QAccessible::Id id = path.mid(kAccessiblePath.size() + 1).toUInt(&isId);
    QAccessibleInterface* object = isId ? QAccessible::accessibleInterface(id) : nullptr;
    return object != nullptr && object->isValid() ? object : nullptr;
}

QString AtSpiAnswers::objectsPath() {
    return kAccessiblePath;
}

QString AtSpiAnswers::pathOf(QAccessibleInterface* object) {
    return kAccessiblePath + QLatin1Char('/') + QString::number(QAccessible::uniqueId(object));
}

} // namespace tallywick
