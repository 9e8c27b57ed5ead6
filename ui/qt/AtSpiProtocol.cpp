// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiProtocol.h"

#include <QDBusError>

namespace tallywick {

namespace {

const QString kAccessiblePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kRootPath = QStringLiteral("/org/a11y/atspi/accessible/root");

} // namespace

QString AtSpiProtocol::objectsPath() {
    return kAccessiblePath;
}

QString AtSpiProtocol::pathOf(QAccessibleInterface* object) {
    return kAccessiblePath + QLatin1Char('/') + QString::number(QAccessible::uniqueId(object));
}

QAccessibleInterface* AtSpiProtocol::accessibleAt(const QString& path) {
    if (!path.startsWith(kAccessiblePath + QLatin1Char('/'))) {
        return nullptr;
    }
    bool isId = false;
    const QAccessible::Id id = path.mid(kAccessiblePath.size() + 1).toUInt(&isId);
    QAccessibleInterface* object = isId ? QAccessible::accessibleInterface(id) : nullptr;
    return object != nullptr && object->isValid() ? object : nullptr;
}

bool AtSpiProtocol::namesObject(const QString& path) {
    return path == kRootPath || accessibleAt(path) != nullptr;
}

QDBusMessage AtSpiProtocol::unknownMethod(const QDBusMessage& call) {
    return call.createErrorReply(
        QDBusError::UnknownMethod,
        QStringLiteral("%1 has no method %2").arg(call.interface(), call.member()));
}

QDBusMessage AtSpiProtocol::invalidArguments(const QDBusMessage& call, const QString& expected) {
    return call.createErrorReply(
        QDBusError::InvalidArgs,
        QStringLiteral("%1.%2 takes (%3), not (%4)")
            .arg(call.interface(), call.member(), expected, signatureOf(call.arguments())));
}

std::optional<QDBusMessage> AtSpiProtocol::refusedArguments(const QDBusMessage& call,
                                                            const AtSpiObjectDescription& object) {
    const std::optional<QString> inputs = object.inputsOf(call.interface(), call.member());
    if (inputs && !argumentsMatch(call.arguments(), *inputs)) {
        return invalidArguments(call, *inputs);
    }
    return std::nullopt;
}

std::optional<QDBusMessage> AtSpiProtocol::refusedProperty(const QDBusMessage& call,
                                                           const AtSpiObjectDescription& object) {
    const QString interface = call.arguments().value(0).toString();
    const QString property = call.arguments().value(1).toString();
    const auto access = object.accessOf(interface, property);
    if (!access) {
        return call.createErrorReply(
            QDBusError::UnknownProperty,
            QStringLiteral("%1 has no property %2").arg(interface, property));
    }
    if (call.member() == QLatin1String("Set") && *access == AtSpiObjectDescription::Access::Read) {
        return call.createErrorReply(QDBusError::PropertyReadOnly,
                                     QStringLiteral("%1.%2 is read-only").arg(interface, property));
    }
    return std::nullopt;
}

} // namespace tallywick
