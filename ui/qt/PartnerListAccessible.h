// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace tallywick {

class PartnerListView;

// What a screen reader finds in a partner list: a list named by its count
// label (the label's buddy is the list, so the name follows the caption and
// the list is related to it as labelled-by), with one list item per entry.
// Items are made only when a screen reader asks for them.
class PartnerListAccessible final : public QAccessibleWidget {
public:
    explicit PartnerListAccessible(PartnerListView* view);
    ~PartnerListAccessible() override;
    PartnerListAccessible(const PartnerListAccessible&) = delete;
    PartnerListAccessible& operator=(const PartnerListAccessible&) = delete;

    // The factory QAccessible asks for every PartnerListView.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

    [[nodiscard]] PartnerListView* view() const;

private:
    mutable QHash<int, QAccessible::Id> items_;
};

} // namespace tallywick
