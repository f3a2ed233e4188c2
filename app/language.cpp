// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include "core/settingsfile.h"

QString InterfaceLanguage(const QString &dataDir)
{
    const QSettings settings(SettingsFile(dataDir), QSettings::IniFormat);
    const QString language = settings.value(QStringLiteral("interface/language")).toString();
    return language == QLatin1String("ar") ? language : QStringLiteral("en");
}

void SetInterfaceLanguage(const QString &dataDir, const QString &language)
{
    QSettings settings(SettingsFile(dataDir), QSettings::IniFormat);
    settings.setValue(QStringLiteral("interface/language"), language);
    settings.sync();
}

void InstallTranslations(QApplication &app, const QString &dataDir, const QString &language)
{
    const QString chosen = language.isEmpty() ? InterfaceLanguage(dataDir) : language;
    if (chosen != QLatin1String("ar"))
        return;
    // Qt's own texts (the buttons of messages, the print and file dialogs),
    // then the program's.
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Arabic), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto *own = new QTranslator(&app);
    if (own->load(QStringLiteral(":/i18n/cheque-printer_ar.qm")))
        QCoreApplication::installTranslator(own);
    QApplication::setLayoutDirection(Qt::RightToLeft);
}
