// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a view of the register shows, written out: a CSV file (UTF-8 with a
// byte-order mark, so that spreadsheet programs read the Arabic, quoted as
// RFC 4180 says) or an Excel workbook. No widgets.

#include <functional>

#include <QString>
#include <QStringList>

#include "register/chequeregister.h"

/// The columns of an export, in order.
QStringList ExportColumns();

/// A cheque's texts in those columns: times in local time, the amount as a
/// plain decimal.
QStringList ExportTexts(const RegisteredCheque &cheque);

/// A field of a CSV record: quoted when it holds a comma, a quote, a line
/// break or blanks at either end, its quotes doubled.
QString CsvField(const QString &text);

/// A text a spreadsheet would take for a formula (one starting with =, +,
/// -, @, a tab or a carriage return) with an apostrophe in front, which
/// spreadsheets show as text.
QString Defused(const QString &text);

/// A cheque's CSV record, with its line break.
QByteArray CsvRecord(const RegisteredCheque &cheque);

/// The same record made from the cheque's columns as a register file holds
/// them, without reading them into a cheque first; false, with `record`
/// left as it was, for a cheque whose stored columns are not in the forms
/// this program writes (CsvRecord then makes its record).
bool AppendStoredCsvRecord(QByteArray &record, const ChequeRegister::StoredCheque &cheque);

/// A CSV file with its headers in English (what other programs read), a CSV
/// file with them in the interface's language, or an Excel workbook.
enum class ExportFormat { Csv, CsvInterfaceHeaders, Workbook };

/// The export's column headers in the interface's language.
QStringList InterfaceExportColumns();

/// The format a file name asks for: a workbook for .xlsx, else CSV.
ExportFormat FormatOf(const QString &fileName);

/// Writes the cheques of `view` to `fileName`, replacing it only once the
/// new file is complete; `progress` is told the cheques written so far and
/// returns false to stop (the file is then left as it was). Returns the
/// cheques written, or -1 when stopped. Raises ChequeError naming the file,
/// or the register, when either fails.
qint64 ExportRegister(ChequeRegister &reg, const RegisterView &view, ExportFormat format, const QString &fileName,
                      const std::function<bool(qint64)> &progress = {});
