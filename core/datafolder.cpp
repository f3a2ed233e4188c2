// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

QString WithSeparator(const QString &dir)
{
    const QString path = QDir(dir).absolutePath();
    return path.endsWith(u'/') ? path : path + u'/';
}

bool Writable(const QString &dir)
{
    const QFileInfo info(dir);
    return info.isDir() && ::access(QFile::encodeName(info.absoluteFilePath()).constData(), W_OK | X_OK) == 0;
}

} // namespace

QStringList DefaultDataFiles()
{
    return {QStringLiteral("banks.txt"), QStringLiteral("options.txt"), QStringLiteral("money.txt")};
}

DataFolder ChooseDataFolder(const QString &exeDir, const QString &given, const QString &userDir)
{
    DataFolder folder;
    if (!given.isEmpty()) {
        folder.path = WithSeparator(given);
        if (!QFileInfo(given).isDir() && !QDir().mkpath(given))
            folder.problem = QCoreApplication::translate("DataFile", "The data folder \"%1\" cannot be created.").arg(QDir::toNativeSeparators(given));
        return folder;
    }
    if (Writable(exeDir)) {
        folder.path = WithSeparator(exeDir);
        return folder;
    }
    folder.path = WithSeparator(userDir);
    if (!QDir().mkpath(userDir)) {
        folder.problem = QCoreApplication::translate("DataFile", "The data folder \"%1\" cannot be created.").arg(QDir::toNativeSeparators(userDir));
        return folder;
    }
    const QDir from(exeDir), to(userDir);
    bool fresh = true;
    for (const QString &name : DefaultDataFiles())
        fresh = fresh && !QFileInfo::exists(to.filePath(name));
    if (fresh) {
        for (const QString &name : DefaultDataFiles())
            if (QFileInfo(from.filePath(name)).isFile() && QFile::copy(from.filePath(name), to.filePath(name))) {
                // A copy of a read-only default is the user's to change.
                QFile::setPermissions(to.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                             QFile::ReadOther);
                folder.copied << name;
            }
    }
    return folder;
}
