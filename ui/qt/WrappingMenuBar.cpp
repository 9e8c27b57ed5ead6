// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/WrappingMenuBar.h"

#include <QAction>
#include <QMenuBar>
#include <QVBoxLayout>

namespace tallywick {

WrappingMenuBar::WrappingMenuBar(QWidget* parent)
    : QWidget(parent), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
}

QMenuBar* WrappingMenuBar::addRow() {
    auto* row = new QMenuBar(this);
    row->setObjectName(QStringLiteral("menuRow%1").arg(rows_.size() + 1));
    layout_->addWidget(row);
    rows_.push_back(row);
    return row;
}

void WrappingMenuBar::setEntries(const std::vector<QAction*>& entries, int width) {
    QMenuBar* row = addRow();
    for (QAction* entry : entries) {
        row->addAction(entry);
        if (row->sizeHint().width() > width && row->actions().size() > 1) {
            row->removeAction(entry);
            row = addRow();
            row->addAction(entry);
        }
    }
}

} // namespace tallywick
