// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

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

bool IsSystemProgramFolder(const QString &dir)
{
    QStringList system = {QStringLiteral("/bin"),
                          QStringLiteral("/sbin"),
                          QStringLiteral("/usr/bin"),
                          QStringLiteral("/usr/sbin"),
                          QStringLiteral("/usr/games"),
                          QStringLiteral("/usr/local/bin"),
                          QStringLiteral("/usr/local/sbin"),
                          QStringLiteral("/usr/local/games")};
#ifdef CHEQUE_INSTALL_BINDIR
    system << QStringLiteral(CHEQUE_INSTALL_BINDIR);
#endif
    // /bin is a link to /usr/bin on Debian: compare where they really are.
    const auto real = [](const QString &path) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(QDir(path).absolutePath()) : canonical;
    };
    const QString target = real(dir);
    for (const QString &folder : std::as_const(system))
        if (real(folder) == target)
            return true;
    return false;
}

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
            folder.problem = QCoreApplication::translate("DataFile", "The data folder \"%1\" cannot be created.")
                                 .arg(QDir::toNativeSeparators(given));
        return folder;
    }
    if (Writable(exeDir) && !IsSystemProgramFolder(exeDir)) {
        folder.path = WithSeparator(exeDir);
        return folder;
    }
    folder.path = WithSeparator(userDir);
    if (!QDir().mkpath(userDir)) {
        folder.problem = QCoreApplication::translate("DataFile", "The data folder \"%1\" cannot be created.")
                             .arg(QDir::toNativeSeparators(userDir));
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
                QFile::setPermissions(to.filePath(name),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
                folder.copied << name;
            }
    }
    return folder;
}

QString HelperProgram(const QString &name)
{
    const QString dir = QCoreApplication::applicationDirPath();
    QStringList places{dir + u'/' + name, dir + QStringLiteral("/../tools/") + name,
                       dir + QStringLiteral("/../libexec/cheque-printer/") + name,
                       QStringLiteral(CHEQUE_LIBEXEC_DIR "/") + name};
    for (const QString &place : places)
        if (QFileInfo(place).isExecutable())
            return QFileInfo(place).absoluteFilePath();
    return {};
}
