// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessible>
#include <QDBusVirtualObject>
#include <QPointer>
#include <optional>

namespace tallywick {

// What Qt's AT-SPI bridge leaves out, added where the bridge answers screen
// readers on the accessibility bus:
// - a list exposes its selection through AT-SPI's Selection interface, so
//   that a screen reader coming back to a list finds its selected entry (the
//   bridge has it only from Qt 6.5 on, and then the supplement leaves it to
//   the bridge);
// - a menu bar entry that opens a drop-down is a menu, not a plain menu item.
//
// Qt's bridge answers every accessible object under one D-Bus path with one
// object. The supplement takes that path over once the bridge has registered
// it, answers what it adds and hands every other call to the bridge as it
// came. Without Qt's bridge on the bus (offscreen, another platform, no
// accessibility bus) it does nothing.
class AtSpiSupplement final : public QDBusVirtualObject, public QAccessible::ActivationObserver {
    Q_OBJECT
public:
    // Once per program, before the event loop runs; owned by OWNER.
    static void install(QObject* owner);
    ~AtSpiSupplement() override;
    AtSpiSupplement(const AtSpiSupplement&) = delete;
    AtSpiSupplement& operator=(const AtSpiSupplement&) = delete;

    // What the supplement adds, read from the accessible object as the
    // bridge sees it.
    [[nodiscard]] static bool opensMenu(QAccessibleInterface* object);
    [[nodiscard]] static bool exposesSelection(QAccessibleInterface* object);
    // Selects the list's child at INDEX, as the user would.
    static bool selectChild(QAccessibleInterface* list, int index);

    [[nodiscard]] QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    void accessibilityActiveChanged(bool active) override;

private:
    explicit AtSpiSupplement(QObject* owner);
    void takeOver();
    [[nodiscard]] std::optional<QVariant> answer(QAccessibleInterface* object,
                                                 const QDBusMessage& message,
                                                 const QDBusConnection& connection);
    [[nodiscard]] std::optional<QVariant> answerSelection(QAccessibleInterface* list,
                                                          const QString& member,
                                                          const QVariantList& arguments,
                                                          const QDBusConnection& connection);
    [[nodiscard]] QStringList bridgeInterfaces(const QDBusMessage& message,
                                               const QDBusConnection& connection);

    QPointer<QDBusVirtualObject> bridge_;
    // While the supplement asks the bridge itself, calls go straight to it.
    bool askingBridge_ = false;
};

} // namespace tallywick
