// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace tallywick {

// What Qt's AT-SPI bridge says one accessible object answers, read from the
// XML in which the bridge describes it: the interfaces, the input arguments of
// each method as a D-Bus signature, and each property and whether it can be
// written. The bridge reads a call's arguments without looking at their
// number or types, so the supplement holds every call to what the bridge
// itself describes before the bridge sees it.
class AtSpiObjectDescription {
public:
    // XML: the <interface> elements the bridge writes for one object. Parsed
    // descriptions are kept, so that the bridge's few kinds of object are
    // read once each.
    [[nodiscard]] static AtSpiObjectDescription of(const QString& xml);

    [[nodiscard]] QStringList interfaces() const { return order_; }
    [[nodiscard]] bool describes(const QString& interface) const {
        return interfaces_.contains(interface);
    }
    // The signature of the method's input arguments, when the interface
    // lists the method.
    [[nodiscard]] std::optional<QString> inputsOf(const QString& interface,
                                                  const QString& method) const;
    enum class Access { Read, ReadWrite };
    [[nodiscard]] std::optional<Access> accessOf(const QString& interface,
                                                 const QString& property) const;

private:
    struct Interface {
        QHash<QString, QString> methods;
        QHash<QString, Access> properties;
    };
    [[nodiscard]] static AtSpiObjectDescription parse(const QString& xml);

    QStringList order_;
    QHash<QString, Interface> interfaces_;
};

// The D-Bus signature of call arguments as QtDBus hands them over, one
// complete type for each; an argument of no D-Bus type reads as "?", which no
// signature holds.
[[nodiscard]] QString signatureOf(const QVariantList& arguments);

// True when ARGUMENTS are exactly the complete types of SIGNATURE, one each.
[[nodiscard]] bool argumentsMatch(const QVariantList& arguments, const QString& signature);

} // namespace tallywick
