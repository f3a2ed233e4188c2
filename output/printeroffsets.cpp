// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/printeroffsets.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

#include "core/settingskeys.h"

namespace {

// A printer's name as a settings group: names may hold "/" and any letter.
QString Group(const QString &printer)
{
    return QLatin1String(SettingsKey::PrinterGroup) + QString::fromLatin1(printer.toUtf8().toHex());
}

QString Tenths(int tenths) { return QString::number(std::abs(tenths) / 10.0, 'f', 1); }

} // namespace

PrinterOffset ReadPrinterOffset(const QSettings &settings, const QString &printer)
{
    PrinterOffset offset;
    if (printer.isEmpty())
        return offset;
    const QString group = Group(printer);
    offset.rightTenths = settings.value(group + QStringLiteral("/right"), 0).toInt();
    offset.downTenths = settings.value(group + QStringLiteral("/down"), 0).toInt();
    offset.apply = settings.value(group + QStringLiteral("/apply"), false).toBool();
    return offset;
}

void WritePrinterOffset(QSettings &settings, const QString &printer, const PrinterOffset &offset)
{
    const QString group = Group(printer);
    settings.setValue(group + QStringLiteral("/name"), printer);
    settings.setValue(group + QStringLiteral("/right"), offset.rightTenths);
    settings.setValue(group + QStringLiteral("/down"), offset.downTenths);
    settings.setValue(group + QStringLiteral("/apply"), offset.apply);
    settings.sync();
}

QString DescribeOffset(const PrinterOffset &offset)
{
    if (!offset.apply || (offset.rightTenths == 0 && offset.downTenths == 0))
        return QStringLiteral("none");
    QStringList parts;
    if (offset.rightTenths != 0)
        parts << QCoreApplication::translate("TChequeForm", "%1 mm to the %2")
                     .arg(Tenths(offset.rightTenths),
                          offset.rightTenths > 0 ? QStringLiteral("right") : QStringLiteral("left"));
    if (offset.downTenths != 0)
        parts << QCoreApplication::translate("TChequeForm", "%1 mm %2")
                     .arg(Tenths(offset.downTenths),
                          offset.downTenths > 0 ? QStringLiteral("down") : QStringLiteral("up"));
    return parts.join(QLatin1String(" and "));
}
