#include "moneyfile.h"

#include <QDir>

#include "datafile.h"

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

MoneyRead MoneyFromLines(const QStringList &lines, const QString &fileName)
{
    auto line = [&lines](int number) { return ToStd(lines.value(number - 1)); };
    MoneyRead read;
    MonyType &m = read.money;
    m.AMoneyName = line(1);
    m.MoneySName = line(2);
    m.EMoneyName = line(3);
    m.APartName = line(4);
    m.EPartName = line(5);
    m.Money2Name = line(6);
    m.Part2Name = line(7);
    m.Money3Name = line(8);
    m.Part3Name = line(9);
    try {
        m.PartDigits = StrToInt(line(10));
    } catch (const ChequeError &error) {
        m.PartDigits = 2;
        const QString where = lines.size() < 10
            ? QStringLiteral("it has only %1 lines, and line 10, the number of fraction digits, is missing")
                  .arg(lines.size())
            : QStringLiteral("line 10, the number of fraction digits, is not a whole number (%1)")
                  .arg(QString::fromStdString(error.what()));
        read.damage = QStringLiteral("The currency file \"%1\" is damaged: %2.")
                          .arg(QDir::toNativeSeparators(fileName), where);
    }
    m.MoneyMale = lines.value(10) == QLatin1String("T");
    m.PartMale = lines.value(11) == QLatin1String("T");
    return read;
}

MoneyRead ReadMoneyFile(const QString &path)
{
    return MoneyFromLines(ReadDataFile(path), path);
}

void WriteMoneyFile(const QString &path, const MonyType &money)
{
    WriteDataFile(path, MoneyToLines(money));
}
