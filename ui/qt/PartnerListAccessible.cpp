// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/PartnerListAccessible.h"

#include "ui/qt/PartnerListView.h"

#include <QAbstractItemModel>
#include <QItemSelectionModel>

namespace tallywick {

namespace {

// One entry of a partner list.
class PartnerListItemAccessible final : public QAccessibleInterface {
public:
    PartnerListItemAccessible(PartnerListAccessible* list, int row) : list_(list), row_(row) {}

    [[nodiscard]] bool isValid() const override {
        return view() != nullptr && row_ < view()->model()->rowCount();
    }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override { return list_->window(); }
    [[nodiscard]] QAccessibleInterface* parent() const override { return list_; }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override {
        return -1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
        return nullptr;
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? index().data().toString() : QString();
    }
    void setText(QAccessible::Text /*t*/, const QString& /*text*/) override {}

    [[nodiscard]] QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect inView = view()->visualRect(index());
        return {view()->viewport()->mapToGlobal(inView.topLeft()), inView.size()};
    }

    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        const QModelIndex at = index();
        state.selected = view()->selectionModel()->isSelected(at);
        state.focused = view()->hasFocus() && view()->currentIndex() == at;
        const int top = view()->topRow();
        state.invisible = row_ < top || row_ >= top + view()->rowsInView();
        state.offscreen = state.invisible;
        return state;
    }

    [[nodiscard]] int row() const { return row_; }

private:
    [[nodiscard]] PartnerListView* view() const { return list_->view(); }
    [[nodiscard]] QModelIndex index() const { return view()->model()->index(row_, 0); }

    PartnerListAccessible* list_;
    int row_;
};

} // namespace

PartnerListAccessible::PartnerListAccessible(PartnerListView* view)
    : QAccessibleWidget(view, QAccessible::List) {}

PartnerListAccessible::~PartnerListAccessible() {
    for (const QAccessible::Id id : std::as_const(items_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* PartnerListAccessible::create(const QString& className, QObject* object) {
    if (className == QLatin1String(PartnerListView::staticMetaObject.className())) {
        if (auto* view = qobject_cast<PartnerListView*>(object)) {
            return new PartnerListAccessible(view);
        }
    }
    return nullptr;
}

PartnerListView* PartnerListAccessible::view() const {
    return static_cast<PartnerListView*>(widget());
}

int PartnerListAccessible::childCount() const {
    return view()->model() != nullptr ? view()->model()->rowCount() : 0;
}

QAccessibleInterface* PartnerListAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    auto found = items_.constFind(index);
    if (found == items_.constEnd()) {
        auto* item = new PartnerListItemAccessible(const_cast<PartnerListAccessible*>(this), index);
        found = items_.insert(index, QAccessible::registerAccessibleInterface(item));
    }
    return QAccessible::accessibleInterface(*found);
}

int PartnerListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* item = dynamic_cast<const PartnerListItemAccessible*>(child);
    return item != nullptr && item->parent() == this ? item->row() : -1;
}

QAccessibleInterface* PartnerListAccessible::childAt(int x, int y) const {
    const QPoint inView = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex at = view()->indexAt(inView);
    return at.isValid() ? child(at.row()) : nullptr;
}

QAccessibleInterface* PartnerListAccessible::focusChild() const {
    const QModelIndex current = view()->currentIndex();
    return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
}

} // namespace tallywick
