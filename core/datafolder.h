// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the program keeps its data files (banks.txt, options.txt,
// money.txt, the register and the settings): beside its executable when
// that folder can be written, as a portable copy on a stick has always
// done; otherwise (installed under /usr, or a system program folder that
// root could write) in the user's data folder, which
// starts from the files found beside the executable (the defaults a
// packager ships), copied, never moved or changed. A folder given on the
// command line overrides both. No widgets.

#include <QString>
#include <QStringList>

struct DataFolder
{
    QString path;       ///< with its trailing separator
    QStringList copied; ///< the files copied from beside the executable on this start
    QString problem;    ///< why the folder cannot be used (it cannot be created, or is not a folder)
};

/// The data files a first start copies.
QStringList DefaultDataFiles();

/// True for the folders that hold installed programs (/usr/bin and its
/// kin, and the folder this program was built to be installed in): they
/// never hold a user's data, even when root could write there.
bool IsSystemProgramFolder(const QString &dir);

/// Chooses the data folder: `given` (from --data-dir) when not empty;
/// else `exeDir` when it can be written and is not a system program folder;
/// else `userDir` (created, with the default files copied from `exeDir`
/// when it holds none of them yet).
DataFolder ChooseDataFolder(const QString &exeDir, const QString &given, const QString &userDir);

/// Where one of the program's helper programs (cheque-xlsx, cheque-pdfpage)
/// is: beside the program, in the build tree's tools/, or where it is
/// installed (found from the program's own place, whatever the prefix).
/// Empty when it is nowhere.
QString HelperProgram(const QString &name);
