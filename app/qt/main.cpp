#include "app/Form1.h"
#include "app/posix/FlockInstanceGuard.h"
#include "app/posix/ProcMemoryProbe.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtMessageBoxes.h"
#include "app/qt/QtNumberFormat.h"
#include "catalogue/posix/PosixListFileSource.h"
#include "launch/posix/PosixShellService.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    using namespace tallywick;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TALLYWICK"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QApplication::setDesktopFileName(QStringLiteral("tallywick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallywick/tallywick.png")));

    PosixShellService shell;
    QtMessageBoxes boxes;
    FlockInstanceGuard instance;
    PosixListFileSource listFiles;
    ProcMemoryProbe memory;
    QtNumberFormat numbers;

    // The window is built hidden; the start-up sequence fills it and only
    // then is it shown.
    MainWindow window;
    Form1 form(Services{shell, boxes, instance, listFiles, memory, numbers, "xdg-open"}, window);
    window.attach(form);

    const LoadOutcome outcome = form.load();
    if (outcome != LoadOutcome::Show) {
        return exitCode(outcome);
    }
    window.centreOnScreen();
    window.show();
    return QApplication::exec();
}
