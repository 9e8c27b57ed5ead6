// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/PartnerListModel.h"

#include "catalogue/ShownEntry.h"

namespace tallywick {

void PartnerListModel::setEntries(ListEntries entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

QModelIndex PartnerListModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column != 0 || row < 0 ||
        static_cast<std::size_t>(row) >= entries_.size()) {
        return {};
    }
    return createIndex(row, column);
}

int PartnerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant PartnerListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= entries_.size()) {
        return {};
    }
    // Every view of a row (its drawing, its size, the typed-letter search,
    // the accessible name Qt's bridge reads) asks here: none of them sees
    // more of an entry than the window shows.
    const std::string shown = shownEntryText(entries_[static_cast<std::size_t>(index.row())]);
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

} // namespace tallywick
