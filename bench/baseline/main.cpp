// The floor for start-up: a Qt Widgets program of the same build that shows
// one empty QMainWindow and nothing else.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("empty window"));
    window.show();
    return QApplication::exec();
}
