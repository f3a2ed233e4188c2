#include "bankbook.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "datafile.h"

void BankBook::padOptions()
{
    while (Banks.size() > Options.size())
        Options.append(QString());
}

void BankBook::SaveChequeOptions(const ChequeLayout &layout)
{
    if (onSaving)
        onSaving();
    const QString line = OptionLine(layout);
    padOptions();
    if (hasSelection())
        Options[Selected] = line;
    if (onSaved) {
        try {
            onSaved();
        } catch (...) {
            // Locking the designer is a convenience; a save never fails on it.
        }
    }
}

void BankBook::LoadChequeOptions(ChequeLayout &layout)
{
    if (!hasSelection())
        return;
    if (lineOf(0).isEmpty() && !Banks.isEmpty()) {
        // The first bank has no layout yet: it takes the one on screen. Only
        // line 0 is filled; the selected bank's own line is left alone.
        if (onSaving)
            onSaving();
        padOptions();
        Options[0] = OptionLine(layout);
        if (onSaved) {
            try {
                onSaved();
            } catch (...) {
            }
        }
    }
    const QString line = lineOf(Selected);
    if (line.isEmpty())
        throw ChequeError("The option line of this bank is empty.");
    ApplyOptionLine(line, layout);
}

void BankBook::BankNameCBChange(ChequeLayout &layout)
{
    try {
        LoadChequeOptions(layout);
    } catch (const ChequeError &) {
        SaveChequeOptions(layout);
        try {
            LoadChequeOptions(layout);
        } catch (const ChequeError &) {
            // The line was just written from this layout; nothing more to do.
        }
    }
}

void BankBook::AddBank(const QString &name) { Banks.append(name); }

void BankBook::DeleteBank(int i)
{
    if (i < 0 || i >= Banks.size())
        return;
    Banks.removeAt(i);
    if (i < Options.size())
        Options.removeAt(i);
    Selected = -1;
}

QStringList ReadBankList(const QString &path) { return ReadDataFile(path); }
QStringList ReadOptionLines(const QString &path) { return ReadDataFile(path); }

namespace {

[[noreturn]] void FailWrite(const QString &path, const QString &reason)
{
    throw ChequeError(QStringLiteral("Cannot write the file \"%1\": %2")
                          .arg(QDir::toNativeSeparators(path), reason)
                          .toStdString());
}

void Stage(QSaveFile &file, const QByteArray &bytes)
{
    if (!file.open(QIODevice::WriteOnly))
        FailWrite(file.fileName(), file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        FailWrite(file.fileName(), reason);
    }
}

} // namespace

void WriteBankFiles(const QString &banksPath, const QStringList &banks, const QString &optionsPath,
                    const QStringList &options)
{
    // Every text is checked before either file is touched.
    const QByteArray banksBytes = EncodeDataLines(banks, banksPath);
    const QByteArray optionsBytes = EncodeDataLines(options, optionsPath);

    QByteArray oldBanks;
    bool hadBanks = false;
    {
        QFile old(banksPath);
        if (old.exists() && old.open(QIODevice::ReadOnly)) {
            oldBanks = old.readAll();
            hadBanks = true;
        }
    }

    QSaveFile banksFile(banksPath);
    QSaveFile optionsFile(optionsPath);
    Stage(banksFile, banksBytes);
    Stage(optionsFile, optionsBytes);
    if (!banksFile.commit()) {
        optionsFile.cancelWriting();
        FailWrite(banksPath, banksFile.errorString());
    }
    if (!optionsFile.commit()) {
        const QString reason = optionsFile.errorString();
        // Put the old bank list back, so that the two files still belong together.
        QSaveFile restore(banksPath);
        if (hadBanks && restore.open(QIODevice::WriteOnly) && restore.write(oldBanks) == oldBanks.size())
            restore.commit();
        else if (!hadBanks)
            QFile::remove(banksPath);
        FailWrite(optionsPath, reason);
    }
}
