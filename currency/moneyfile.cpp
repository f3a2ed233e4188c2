// SPDX-License-Identifier: GPL-3.0-or-later
#include "currency/moneyfile.h"

#include <QCoreApplication>
#include <algorithm>

#include <QDir>
#include <QFileInfo>

#include "core/chequeerror.h"
#include "core/datafile.h"

QStringList MoneyToLines(const MonyType &m)
{
    return {
        FromStd(m.AMoneyName),
        FromStd(m.MoneySName),
        FromStd(m.EMoneyName),
        FromStd(m.APartName),
        FromStd(m.EPartName),
        FromStd(m.Money2Name),
        FromStd(m.Part2Name),
        FromStd(m.Money3Name),
        FromStd(m.Part3Name),
        QString::number(m.PartDigits),
        m.MoneyMale ? QStringLiteral("T") : QStringLiteral("F"),
        m.PartMale ? QStringLiteral("T") : QStringLiteral("F"),
    };
}

namespace {

// A name that holds a control character is not a name: such lines come from
// files that are not currency files at all.
bool HoldsControl(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

MoneyRead MoneyFromLines(const QStringList &lines, const QString &fileName)
{
    QStringList problems;
    auto line = [&](int number, const char *what) {
        const QString text = lines.value(number - 1);
        // A name is cut to its first 9 characters, as the window cuts it; a
        // line far longer than any the window writes is not a name.
        const qsizetype longest = number == 2 ? 32767 : 1000;
        if (text.size() > longest) {
            problems << QCoreApplication::translate("MoneyFile", "line %1 (%2) is %3 characters long, far longer "
                                                                 "than the window ever writes")
                            .arg(number)
                            .arg(QLatin1String(what))
                            .arg(text.size());
            return std::string();
        }
        if (!HoldsControl(text))
            return ToStd(text);
        problems << QCoreApplication::translate("MoneyFile", "line %1 (%2) holds control characters")
                        .arg(number)
                        .arg(QLatin1String(what));
        return std::string();
    };
    MoneyRead read;
    MonyType &m = read.money;
    m.AMoneyName = line(1, "the Arabic currency name");
    m.MoneySName = line(2, "the short name");
    m.EMoneyName = line(3, "the English currency name");
    m.APartName = line(4, "the Arabic sub-unit name");
    m.EPartName = line(5, "the English sub-unit name");
    m.Money2Name = line(6, "the Arabic dual");
    m.Part2Name = line(7, "the Arabic sub-unit dual");
    m.Money3Name = line(8, "the Arabic plural");
    m.Part3Name = line(9, "the Arabic sub-unit plural");
    try {
        // Read as the currency window keeps it: 2 or 3.
        m.PartDigits = NearestPartDigits(StrToInt(ToStd(lines.value(9))));
    } catch (const ChequeError &error) {
        m.PartDigits = 2;
        problems << (lines.size() < 10
                         ? QCoreApplication::translate(
                               "MoneyFile",
                               "it has only %1 lines, and line 10, the number of fraction digits, is "
                               "missing")
                               .arg(lines.size())
                         : QCoreApplication::translate(
                               "MoneyFile", "line 10, the number of fraction digits, is not a whole number (%1)")
                               .arg(QString::fromStdString(error.what())));
    }
    m.MoneyMale = lines.value(10) == QLatin1String("T");
    m.PartMale = lines.value(11) == QLatin1String("T");

    const bool noName = m.AMoneyName.empty() && m.EMoneyName.empty() && m.APartName.empty() && m.EPartName.empty()
        && m.Money2Name.empty() && m.Part2Name.empty() && m.Money3Name.empty() && m.Part3Name.empty()
        && m.MoneySName.empty();
    if (!problems.isEmpty() && noName) {
        // Nothing of a currency is left: the program's own one stands in.
        m = UaeMoney();
        problems << QCoreApplication::translate("MoneyFile",
                                                "no currency name could be read, so the UAE dirham is used");
    }
    if (!problems.isEmpty())
        read.damage = QCoreApplication::translate("MoneyFile", "The currency file \"%1\" is damaged: %2.")
                          .arg(QDir::toNativeSeparators(fileName), problems.join(QStringLiteral("; ")));
    return read;
}

MoneyRead ReadMoneyFile(const QString &path)
{
    const QStringList lines = ReadDataFile(path);
    MoneyRead read = MoneyFromLines(lines, path);
    read.lines = lines;
    return read;
}

std::optional<MoneyRead> ReadMoneyAtStart(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    return ReadMoneyFile(path);
}

MoneyStart StartWithMoneyFile(const QString &path)
{
    MoneyStart start;
    try {
        start.read = ReadMoneyAtStart(path);
    } catch (const ChequeError &error) {
        start.unreadable =
            QCoreApplication::translate("MoneyFile",
                                        "%1\n\nThe program goes on with the UAE currency. The file is left as it is "
                                        "until you set the currency in the Money window and press OK.")
                .arg(QString::fromStdString(error.message()));
    }
    return start;
}

QString KeepDamagedMoneyFile(const QString &path, const MoneyRead &read)
{
    const QString backup = path + QStringLiteral(".bak");
    QFile::remove(backup);
    const bool kept = QFile::copy(path, backup);
    QString text = read.damage.value_or(QString()) + QStringLiteral("\n\n");
    text += kept ? QCoreApplication::translate("MoneyFile", "The damaged file was kept as \"%1\". ")
                       .arg(QDir::toNativeSeparators(backup))
                 : QCoreApplication::translate("MoneyFile", "It could not be kept as \"%1\". ")
                       .arg(QDir::toNativeSeparators(backup));
    text += QCoreApplication::translate("MoneyFile",
                                        "The currency names that could be read are used, with %1 sub-unit digits; "
                                        "check them in this window, which stays open for that.")
                .arg(read.money.PartDigits);
    return text;
}

void WriteMoneyFile(const QString &path, const MonyType &money) { WriteDataFile(path, MoneyToLines(money)); }
