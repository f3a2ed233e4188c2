// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/bankfiles.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/datafile.h"
#include "layout/bankbook.h"

namespace {

// The data files that a save may have left temporary files of.
const QStringList DataFiles{QStringLiteral("banks.txt"), QStringLiteral("options.txt"), QStringLiteral("money.txt")};

} // namespace

BankFiles::BankFiles(const QString &dir) : m_dir(QDir(dir).absolutePath()) {}

QString BankFiles::banksPath() const { return QDir(m_dir).filePath(QLatin1String(BanksFileName)); }
QString BankFiles::optionsPath() const { return QDir(m_dir).filePath(QLatin1String(OptionsFileName)); }

BankFiles::Read BankFiles::read()
{
    FinishInterruptedSave(m_dir, DataFiles);
    Read result;
    auto unreadable = [&](const QString &path, const ChequeError &error, const QString &instead) {
        m_unreadable = path;
        result.problems << QCoreApplication::translate(
                               "BankFiles",
                               "%1\n\nThe program goes on with %2. The file is left as it is: it is "
                               "replaced at close only if you change banks or layouts and agree.")
                               .arg(QString::fromStdString(error.message()), instead);
    };

    result.banks = QStringList{QStringLiteral("SIB")};
    bool banksRead = false;
    if (QFileInfo::exists(banksPath()) || QFileInfo(banksPath()).isSymLink()) {
        try {
            result.banks = ReadDataFile(banksPath());
            // A name holding control characters is no bank's: the file is
            // another kind of file, or damaged.
            for (qsizetype i = 0; i < result.banks.size(); ++i)
                if (std::any_of(result.banks[i].begin(), result.banks[i].end(),
                                [](QChar c) { return c.category() == QChar::Other_Control && c != u'\t'; })) {
                    const QString backup = banksPath() + QStringLiteral(".bak");
                    QFile::remove(backup);
                    const bool kept = QFile::copy(banksPath(), backup);
                    result.banks = QStringList{QStringLiteral("SIB")};
                    throw ChequeError(
                        (QCoreApplication::translate("BankFiles",
                                                     "The bank list \"%1\" is damaged: line %2 holds control "
                                                     "characters, which no bank's name has.")
                             .arg(QDir::toNativeSeparators(banksPath()))
                             .arg(i + 1)
                         + u' '
                         + (kept ? QCoreApplication::translate("BankFiles", "A copy of it was kept as \"%1\".")
                                 : QCoreApplication::translate("BankFiles", "It could not be copied to \"%1\"."))
                               .arg(QDir::toNativeSeparators(backup)))
                            .toStdString());
                }
            banksRead = true;
        } catch (const ChequeError &error) {
            unreadable(banksPath(), error,
                       QCoreApplication::translate("BankFiles", "the single bank \"SIB\" and its first layout"));
        }
    }
    if (banksRead && (QFileInfo::exists(optionsPath()) || QFileInfo(optionsPath()).isSymLink())) {
        try {
            result.options = ReadDataFile(optionsPath());
        } catch (const ChequeError &error) {
            unreadable(optionsPath(), error,
                       QCoreApplication::translate("BankFiles", "the first layout for every bank"));
        }
    }
    return result;
}

void BankFiles::started(const QStringList &banks, const QStringList &options)
{
    m_startBanks = banks;
    m_startOptions = options;
}

bool BankFiles::changed(const QStringList &banks, const QStringList &options) const
{
    return banks != m_startBanks || options != m_startOptions;
}

BankFiles::Close BankFiles::atClose(const QStringList &banks, const QStringList &options) const
{
    if (m_unreadable.isEmpty())
        return Close::Write;
    return changed(banks, options) ? Close::AskBeforeWriting : Close::Keep;
}

QString BankFiles::replaceQuestion() const
{
    return QCoreApplication::translate(
               "BankFiles",
               "%1 could not be read when the program started, and the banks or layouts have changed "
               "since.\n\nReplace banks.txt and options.txt with the banks and layouts of this session?")
        .arg(QDir::toNativeSeparators(m_unreadable));
}

void BankFiles::write(const QStringList &banks, const QStringList &options)
{
    WriteBankFiles(banksPath(), banks, optionsPath(), options);
    m_unreadable.clear();
    started(banks, options);
}

std::optional<QString> BankFiles::keepDamagedOptions()
{
    if (m_kept || !QFileInfo(optionsPath()).isFile())
        return std::nullopt;
    const QString backup = optionsPath() + QStringLiteral(".bak");
    QFile::remove(backup);
    m_kept = QFile::copy(optionsPath(), backup);
    return m_kept ? QCoreApplication::translate("BankFiles", "The file as it was is kept as \"%1\".")
                        .arg(QDir::toNativeSeparators(backup))
                  : QCoreApplication::translate("BankFiles", "It could not be kept as \"%1\".")
                        .arg(QDir::toNativeSeparators(backup));
}
