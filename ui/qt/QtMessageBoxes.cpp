// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tallywick {

namespace {

QMessageBox::Icon iconFor(std::uint32_t style) {
    switch (style & BoxStyle::IconMask) {
    case BoxStyle::IconError:
        return QMessageBox::Critical;
    case BoxStyle::IconWarning:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void QtMessageBoxes::show(const MessageBoxRequest& request) {
    QWidget* parent = QApplication::activeWindow();
    QMessageBox box(iconFor(request.style), QString::fromStdString(request.shownTitle()),
                    QString::fromStdString(request.text), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    if ((request.style & BoxStyle::SystemModal) != 0) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    box.exec();
}

} // namespace tallywick
