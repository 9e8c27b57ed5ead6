// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/ProgramIdentity.h"

#include "base/ProductFacts.h"

#include <QApplication>
#include <QIcon>

namespace tallywick {

namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void describeProgram() {
    QApplication::setApplicationName(qtText(kProductName));
    QApplication::setApplicationVersion(qtText(kVersion));
    QApplication::setDesktopFileName(QStringLiteral("tallywick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallywick/tallywick.png")));
}

} // namespace tallywick
