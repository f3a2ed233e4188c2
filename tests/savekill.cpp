// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a new banks.txt and options.txt into DIR and kills itself (SIGKILL,
// as a crash or a power cut would end it) right after the given step of the
// save:
//   savekill DIR staged:N|marked:0|replaced:N|done:0

#include <csignal>

#include <QCoreApplication>
#include <QDir>

#include "core/datafile.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QStringList step = QString::fromLatin1(argv[2]).split(u':');
    const QStringList names{"staged", "marked", "replaced", "done"};
    const int stopAt = int(names.indexOf(step.value(0)));
    const int index = step.value(1).toInt();
    SetSaveStepHook([stopAt, index](SaveStep s, int i) {
        if (int(s) == stopAt && i == index)
            std::raise(SIGKILL);
    });
    WriteDataFiles({{dir.filePath("banks.txt"), {"A", "C"}}, {dir.filePath("options.txt"), {"line A", "line C"}}});
    return 0; // not reached: the step always comes
}
