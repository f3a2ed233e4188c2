#pragma once

// A list of cheques printed from the command line, without windows:
//   cheque-printer --batch FILE [--bank NAME] (--to-pdf OUT.pdf | --printer NAME)
// with the checks of the list window, each cheque recorded in the register,
// the rows' problems on standard error, and exit status 0 only when every
// row was printed.

#include <QString>
#include <QStringList>

/// True when the arguments ask for a batch (the program then needs no
/// display).
bool IsBatchCommand(int argc, char **argv);

/// Runs the batch the arguments describe; the exit status. `exeDir` is the
/// data folder when --data-dir is not given.
int RunBatchCommand(const QStringList &arguments, const QString &exeDir);
