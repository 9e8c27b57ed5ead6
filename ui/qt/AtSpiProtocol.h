// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/qt/AtSpiObjectDescription.h"

#include <QAccessible>
#include <QDBusMessage>
#include <QString>
#include <optional>

namespace tallywick {

// What every answer of the accessibility supplement shares: where Qt's
// bridge answers for each accessible object on the accessibility bus, and the
// standard D-Bus errors with which a call is refused that does not fit what
// an object describes (the errors a screen reader expects of any service).
class AtSpiProtocol {
public:
    // The path under which the bridge answers for every object: the object
    // with id N is this path, a slash and N; the application is "root".
    [[nodiscard]] static QString objectsPath();
    // Where the bridge answers for OBJECT.
    [[nodiscard]] static QString pathOf(QAccessibleInterface* object);
    // The accessible object at PATH, if PATH names a live one.
    [[nodiscard]] static QAccessibleInterface* accessibleAt(const QString& path);
    // True when PATH names an object: the application, or a live one.
    [[nodiscard]] static bool namesObject(const QString& path);

    // CALL's method is none that its interface has.
    [[nodiscard]] static QDBusMessage unknownMethod(const QDBusMessage& call);
    // CALL's arguments are not the complete types of EXPECTED, one each.
    [[nodiscard]] static QDBusMessage invalidArguments(const QDBusMessage& call,
                                                       const QString& expected);
    // The refusal of CALL, a method OBJECT describes, when its arguments are
    // not those the description gives it; nothing when they are or when
    // OBJECT does not describe the method.
    [[nodiscard]] static std::optional<QDBusMessage>
    refusedArguments(const QDBusMessage& call, const AtSpiObjectDescription& object);
    // The refusal of CALL, a Get(ss) or Set(ssv) of the standard properties
    // interface whose arguments are checked, when OBJECT describes no such
    // property of the interface named, or when it sets one that is read-only;
    // nothing otherwise.
    [[nodiscard]] static std::optional<QDBusMessage>
    refusedProperty(const QDBusMessage& call, const AtSpiObjectDescription& object);
};

} // namespace tallywick
