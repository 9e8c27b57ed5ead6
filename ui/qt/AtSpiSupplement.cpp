// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiSupplement.h"

#include "ui/qt/AtSpiAnswers.h"
#include "ui/qt/AtSpiProtocol.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QtDebug>

namespace tallywick {

namespace {

// Qt's connection to the accessibility bus.
const QString kBusName = QStringLiteral("a11y");

QPointer<AtSpiSupplement>& instance() {
    static QPointer<AtSpiSupplement> supplement;
    return supplement;
}

// Qt's AT-SPI bridge runs on the X11 and Wayland platforms only.
bool platformHasBridge() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

} // namespace

void AtSpiSupplement::install(QObject* owner) {
    if (instance().isNull()) {
        instance() = new AtSpiSupplement(owner);
    }
}

bool AtSpiSupplement::installed() {
    const AtSpiSupplement* supplement = instance().data();
    const QDBusConnection bus(kBusName);
    return supplement != nullptr && !supplement->bridge_.isNull() && bus.isConnected() &&
           bus.objectRegisteredAt(AtSpiProtocol::objectsPath()) == supplement;
}

AtSpiSupplement::AtSpiSupplement(QObject* owner) : QDBusVirtualObject(owner) {
    QAccessible::installActivationObserver(this);
    // Asking also brings the platform's bridge up, which then registers on
    // the accessibility bus from the event loop.
    if (QAccessible::isActive()) {
        takeOver();
    }
}

AtSpiSupplement::~AtSpiSupplement() {
    QAccessible::removeActivationObserver(this);
    QDBusConnection bus(kBusName);
    const QString path = AtSpiProtocol::objectsPath();
    if (!bridge_.isNull() && bus.isConnected() && bus.objectRegisteredAt(path) == this) {
        bus.unregisterObject(path);
        bus.registerVirtualObject(path, bridge_, QDBusConnection::SubPath);
    }
}

void AtSpiSupplement::accessibilityActiveChanged(bool active) {
    // Qt's bridge reports itself active just before it registers on the bus;
    // queued, the supplement looks once that is done, and before any call a
    // screen reader makes to the program is handled.
    if (active) {
        QMetaObject::invokeMethod(this, &AtSpiSupplement::takeOver, Qt::QueuedConnection);
    }
}

void AtSpiSupplement::takeOver() {
    if (!bridge_.isNull()) {
        return;
    }
    QDBusConnection bus(kBusName);
    const QString path = AtSpiProtocol::objectsPath();
    const char* missing = nullptr;
    if (!bus.isConnected()) {
        missing = "no connection to the accessibility bus named \"a11y\"";
    } else if (auto* bridge = qobject_cast<QDBusVirtualObject*>(bus.objectRegisteredAt(path))) {
        if (bridge == this) {
            return;
        }
        bus.unregisterObject(path);
        if (bus.registerVirtualObject(path, this, QDBusConnection::SubPath)) {
            bridge_ = bridge;
            return;
        }
        bus.registerVirtualObject(path, bridge, QDBusConnection::SubPath);
        missing = "no room at the bridge's path";
    } else {
        missing = "no bridge object at its path";
    }
    // Accessibility is on, but what Qt did here before has changed.
    if (QAccessible::isActive() && platformHasBridge()) {
        qWarning("tallywick: the accessibility supplement found %s: screen readers will not "
                 "hear which entry a list has selected, nor that a bar entry opens a menu",
                 missing);
    }
}

QString AtSpiSupplement::introspect(const QString& path) const {
    return bridge_.isNull() ? QString() : AtSpiAnswers::introspect(path, *bridge_);
}

bool AtSpiSupplement::handleMessage(const QDBusMessage& message,
                                    const QDBusConnection& connection) {
    if (bridge_.isNull()) {
        return false;
    }
    if (const auto reply = AtSpiAnswers::answer(message, *bridge_, connection.baseService())) {
        connection.send(*reply);
        return true;
    }
    return bridge_->handleMessage(message, connection);
}

} // namespace tallywick
