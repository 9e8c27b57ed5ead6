// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiAnswers.h"

#include "ui/qt/AtSpiProtocol.h"
#include "ui/qt/AtSpiSelection.h"

#include <QCoreApplication>
#include <QVariant>

namespace tallywick {

namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// AtspiRole's value for a menu (atspi-constants.h).
constexpr uint kAtSpiRoleMenu = 33;

// The bridge's description of the object at PATH; none for a path that
// names no object (asking the bridge about one only makes it complain).
AtSpiObjectDescription describedBy(const QDBusVirtualObject& bridge, const QString& path) {
    return AtSpiObjectDescription::of(AtSpiProtocol::namesObject(path) ? bridge.introspect(path)
                                                                       : QString());
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
        return AtSpiProtocol::unknownMethod(call);
    }
    if (!argumentsMatch(call.arguments(), inputs)) {
        return AtSpiProtocol::invalidArguments(call, inputs);
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
    return AtSpiProtocol::refusedProperty(call, bridge);
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
    QAccessibleInterface* object = AtSpiProtocol::accessibleAt(call.path());
    const AtSpiObjectDescription described = describedBy(bridge, call.path());
    const QString interface = call.interface();
    const QString member = call.member();
    if (interface == kProperties) {
        return answerProperties(call, object, described);
    }
    if (interface == kAccessible && opensMenu(object)) {
        if (const std::optional<QVariant> role = menuRole(member)) {
            if (!call.arguments().isEmpty()) {
                return AtSpiProtocol::invalidArguments(call, QString());
            }
            return call.createReply(*role);
        }
    }
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    if (AtSpiSelection::exposedBy(object)) {
        if (interface == kAccessible && member == QLatin1String("GetInterfaces") &&
            !described.interfaces().isEmpty()) {
            if (!call.arguments().isEmpty()) {
                return AtSpiProtocol::invalidArguments(call, QString());
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
    return AtSpiProtocol::refusedArguments(call, described);
}

QString AtSpiAnswers::introspect(const QString& path, const QDBusVirtualObject& bridge) {
    QString xml = bridge.introspect(path);
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    if (AtSpiSelection::exposedBy(AtSpiProtocol::accessibleAt(path))) {
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

} // namespace tallywick
