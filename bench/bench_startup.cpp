// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the main window shown, for whole-process timing (hyperfine):
//   bench_startup minimal       a bare Qt Widgets window, the baseline
//   bench_startup hello         a window with one line of text (the fonts
//                               are loaded), the second baseline
//   bench_startup program DIR   the program's four windows, its start-up
//                               reading the data files of DIR
//   bench_startup banks DIR N [options]
//                               writes N banks into DIR (and an options.txt
//                               with their layouts when asked), to start on
// Each ends as soon as its window is exposed, without tearing anything down:
// what is timed is the start-up alone.

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QWidget>
#include <QWindow>

#include "core/datafile.h"
#include "gui/issue/program.h"

namespace {

int WaitExposed(QWidget &window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::fflush(nullptr);
    std::_Exit(0);
}

int WriteBanks(const QString &dir, int n, bool withOptions)
{
    QStringList banks;
    for (int i = 0; i < n; ++i)
        banks << QStringLiteral("بنك %1").arg(i + 1);
    WriteDataFile(dir + QStringLiteral("/banks.txt"), banks);
    QFile::remove(dir + QStringLiteral("/options.txt"));
    if (withOptions)
        WriteDataFile(dir + QStringLiteral("/options.txt"), QStringList(n, OptionLine(InitialLayout())));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("banks") && argc > 3)
        return WriteBanks(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]).toInt(),
                          argc > 4 && QString::fromLocal8Bit(argv[4]) == QLatin1String("options"));
    QApplication app(argc, argv);
    if (mode == QLatin1String("minimal")) {
        QWidget window;
        window.resize(451, 404);
        return WaitExposed(window);
    }
    if (mode == QLatin1String("hello")) {
        QLabel window(QStringLiteral("Print Cheque"));
        window.resize(451, 404);
        return WaitExposed(window);
    }
    if (mode == QLatin1String("program") && argc > 2) {
        ChequeProgram program;
        program.NewChequeForm.setExeName(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/cheque-printer"));
        return WaitExposed(program.NewChequeForm);
    }
    return 2;
}
