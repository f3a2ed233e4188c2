// The program entry: the four windows, the event loop, and the end of the
// program when the issue window closes.

#include <QApplication>

#include "app/program.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the issue window's close ends the program
    ChequeProgram program;
    // exit, not quit: the other windows go without their close handlers (the
    // currency window's would write money.txt again).
    QObject::connect(
        &program.NewChequeForm, &TNewChequeForm::closed, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    program.NewChequeForm.show();
    return QApplication::exec();
}
