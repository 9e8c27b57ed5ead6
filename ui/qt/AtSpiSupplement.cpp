// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiSupplement.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QLibraryInfo>
#include <QVersionNumber>

namespace tallywick {

namespace {

// Where Qt's bridge answers for every accessible object: the path of the
// object with id N is this path, a slash and N.
const QString kAccessiblePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kBusName = QStringLiteral("a11y");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kSelection = QStringLiteral("org.a11y.atspi.Selection");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// AtspiRole's value for a menu (atspi-constants.h).
constexpr uint kAtSpiRoleMenu = 33;
// The bridge answers at once, in this thread; should a call ever leave the
// program instead, the wait is short and the caller gets the bridge's answer.
constexpr int kBridgeCallTimeoutMs = 1000;

const char* const kSelectionIntrospection = R"xml(  <interface name="org.a11y.atspi.Selection">
    <property name="NSelectedChildren" type="i" access="read"/>
    <method name="GetSelectedChild">
      <arg direction="in" name="selectedChildIndex" type="i"/>
      <arg direction="out" type="(so)"/>
    </method>
    <method name="SelectChild">
      <arg direction="in" name="childIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
    <method name="DeselectSelectedChild">
      <arg direction="in" name="selectedChildIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
    <method name="IsChildSelected">
      <arg direction="in" name="childIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
    <method name="SelectAll">
      <arg direction="out" type="b"/>
    </method>
    <method name="ClearSelection">
      <arg direction="out" type="b"/>
    </method>
    <method name="DeselectChild">
      <arg direction="in" name="childIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
  </interface>
)xml";

// An accessible object as AT-SPI names it: the bus name of its program and
// its path, D-Bus type (so).
struct ObjectReference {
    QString service;
    QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& argument, const ObjectReference& reference) {
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ObjectReference& reference) {
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

// The bridge exposes Selection itself from Qt 6.5 on.
bool bridgeHasSelection() {
    return QLibraryInfo::version() >= QVersionNumber(6, 5);
}

QAccessibleInterface* accessibleAt(const QString& path) {
    if (!path.startsWith(kAccessiblePath + QLatin1Char('/'))) {
        return nullptr;
    }
    bool isId = false;
    const QAccessible::Id id = path.mid(kAccessiblePath.size() + 1).toUInt(&isId);
    QAccessibleInterface* object = isId ? QAccessible::accessibleInterface(id) : nullptr;
    return object != nullptr && object->isValid() ? object : nullptr;
}

ObjectReference referenceTo(QAccessibleInterface* object, const QDBusConnection& connection) {
    if (object == nullptr) {
        return {connection.baseService(), QDBusObjectPath(QStringLiteral("/org/a11y/atspi/null"))};
    }
    return {connection.baseService(),
            QDBusObjectPath(kAccessiblePath + QLatin1Char('/') +
                            QString::number(QAccessible::uniqueId(object)))};
}

QAbstractItemView* viewOf(QAccessibleInterface* list) {
    return qobject_cast<QAbstractItemView*>(list->object());
}

QAccessibleInterface* childOf(QAccessibleInterface* list, int index) {
    return index >= 0 && index < list->childCount() ? list->child(index) : nullptr;
}

int rowOfChild(QAccessibleInterface* list, int index) {
    QAccessibleInterface* item = childOf(list, index);
    return item != nullptr && item->tableCellInterface() != nullptr
               ? item->tableCellInterface()->rowIndex()
               : -1;
}

} // namespace

void AtSpiSupplement::install(QObject* owner) {
    static QPointer<AtSpiSupplement> installed;
    if (installed.isNull()) {
        installed = new AtSpiSupplement(owner);
    }
}

AtSpiSupplement::AtSpiSupplement(QObject* owner) : QDBusVirtualObject(owner) {
    qDBusRegisterMetaType<ObjectReference>();
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
    if (!bridge_.isNull() && bus.isConnected() && bus.objectRegisteredAt(kAccessiblePath) == this) {
        bus.unregisterObject(kAccessiblePath);
        bus.registerVirtualObject(kAccessiblePath, bridge_, QDBusConnection::SubPath);
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
    QDBusConnection bus(kBusName);
    if (!bridge_.isNull() || !bus.isConnected()) {
        return;
    }
    auto* bridge = qobject_cast<QDBusVirtualObject*>(bus.objectRegisteredAt(kAccessiblePath));
    if (bridge == nullptr || bridge == this) {
        return;
    }
    bus.unregisterObject(kAccessiblePath);
    if (bus.registerVirtualObject(kAccessiblePath, this, QDBusConnection::SubPath)) {
        bridge_ = bridge;
    } else {
        bus.registerVirtualObject(kAccessiblePath, bridge, QDBusConnection::SubPath);
    }
}

bool AtSpiSupplement::opensMenu(QAccessibleInterface* object) {
    if (object == nullptr || object->role() != QAccessible::MenuItem || object->childCount() == 0) {
        return false;
    }
    QAccessibleInterface* parent = object->parent();
    return parent != nullptr && parent->role() == QAccessible::MenuBar;
}

bool AtSpiSupplement::exposesSelection(QAccessibleInterface* object) {
    return object != nullptr && object->role() == QAccessible::List &&
           object->tableInterface() != nullptr && viewOf(object) != nullptr &&
           viewOf(object)->selectionModel() != nullptr;
}

bool AtSpiSupplement::selectChild(QAccessibleInterface* list, int index) {
    const int row = rowOfChild(list, index);
    QAbstractItemView* view = viewOf(list);
    if (row < 0 || view == nullptr) {
        return false;
    }
    // As a click would: the entry becomes the current one, and in a list of
    // one selected entry the only one selected.
    if (view->selectionMode() == QAbstractItemView::SingleSelection) {
        view->setCurrentIndex(view->model()->index(row, 0, view->rootIndex()));
        return true;
    }
    return list->tableInterface()->selectRow(row);
}

QString AtSpiSupplement::introspect(const QString& path) const {
    if (bridge_.isNull()) {
        return {};
    }
    QString xml = bridge_->introspect(path);
    if (!bridgeHasSelection() && exposesSelection(accessibleAt(path))) {
        xml += QLatin1String(kSelectionIntrospection);
    }
    return xml;
}

bool AtSpiSupplement::handleMessage(const QDBusMessage& message,
                                    const QDBusConnection& connection) {
    if (bridge_.isNull()) {
        return false;
    }
    if (!askingBridge_) {
        if (QAccessibleInterface* object = accessibleAt(message.path())) {
            if (const std::optional<QVariant> reply = answer(object, message, connection)) {
                return connection.send(message.createReply(*reply));
            }
        }
    }
    return bridge_->handleMessage(message, connection);
}

std::optional<QVariant> AtSpiSupplement::answer(QAccessibleInterface* object,
                                                const QDBusMessage& message,
                                                const QDBusConnection& connection) {
    QString interface = message.interface();
    QString member = message.member();
    QVariantList arguments = message.arguments();
    // A property is read as Get(interface, name): answered as "Get" + name.
    if (interface == kProperties && arguments.size() >= 2) {
        interface = arguments.takeFirst().toString();
        member += arguments.takeFirst().toString();
    }
    if (interface == kAccessible && opensMenu(object)) {
        if (member == QLatin1String("GetRole")) {
            return QVariant::fromValue(kAtSpiRoleMenu);
        }
        if (member == QLatin1String("GetRoleName")) {
            return QStringLiteral("menu");
        }
        if (member == QLatin1String("GetLocalizedRoleName")) {
            return QCoreApplication::translate("AtSpiSupplement", "menu");
        }
        return std::nullopt;
    }
    if (bridgeHasSelection() || !exposesSelection(object)) {
        return std::nullopt;
    }
    if (interface == kAccessible && member == QLatin1String("GetInterfaces")) {
        QStringList interfaces = bridgeInterfaces(message, connection);
        if (interfaces.isEmpty()) {
            return std::nullopt;
        }
        interfaces.append(kSelection);
        return interfaces;
    }
    if (interface == kSelection) {
        return answerSelection(object, member, arguments, connection);
    }
    return std::nullopt;
}

std::optional<QVariant> AtSpiSupplement::answerSelection(QAccessibleInterface* list,
                                                         const QString& member,
                                                         const QVariantList& arguments,
                                                         const QDBusConnection& connection) {
    QAccessibleTableInterface* table = list->tableInterface();
    QAbstractItemView* view = viewOf(list);
    const int index = arguments.value(0).toInt();
    if (member == QLatin1String("GetNSelectedChildren")) {
        return QVariant::fromValue(QDBusVariant(table->selectedCellCount()));
    }
    if (member == QLatin1String("GetSelectedChild")) {
        return QVariant::fromValue(referenceTo(table->selectedCells().value(index), connection));
    }
    if (member == QLatin1String("IsChildSelected")) {
        QAccessibleInterface* item = childOf(list, index);
        return item != nullptr && item->state().selected;
    }
    if (member == QLatin1String("SelectChild")) {
        return selectChild(list, index);
    }
    if (member == QLatin1String("DeselectChild")) {
        const int row = rowOfChild(list, index);
        return row >= 0 && table->unselectRow(row);
    }
    if (member == QLatin1String("DeselectSelectedChild")) {
        QAccessibleInterface* item = table->selectedCells().value(index);
        return item != nullptr && item->tableCellInterface() != nullptr &&
               table->unselectRow(item->tableCellInterface()->rowIndex());
    }
    if (member == QLatin1String("SelectAll")) {
        // Only a list that lets the user select several entries selects all.
        const auto mode = view->selectionMode();
        if (mode != QAbstractItemView::MultiSelection &&
            mode != QAbstractItemView::ExtendedSelection) {
            return false;
        }
        view->selectAll();
        return true;
    }
    if (member == QLatin1String("ClearSelection")) {
        // A list of one selected entry keeps it, as it does for the user.
        for (const int row : table->selectedRows()) {
            if (!table->unselectRow(row)) {
                return false;
            }
        }
        return true;
    }
    return std::nullopt;
}

QStringList AtSpiSupplement::bridgeInterfaces(const QDBusMessage& message,
                                              const QDBusConnection& connection) {
    // A call to the program's own bus name is handled at once, in this
    // thread, by whatever is registered at the path: with askingBridge_ set,
    // by the bridge.
    QDBusMessage call = QDBusMessage::createMethodCall(connection.baseService(), message.path(),
                                                       message.interface(), message.member());
    call.setArguments(message.arguments());
    askingBridge_ = true;
    const QDBusMessage reply = connection.call(call, QDBus::Block, kBridgeCallTimeoutMs);
    askingBridge_ = false;
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toStringList()
                                                      : QStringList();
}

} // namespace tallywick
