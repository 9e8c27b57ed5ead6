// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// The floor for start-up: a Qt Widgets program of the same build that shows
// one empty QMainWindow and nothing else. With --label the window holds one
// line of text, the least that makes Qt load the font configuration.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("empty window"));
    if (QApplication::arguments().contains(QStringLiteral("--label"))) {
        window.setCentralWidget(new QLabel(QStringLiteral("One line of text"), &window));
    }
    window.show();
    return QApplication::exec();
}
