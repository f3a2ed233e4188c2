// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include "core/settingskeys.h"

namespace {

QString Path(const QString &dataDir) { return QDir(dataDir).filePath(QStringLiteral("settings.ini")); }

} // namespace

std::optional<QString> SettingsProblem(const QString &dataDir)
{
    const QString path = Path(dataDir);
    const QFileInfo info(path);
    QString why;
    if (info.isSymLink() && !info.exists())
        why = QCoreApplication::translate("DataFile", "it is a link to \"%1\", which does not exist")
                  .arg(QDir::toNativeSeparators(info.symLinkTarget()));
    else if (info.exists() && !info.isFile())
        why = QCoreApplication::translate("DataFile", "it is not a regular file (it is a folder, a FIFO or a device)");
    else if (info.exists() && info.size() > MaxSettingsFileBytes)
        why = QCoreApplication::translate("DataFile", "at %1 KB it is far larger than settings are")
                  .arg(info.size() / 1024);
    if (why.isEmpty())
        return std::nullopt;
    return QCoreApplication::translate("DataFile",
                                       "The settings file \"%1\" is not used: %2. The program keeps to its "
                                       "defaults (the register file beside the data files, no printer "
                                       "offsets) and does not write it.")
        .arg(QDir::toNativeSeparators(path), why);
}

QString SettingsFile(const QString &dataDir)
{
    if (!SettingsProblem(dataDir))
        return Path(dataDir);
    static QTemporaryDir instead;
    return instead.filePath(QStringLiteral("settings.ini"));
}

QString InterfaceLanguage(const QString &dataDir)
{
    const QSettings settings(SettingsFile(dataDir), QSettings::IniFormat);
    const QString language = settings.value(SettingsKey::InterfaceLanguage).toString();
    return language == QLatin1String("ar") ? language : QStringLiteral("en");
}

void SetInterfaceLanguage(const QString &dataDir, const QString &language)
{
    QSettings settings(SettingsFile(dataDir), QSettings::IniFormat);
    settings.setValue(SettingsKey::InterfaceLanguage, language);
    settings.sync();
}

bool InterfaceRightToLeft()
{
    // The translation says which way its language is written.
    return QCoreApplication::translate("Interface", "left-to-right") == QLatin1String("right-to-left");
}
