// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "catalogue/ListEntries.h"

#include <QAbstractListModel>

namespace tallywick {

// The entries of one partner list, shown by a ListBoxView. Texts are
// turned into QStrings only when a row is asked for, and only as much of
// each as the window shows (shownEntryText), so a full list of 32,767
// entries costs nothing at start-up and a 64 MB entry no more than a short one.
class PartnerListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(ListEntries entries);
    [[nodiscard]] const ListEntries& entries() const noexcept { return entries_; }

    // Without the base class's two virtual calls a row: the list view asks
    // for an index of every row each time it lays the list out.
    [[nodiscard]] QModelIndex index(int row, int column,
                                    const QModelIndex& parent = {}) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    ListEntries entries_;
};

} // namespace tallywick
