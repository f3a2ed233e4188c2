// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Printer offsets: a printer that feeds the paper a little to one side, or
// starts a little low, is made exact by moving every page sent to it. Kept
// per printer (by its name) in the program's settings, never in a layout.

#include <QPointF>
#include <QString>

class QSettings;

struct PrinterOffset
{
    int rightTenths = 0; ///< tenths of a millimetre to the right (negative: to the left)
    int downTenths = 0;  ///< tenths of a millimetre down (negative: up)
    bool apply = false;

    /// The move a page gets, in millimetres: none unless it is applied.
    QPointF inForce() const { return apply ? QPointF(rightTenths / 10.0, downTenths / 10.0) : QPointF(); }
    friend bool operator==(const PrinterOffset &, const PrinterOffset &) = default;
};

PrinterOffset ReadPrinterOffset(const QSettings &settings, const QString &printer);
void WritePrinterOffset(QSettings &settings, const QString &printer, const PrinterOffset &offset);

/// "2.5 mm to the right and 1.0 mm up", or "none".
QString DescribeOffset(const PrinterOffset &offset);
