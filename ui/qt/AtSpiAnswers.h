// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessible>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>
#include <optional>

namespace tallywick {

// What the accessibility supplement says to one call a screen reader makes
// to an accessible object, decided from the call, the object and Qt's bridge's
// description of it:
// - a menu bar entry that opens a drop-down is a menu, not a plain menu item;
// - a list has AT-SPI's Selection, where the bridge lacks it (before Qt 6.5);
// - every other call goes to the bridge as it came, but only when it fits
//   what the bridge describes: the bridge reads arguments without looking at
//   their number or types (a missing one crashes it, a wrong-typed one reads
//   as 0 and may press a button), so a call with missing, extra or
//   wrong-typed arguments, a property the interface does not have, or a
//   property read all at once (GetAll, which crashes the bridge) is answered
//   here with the D-Bus error a screen reader expects from any service
//   (InvalidArgs, UnknownProperty, ...), and changes nothing.
class AtSpiAnswers {
public:
    // The reply or error to send for CALL, a message to an accessible
    // object's path; nothing when it is the bridge's to answer. BRIDGE
    // describes the objects (QDBusVirtualObject::introspect); SERVICE is
    // the program's name on the bus, by which AT-SPI names objects.
    [[nodiscard]] static std::optional<QDBusMessage>
    answer(const QDBusMessage& call, const QDBusVirtualObject& bridge, const QString& service);
    // The description of the object at PATH: the bridge's, with what the
    // supplement adds.
    [[nodiscard]] static QString introspect(const QString& path, const QDBusVirtualObject& bridge);

    [[nodiscard]] static bool opensMenu(QAccessibleInterface* object);
};

} // namespace tallywick
