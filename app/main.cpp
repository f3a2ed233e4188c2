// The program entry: the four windows, the event loop, and the end of the
// program when the issue window closes; or, with --batch, a list of cheques
// printed without windows.

#include <QApplication>

#include "app/batchcli.h"
#include "app/program.h"

int main(int argc, char *argv[])
{
    const bool batch = IsBatchCommand(argc, argv);
    // A batch prints without windows, so it needs no display.
    if (batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (batch) {
        QString exeDir = QCoreApplication::applicationDirPath();
        if (!exeDir.endsWith(u'/'))
            exeDir += u'/';
        return RunBatchCommand(QCoreApplication::arguments(), exeDir);
    }
    QApplication::setQuitOnLastWindowClosed(false); // the issue window's close ends the program
    ChequeProgram program;
    // exit, not quit: the other windows go without their close handlers (the
    // currency window's would write money.txt again).
    QObject::connect(
        &program.NewChequeForm, &TNewChequeForm::closed, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    program.NewChequeForm.show();
    return QApplication::exec();
}
