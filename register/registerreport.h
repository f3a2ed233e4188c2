// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register report: what a view of the register shows, as pages of a
// table (Arabic payees right to left, joined) with the view's totals at the
// end, for a PDF file or a printer. Paints, but needs no widgets.

#include <QHash>
#include <QLocale>
#include <QString>

#include "register/chequeregister.h"

class QPagedPaintDevice;

/// The filter of a view in words, for the report's heading ("All cheques"
/// when it has none).
QString DescribeFilter(const RegisterFilter &filter, const QLocale &locale = QLocale());

/// The totals of a view: "12 cheques: 5,000.00 Dhs; 1 cheque: 2.500 KD";
/// a currency named in `shownAs` (by its English name) is shown by the name
/// it gives.
QString TotalsText(const QList<ChequeRegister::Total> &totals, const QLocale &locale = QLocale(),
                   const QHash<QString, QString> &shownAs = {});

/// The subtotals of a report: one line per bank, then one per state
/// ("State printed: 3 cheques: 3,000.00 Dhs").
QStringList SubtotalLines(const QList<ChequeRegister::Total> &totals, const QLocale &locale = QLocale(),
                          const QHash<QString, QString> &shownAs = {});

/// Paints the report of `view` on `device`, one page after another; returns
/// the pages painted. Raises ChequeError when the register cannot be read or
/// the device cannot be painted on.
int PaintRegisterReport(QPagedPaintDevice &device, ChequeRegister &reg, const RegisterView &view,
                        const QLocale &locale = QLocale());

/// The page the report is printed on: A4, landscape, no margins of the device's own.
void PageForReport(QPagedPaintDevice &device);

/// Writes the report of `view` to a PDF file, whole or not at all (a full
/// disk fails it instead of leaving a short file); `title` is the PDF's.
/// Returns its pages. Raises ChequeError naming the file.
int SaveRegisterReport(const QString &fileName, const QString &title, ChequeRegister &reg, const RegisterView &view,
                       const QLocale &locale = QLocale());

/// A line of a report of chosen cheques: a cheque as a row of the register
/// report, a note under it, or a note alone.
struct ReportEntry
{
    std::optional<RegisteredCheque> cheque;
    QString note;
};

/// Writes a report of chosen cheques to a PDF file, whole or not at all:
/// `heading` on each page (and as the PDF's title), the entries, then
/// `summary` and `lines` at the end. Returns its pages. Raises ChequeError
/// naming the file.
int SaveChequesReport(const QString &fileName, const QString &heading, const QList<ReportEntry> &entries,
                      const QString &summary, const QStringList &lines, const QLocale &locale = QLocale());
