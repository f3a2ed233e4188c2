// SPDX-License-Identifier: GPL-3.0-or-later
// cheque-words: the amount in English and Arabic words, outside the program.
//
//   cheque-words [--preset uae|syr] [--money FILE] [--digits 2|3] [--as-typed] [AMOUNT...]
//
// One output line per amount: the English text, a TAB, the Arabic text.
// Amounts are read as the program's Print reads them, with the same
// refusals; --as-typed gives the words the issue window shows while an
// amount is typed, whatever it is. Without amounts on the command line they
// are read from standard input, one per line. Exit status 0 when every
// amount converted, 1 when one was refused, 2 for a bad option or a currency
// file that cannot be used.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include "currency/moneyfile.h"
#include "tools/wordsline.h"
#include "words/DgToStU.h"

namespace {

constexpr const char *kUsage =
    "usage: cheque-words [--preset uae|syr] [--money FILE] [--digits 2|3] [--as-typed] [--version] [AMOUNT...]";

int UsageError(const std::string &why)
{
    std::cerr << "cheque-words: " << Printable(why) << '\n' << kUsage << '\n';
    return 2;
}

// Writes the line of one amount; lines go out in blocks.
bool Convert(std::string &pending, const std::string &amount, const MonyType &money, bool asTyped,
             const QLocale &locale)
{
    const bool converted = AppendWordsLine(pending, amount, money, asTyped, locale);
    pending += '\n';
    if (pending.size() >= 64 * 1024) {
        std::cout.write(pending.data(), std::streamsize(pending.size()));
        pending.clear();
    }
    return converted;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // file names in the locale's encoding
    // Output goes out in blocks, not a write per amount: standard input is no
    // longer tied to it, and nothing is flushed before the end.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The amount in English and Arabic words, one line per amount."));
    const QCommandLineOption presetOption(QStringLiteral("preset"), QStringLiteral("The currency: uae or syr."),
                                          QStringLiteral("uae|syr"));
    const QCommandLineOption moneyOption(
        QStringLiteral("money"), QStringLiteral("A money.txt to take the currency from."), QStringLiteral("FILE"));
    const QCommandLineOption digitsOption(QStringLiteral("digits"), QStringLiteral("The sub-unit digits: 2 or 3."),
                                          QStringLiteral("2|3"));
    const QCommandLineOption asTypedOption(
        QStringLiteral("as-typed"),
        QStringLiteral("The words the issue window shows while the amount is typed, without Print's checks."));
    const QCommandLineOption helpOption(QStringLiteral("help"), QStringLiteral("Shows this help."));
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Shows the version."));
    parser.addOptions({presetOption, moneyOption, digitsOption, asTypedOption, helpOption, versionOption});
    parser.addPositionalArgument(QStringLiteral("AMOUNT"),
                                 QStringLiteral("Amounts; without any, one a line from "
                                                "standard input."),
                                 QStringLiteral("[AMOUNT...]"));

    // Options are long ones only; a word with one dash is an amount ("-5"),
    // which the parser would read as an option: it is given to the parser as
    // a stand-in and put back in its place among the amounts.
    QStringList arguments = QCoreApplication::arguments();
    QStringList negatives;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--"))
            break;
        if (a.size() > 1 && a.at(0) == u'-' && a.at(1) != u'-') {
            negatives << a;
            arguments[i] = QStringLiteral("\x1f%1").arg(negatives.size() - 1);
        }
    }
    if (!parser.parse(arguments))
        return UsageError(parser.errorText().toStdString());
    if (parser.isSet(helpOption)) {
        std::cout << kUsage << '\n';
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::cout << "cheque-words " CHEQUE_PRINTER_VERSION "\n";
        return 0;
    }
    for (const QCommandLineOption &option : {presetOption, moneyOption, digitsOption})
        if (parser.values(option).size() > 1)
            return UsageError("option '--" + option.names().first().toStdString() + "' given twice");

    if (parser.isSet(presetOption) && parser.isSet(moneyOption))
        return UsageError("--preset and --money exclude each other");

    MonyType money = UaeMoney();
    if (parser.isSet(presetOption)) {
        const QString preset = parser.value(presetOption);
        if (preset == QLatin1String("syr"))
            money = SyrMoney();
        else if (preset != QLatin1String("uae"))
            return UsageError("unknown preset '" + preset.toStdString() + "' (uae or syr)");
    }
    if (parser.isSet(moneyOption)) {
        try {
            const MoneyRead read = ReadMoneyFile(parser.value(moneyOption));
            if (read.damage) {
                std::cerr << "cheque-words: " << Printable(read.damage->toStdString()) << '\n';
                return 2;
            }
            money = read.money;
        } catch (const ChequeError &error) {
            std::cerr << "cheque-words: " << Printable(error.message()) << '\n';
            return 2;
        }
    }
    if (parser.isSet(digitsOption)) {
        const QString digits = parser.value(digitsOption);
        if (digits == QLatin1String("2"))
            money.PartDigits = 2;
        else if (digits == QLatin1String("3"))
            money.PartDigits = 3;
        else
            return UsageError("--digits takes 2 or 3, not '" + digits.toStdString() + "'");
    }

    std::vector<std::string> amounts;
    for (const QString &a : parser.positionalArguments()) {
        if (a.startsWith(u'\x1f'))
            amounts.push_back(negatives.value(a.mid(1).toInt()).toStdString());
        else
            amounts.push_back(a.toStdString());
    }

    const bool asTyped = parser.isSet(asTypedOption);
    const QLocale locale; // the desktop's number format
    bool allConverted = true;
    std::string pending;
    if (!amounts.empty()) {
        for (const std::string &amount : amounts)
            allConverted = Convert(pending, amount, money, asTyped, locale) && allConverted;
    } else {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            allConverted = Convert(pending, line, money, asTyped, locale) && allConverted;
        }
    }
    std::cout.write(pending.data(), std::streamsize(pending.size()));
    std::cout.flush();
    return allConverted ? 0 : 1;
}
