// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiSelection.h"

#include "ui/qt/AtSpiObjectDescription.h"
#include "ui/qt/AtSpiProtocol.h"

#include <QAbstractItemView>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QLibraryInfo>
#include <QVariantMap>
#include <QVersionNumber>

namespace tallywick {

namespace {

const QString kSelection = QString::fromLatin1(AtSpiSelection::kInterface);
const QString kSelectedChildren = QStringLiteral("NSelectedChildren");
const QString kNullPath = QStringLiteral("/org/a11y/atspi/null");

// The interface as at-spi2-core describes it (Selection.xml): the one list of
// its methods, their arguments and its property.
const char* const kDescription = R"xml(  <interface name="org.a11y.atspi.Selection">
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

// The bridge exposes Selection itself from Qt 6.5 on.
bool bridgeHasSelection() {
    return QLibraryInfo::version() >= QVersionNumber(6, 5);
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

AtSpiObjectReference referenceTo(QAccessibleInterface* object, const QString& service) {
    if (object == nullptr) {
        return {service, QDBusObjectPath(kNullPath)};
    }
    return {service, QDBusObjectPath(AtSpiProtocol::pathOf(object))};
}

// The answer to METHOD, whose arguments are checked.
QVariant answerMethod(QAccessibleInterface* list, const QString& method, int index,
                      const QString& service) {
    QAccessibleTableInterface* table = list->tableInterface();
    if (method == QLatin1String("GetSelectedChild")) {
        return QVariant::fromValue(referenceTo(table->selectedCells().value(index), service));
    }
    if (method == QLatin1String("IsChildSelected")) {
        QAccessibleInterface* item = childOf(list, index);
        return item != nullptr && item->state().selected;
    }
    if (method == QLatin1String("SelectChild")) {
        return AtSpiSelection::selectChild(list, index);
    }
    if (method == QLatin1String("DeselectChild")) {
        const int row = rowOfChild(list, index);
        return row >= 0 && table->unselectRow(row);
    }
    if (method == QLatin1String("DeselectSelectedChild")) {
        QAccessibleInterface* item = table->selectedCells().value(index);
        return item != nullptr && item->tableCellInterface() != nullptr &&
               table->unselectRow(item->tableCellInterface()->rowIndex());
    }
    if (method == QLatin1String("SelectAll")) {
        // Only a list that lets the user select several entries selects all.
        const auto mode = viewOf(list)->selectionMode();
        if (mode != QAbstractItemView::MultiSelection &&
            mode != QAbstractItemView::ExtendedSelection) {
            return false;
        }
        viewOf(list)->selectAll();
        return true;
    }
    // ClearSelection: a list of one selected entry keeps it, as it does for
    // the user.
    for (const int row : table->selectedRows()) {
        if (!table->unselectRow(row)) {
            return false;
        }
    }
    return true;
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const AtSpiObjectReference& reference) {
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, AtSpiObjectReference& reference) {
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

bool AtSpiSelection::exposedBy(QAccessibleInterface* object) {
    return !bridgeHasSelection() && object != nullptr && object->role() == QAccessible::List &&
           object->tableInterface() != nullptr && viewOf(object) != nullptr &&
           viewOf(object)->selectionModel() != nullptr;
}

bool AtSpiSelection::selectChild(QAccessibleInterface* list, int index) {
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

QDBusMessage AtSpiSelection::answer(const QDBusMessage& call, QAccessibleInterface* list,
                                    const QString& service) {
    static const QMetaType registered = qDBusRegisterMetaType<AtSpiObjectReference>();
    Q_UNUSED(registered)
    const QString method = call.member();
    const AtSpiObjectDescription selection = AtSpiObjectDescription::of(description());
    const std::optional<QString> inputs = selection.inputsOf(kSelection, method);
    if (!inputs) {
        return AtSpiProtocol::unknownMethod(call);
    }
    if (const std::optional<QDBusMessage> refused =
            AtSpiProtocol::refusedArguments(call, selection)) {
        return *refused;
    }
    const int index = inputs->isEmpty() ? 0 : call.arguments().constFirst().toInt();
    return call.createReply(answerMethod(list, method, index, service));
}

QDBusMessage AtSpiSelection::answerProperty(const QDBusMessage& call, QAccessibleInterface* list) {
    const int selected = list->tableInterface()->selectedCellCount();
    if (call.member() == QLatin1String("GetAll")) {
        return call.createReply(QVariantMap{{kSelectedChildren, selected}});
    }
    if (const std::optional<QDBusMessage> refused =
            AtSpiProtocol::refusedProperty(call, AtSpiObjectDescription::of(description()))) {
        return *refused;
    }
    // NSelectedChildren, the only property.
    return call.createReply(QVariant::fromValue(QDBusVariant(selected)));
}

QString AtSpiSelection::description() {
    return QString::fromLatin1(kDescription);
}

} // namespace tallywick
