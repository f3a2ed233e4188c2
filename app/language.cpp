// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QProxyStyle>
#include <QSettings>
#include <QTranslator>

#include "core/settingsfile.h"
#include "core/settingskeys.h"

namespace {

// Qt's own buttons (of messages, file and print dialogs, progress windows)
// in the words this program's Arabic uses: the catalogue Qt brings writes
// "ألغِ", whose vowel mark is cut at a button's edge, and marks mnemonics,
// whose underline reads as a kasra. The program's catalogue, installed
// after Qt's, is asked first.
[[maybe_unused]] constexpr const char *QtButtons[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),    QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Close"), QT_TRANSLATE_NOOP("QPlatformTheme", "Open"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Save"),  QT_TRANSLATE_NOOP("QPlatformTheme", "Discard"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Apply"), QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),   QT_TRANSLATE_NOOP("QGnomeTheme", "&OK"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "&Cancel"),  QT_TRANSLATE_NOOP("QGnomeTheme", "&Close"),
    QT_TRANSLATE_NOOP("QGnomeTheme", "&Save"),    QT_TRANSLATE_NOOP("QProgressDialog", "Cancel"),
    QT_TRANSLATE_NOOP("QFileDialog", "&Open"),    QT_TRANSLATE_NOOP("QFileDialog", "&Save"),
    QT_TRANSLATE_NOOP("QFileDialog", "Open"),     QT_TRANSLATE_NOOP("QFileDialog", "File &name:"),
    QT_TRANSLATE_NOOP("QPrintDialog", "&Print"),  QT_TRANSLATE_NOOP("QDialogButtonBox", "OK")};

// Keyboard shortcuts without their underline: under an Arabic letter it
// reads as a kasra ("مِلف"), and Qt's own dialogs mark them too.
class WithoutShortcutUnderlines : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        return hint == SH_UnderlineShortcut ? 0 : QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

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
    QApplication::setStyle(new WithoutShortcutUnderlines);
}
