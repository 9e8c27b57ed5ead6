// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessible>
#include <QDBusVirtualObject>
#include <QPointer>

namespace tallywick {

// Puts AtSpiAnswers where Qt's AT-SPI bridge answers screen readers on the
// accessibility bus.
//
// Qt's bridge answers every accessible object under one D-Bus path with one
// object. The supplement takes that path over once the bridge has registered
// it, answers what AtSpiAnswers says and hands every other call to the bridge
// as it came. None of that is a promise Qt makes: it rests on the name of
// Qt's connection to the accessibility bus ("a11y"), the path, the bridge
// being a virtual object there, and the XML in which the bridge describes
// its objects. Should any of them change, the supplement says so on the
// program's error output once accessibility is on, and the test that runs it
// against the real bridge fails. Without Qt's bridge (offscreen, no
// accessibility bus) it does nothing.
class AtSpiSupplement final : public QDBusVirtualObject, public QAccessible::ActivationObserver {
    Q_OBJECT
public:
    // Once per program, before the event loop runs; owned by OWNER.
    static void install(QObject* owner);
    // True while the supplement answers in the bridge's place.
    [[nodiscard]] static bool installed();
    ~AtSpiSupplement() override;
    AtSpiSupplement(const AtSpiSupplement&) = delete;
    AtSpiSupplement& operator=(const AtSpiSupplement&) = delete;

    [[nodiscard]] QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    void accessibilityActiveChanged(bool active) override;

private:
    explicit AtSpiSupplement(QObject* owner);
    void takeOver();

    QPointer<QDBusVirtualObject> bridge_;
};

} // namespace tallywick
