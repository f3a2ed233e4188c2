// SPDX-License-Identifier: GPL-3.0-or-later
// The program on the data files of DIR: a bank named NAME is added in the
// designer and "Save Options" pressed; then the process kills itself
// (SIGKILL, as a crash or a power cut would end it), before any close.
//   savebankkill DIR NAME

#include <csignal>

#include <QApplication>

#include "testdialogs.h"

#include "gui/issue/program.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    TestDialogs dialogs;
    dialogs.textAnswers.enqueue(QString::fromLocal8Bit(argv[2]));
    ChequeProgram program;
    program.NewChequeForm.setDataDir(QString::fromLocal8Bit(argv[1]));
    program.NewChequeForm.show();
    program.ChequeForm.NewBtnClick();
    program.ChequeForm.SaveBtnClick();
    std::raise(SIGKILL);
    return 0; // not reached
}
