// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/bankbook.h"

#include "core/datafile.h"

void BankBook::padOptions()
{
    while (Banks.size() > Options.size())
        Options.append(QString());
}

void BankBook::storeLine(int index, const ChequeLayout &layout)
{
    emit saving();
    padOptions();
    if (index >= 0 && index < Banks.size())
        Options[index] = OptionLine(layout);
    emit saved();
}

void BankBook::SaveChequeOptions(const ChequeLayout &layout) { storeLine(Selected, layout); }

void BankBook::SaveForEveryBank(const ChequeLayout &layout)
{
    emit saving();
    Options = QStringList(Banks.size(), OptionLine(layout));
    emit saved();
}

void BankBook::LoadChequeOptions(ChequeLayout &layout)
{
    if (!hasSelection())
        return;
    // The first bank has no layout yet: it takes the one on screen. Only
    // line 0 is filled; the selected bank's own line is left alone.
    if (lineOf(0).isEmpty())
        storeLine(0, layout);
    const QString line = lineOf(Selected);
    if (line.isEmpty())
        throw ChequeError("The option line of this bank is empty.");
    ApplyOptionLine(line, layout);
}

std::optional<QString> BankBook::LoadSelectedLayout(ChequeLayout &layout)
{
    const bool hadLine = hasSelection() && !lineOf(Selected).isEmpty();
    try {
        LoadChequeOptions(layout);
        return std::nullopt;
    } catch (const ChequeError &error) {
        SaveChequeOptions(layout);
        try {
            LoadChequeOptions(layout);
        } catch (const ChequeError &) {
            // The line was just written from this layout; nothing more to do.
        }
        if (!hadLine)
            return std::nullopt;
        return QString::fromStdString(error.what());
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

void WriteBankFiles(const QString &banksPath, const QStringList &banks, const QString &optionsPath,
                    const QStringList &options)
{
    WriteDataFiles({{banksPath, banks}, {optionsPath, options}});
}
