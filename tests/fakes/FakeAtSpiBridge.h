// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// Qt's AT-SPI bridge as the accessibility supplement sees it, for the tests
// and the fuzz target of the supplement: it describes every object alike, in
// the XML the bridge writes, with a few of its methods that take arguments
// and properties of both kinds, and answers nothing itself.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QString>

namespace tallywick::testing {

class FakeAtSpiBridge final : public QDBusVirtualObject {
public:
    [[nodiscard]] QString introspect(const QString& /*path*/) const override {
        return QStringLiteral(R"xml(
  <interface name="org.a11y.atspi.Accessible">
    <property access="read" type="s" name="Name"/>
    <property access="read" type="i" name="ChildCount"/>
    <method name="GetChildAtIndex">
      <arg direction="in" type="i" name="index"/>
      <arg direction="out" type="(so)"/>
    </method>
    <method name="GetRole"><arg direction="out" type="u"/></method>
  </interface>
  <interface name="org.a11y.atspi.Action">
    <method name="DoAction">
      <arg direction="in" type="i" name="index"/>
      <arg direction="out" type="b"/>
    </method>
  </interface>
  <interface name="org.a11y.atspi.Component">
    <method name="Contains">
      <arg direction="in" type="i" name="x"/>
      <arg direction="in" type="i" name="y"/>
      <arg direction="in" type="u" name="coord_type"/>
      <arg direction="out" type="b"/>
    </method>
  </interface>
  <interface name="org.a11y.atspi.Value">
    <property access="readwrite" type="d" name="CurrentValue"/>
  </interface>
)xml");
    }
    bool handleMessage(const QDBusMessage& /*message*/,
                       const QDBusConnection& /*connection*/) override {
        return false;
    }
};

} // namespace tallywick::testing
