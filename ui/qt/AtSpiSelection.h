// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

// Qt's bridge has AT-SPI's Selection from Qt 6.5 on: built for older Qt only.
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QString>

namespace tallywick {

// An accessible object as AT-SPI names it: the bus name of its program and
// its path, D-Bus type (so).
struct AtSpiObjectReference {
    QString service;
    QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& argument, const AtSpiObjectReference& reference);
const QDBusArgument& operator>>(const QDBusArgument& argument, AtSpiObjectReference& reference);

// AT-SPI's Selection interface on a list, for a Qt whose bridge lacks it, so
// that a screen reader coming back to a list finds its selected entry. Every
// call is checked against the interface's signatures first: one with missing,
// extra or wrong-typed arguments is refused with an error and changes nothing.
class AtSpiSelection {
public:
    static constexpr const char* kInterface = "org.a11y.atspi.Selection";

    // A list view with a selection, while the bridge of the running Qt lacks
    // Selection (a program built with an older Qt may run on a newer one).
    [[nodiscard]] static bool exposedBy(QAccessibleInterface* object);
    // Selects the list's child at INDEX, as the user would.
    static bool selectChild(QAccessibleInterface* list, int index);

    // The reply to CALL, a method of Selection's, made to LIST; SERVICE is
    // the program's name on the bus.
    [[nodiscard]] static QDBusMessage answer(const QDBusMessage& call, QAccessibleInterface* list,
                                             const QString& service);
    // The reply to CALL, which reads (Get, GetAll) or writes (Set) Selection's
    // properties on LIST; its arguments are already checked.
    [[nodiscard]] static QDBusMessage answerProperty(const QDBusMessage& call,
                                                     QAccessibleInterface* list);
    // The interface's description, for the XML that describes a list.
    [[nodiscard]] static QString description();
};

} // namespace tallywick

Q_DECLARE_METATYPE(tallywick::AtSpiObjectReference)

#endif
