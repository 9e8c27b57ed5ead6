// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiObjectDescription.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QXmlStreamReader>

namespace tallywick {

namespace {

// The bridge describes a few kinds of object (a list, a button, a label ...);
// more than this many descriptions means something else is going on, and
// the kept ones are dropped rather than grown without end.
constexpr qsizetype kKeptDescriptions = 64;

// Where the complete type that starts at FROM ends, or -1 when SIGNATURE
// holds none there.
qsizetype completeTypeEnd(const QString& signature, qsizetype from) {
    if (from >= signature.size()) {
        return -1;
    }
    const QChar first = signature.at(from);
    if (first == QLatin1Char('a')) {
        return completeTypeEnd(signature, from + 1);
    }
    if (first != QLatin1Char('(') && first != QLatin1Char('{')) {
        return from + 1;
    }
    int depth = 0;
    for (qsizetype at = from; at < signature.size(); ++at) {
        const QChar c = signature.at(at);
        if (c == QLatin1Char('(') || c == QLatin1Char('{')) {
            ++depth;
        } else if ((c == QLatin1Char(')') || c == QLatin1Char('}')) && --depth == 0) {
            return at + 1;
        }
    }
    return -1;
}

// How many complete types SIGNATURE holds, or -1 when it is not one.
qsizetype completeTypes(const QString& signature) {
    qsizetype count = 0;
    for (qsizetype at = 0; at < signature.size(); ++count) {
        at = completeTypeEnd(signature, at);
        if (at < 0) {
            return -1;
        }
    }
    return count;
}

QString signatureOf(const QVariant& argument) {
    if (argument.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const QString signature = qvariant_cast<QDBusArgument>(argument).currentSignature();
        return completeTypes(signature) == 1 ? signature : QStringLiteral("?");
    }
    const char* signature = QDBusMetaType::typeToSignature(argument.metaType());
    return signature != nullptr ? QString::fromLatin1(signature) : QStringLiteral("?");
}

} // namespace

QString signatureOf(const QVariantList& arguments) {
    QString signature;
    for (const QVariant& argument : arguments) {
        signature += signatureOf(argument);
    }
    return signature;
}

bool argumentsMatch(const QVariantList& arguments, const QString& signature) {
    // Each argument is one complete type (or "?"), so equal texts and equal
    // counts mean that each argument has its own type.
    return completeTypes(signature) == arguments.size() && signatureOf(arguments) == signature;
}

AtSpiObjectDescription AtSpiObjectDescription::of(const QString& xml) {
    static QHash<QString, AtSpiObjectDescription> kept;
    const auto found = kept.constFind(xml);
    if (found != kept.constEnd()) {
        return *found;
    }
    if (kept.size() >= kKeptDescriptions) {
        kept.clear();
    }
    return *kept.insert(xml, parse(xml));
}

AtSpiObjectDescription AtSpiObjectDescription::parse(const QString& xml) {
    AtSpiObjectDescription description;
    // The bridge writes the elements of one node without the node itself.
    QXmlStreamReader reader(QStringLiteral("<node>") + xml + QStringLiteral("</node>"));
    Interface* interface = nullptr;
    QString method;
    QString inputs;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        const auto name = reader.name();
        if (token == QXmlStreamReader::EndElement) {
            if (name == QLatin1String("method") && interface != nullptr && !method.isEmpty()) {
                interface->methods.insert(method, inputs);
                method.clear();
            } else if (name == QLatin1String("interface")) {
                interface = nullptr;
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        if (name == QLatin1String("interface")) {
            const QString interfaceName = attributes.value(QLatin1String("name")).toString();
            if (!description.interfaces_.contains(interfaceName)) {
                description.order_.append(interfaceName);
            }
            interface = &description.interfaces_[interfaceName];
        } else if (name == QLatin1String("method") && interface != nullptr) {
            method = attributes.value(QLatin1String("name")).toString();
            inputs.clear();
        } else if (name == QLatin1String("arg") && !method.isEmpty() &&
                   attributes.value(QLatin1String("direction")) != QLatin1String("out")) {
            // A method's argument is an input unless it says otherwise.
            inputs += attributes.value(QLatin1String("type"));
        } else if (name == QLatin1String("property") && interface != nullptr) {
            const bool writable =
                attributes.value(QLatin1String("access")).contains(QLatin1String("write"));
            interface->properties.insert(attributes.value(QLatin1String("name")).toString(),
                                         writable ? Access::ReadWrite : Access::Read);
        }
    }
    return description;
}

std::optional<QString> AtSpiObjectDescription::inputsOf(const QString& interface,
                                                        const QString& method) const {
    const auto found = interfaces_.constFind(interface);
    if (found == interfaces_.constEnd() || !found->methods.contains(method)) {
        return std::nullopt;
    }
    return found->methods.value(method);
}

std::optional<AtSpiObjectDescription::Access>
AtSpiObjectDescription::accessOf(const QString& interface, const QString& property) const {
    const auto found = interfaces_.constFind(interface);
    if (found == interfaces_.constEnd() || !found->properties.contains(property)) {
        return std::nullopt;
    }
    return found->properties.value(property);
}

} // namespace tallywick
