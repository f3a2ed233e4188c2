// SPDX-License-Identifier: GPL-3.0-or-later
// The program entry: the command line, the data folder and the interface
// language; then the four windows, the event loop, and the end of the
// program when the issue window closes; or, with --batch, a list of cheques
// printed without windows.

#include <cstdio>

#include <QApplication>
#include <QIcon>
#include <QStandardPaths>
#include <QStringList>

#include "app/batchcli.h"
#include "app/language.h"
#include "core/datafolder.h"
#include "core/version.h"
#include "gui/issue/program.h"

int main(int argc, char *argv[])
{
    // A batch prints without windows, so it needs no display (nor do the
    // version, the help, and a command line that cannot be used).
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if ((NeedsNoWindows(argc, argv) || !ParseCommandLine(arguments).error.isEmpty())
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cheque-printer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CHEQUE_PRINTER_VERSION));

    const CommandLine command = ParseCommandLine(QCoreApplication::arguments());
    if (!command.error.isEmpty()) {
        std::fprintf(stderr, "%s\n%s", command.error.toLocal8Bit().constData(),
                     command.helpText.toLocal8Bit().constData());
        return 2;
    }
    if (command.help) {
        std::fprintf(stdout, "%s", command.helpText.toLocal8Bit().constData());
        return 0;
    }
    const DataFolder folder = ChooseDataFolder(QCoreApplication::applicationDirPath(), command.dataDir,
                                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (command.version) {
        std::fprintf(stdout, "cheque-printer %s\nData folder: %s\n", CHEQUE_PRINTER_VERSION,
                     folder.path.toLocal8Bit().constData());
        return 0;
    }
    if (!folder.problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", folder.problem.toLocal8Bit().constData());
        return 2;
    }
    InstallTranslations(app, folder.path, command.lang);
    if (!command.batch.isEmpty())
        return RunBatchCommand(command, folder.path);
    if (command.verifyRegister)
        return VerifyRegisterCommand(folder.path, command.expect);
    if (!command.addAccount.isEmpty())
        return AddAccountCommand(command.addAccount, folder.path);
    if (command.initRegister)
        return InitRegisterCommand(folder.path);
    if (!command.approvalRule.isEmpty() || !command.approvalLimit.isEmpty())
        return ApprovalCommand(command, folder.path);
    if (!command.reconcile.isEmpty())
        return ReconcileCommand(command, folder.path);

    // The windows' icon, and the desktop entry a desktop matches them to.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/cheque-printer-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChequePrinter"));
    QApplication::setQuitOnLastWindowClosed(false); // the issue window's close ends the program
    ChequeProgram program;
    program.NewChequeForm.setDataDir(folder.path);
    // exit, not quit: the other windows go without their close handlers (the
    // currency window's would write money.txt again).
    QObject::connect(
        &program.NewChequeForm, &TNewChequeForm::closed, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    program.NewChequeForm.show();
    return QApplication::exec();
}
