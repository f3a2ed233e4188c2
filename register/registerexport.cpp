// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerexport.h"

#include <cstdio>
#include <limits>
#include <optional>

#include <QDir>
#include <QFileInfo>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "register/workbookwriter.h"

namespace {

// The columns that hold what users typed (or the printer's name): a formula
// among them is defused.
enum Column {
    Number,
    PrintedAt,
    Bank,
    ChequeNo,
    Date,
    Payee,
    Amount,
    Currency,
    AccountOnly,
    State,
    Reason,
    Replaces,
    Destination,
    Login,
    English,
    Arabic,
    DateAsPrinted,
    ColumnCount
};

bool IsTyped(int column)
{
    switch (column) {
    case Bank:
    case Date:
    case Payee:
    case Reason:
    case Destination:
    case Login:
    case English:
    case Arabic:
    case DateAsPrinted: return true;
    default: return false;
    }
}

constexpr qint64 kProgressEvery = 4096;

// Hands every cheque of a view to `write`, telling `progress` as it goes;
// the cheques written, or -1 when `progress` stopped the export.
qint64 ExportRows(ChequeRegister &book, const RegisterView &view, const std::function<bool(qint64)> &progress,
                  const std::function<void(const RegisteredCheque &)> &write)
{
    bool stopped = false;
    qint64 written = 0;
    book.forEach(view, [&](const RegisteredCheque &cheque) {
        write(cheque);
        ++written;
        if (progress && written % kProgressEvery == 0 && !progress(written)) {
            stopped = true;
            return false;
        }
        return true;
    });
    return stopped || (progress && !progress(written)) ? -1 : written;
}

qint64 WriteCsv(ChequeRegister &book, const RegisterView &view, const QString &fileName,
                const std::function<bool(qint64)> &progress)
{
    SaveStream file(fileName);
    file.write("\xEF\xBB\xBF");
    QStringList header;
    for (const QString &name : ExportColumns())
        header << CsvField(name);
    file.write(header.join(u',').toUtf8() + "\r\n");
    QString line;
    const qint64 written = ExportRows(book, view, progress, [&](const RegisteredCheque &cheque) {
        const QStringList texts = ExportTexts(cheque);
        line.clear();
        for (int i = 0; i < texts.size(); ++i) {
            if (i)
                line += u',';
            line += CsvField(IsTyped(i) ? Defused(texts[i]) : texts[i]);
        }
        line += QLatin1String("\r\n");
        file.write(line.toUtf8());
    });
    if (written < 0)
        return -1; // the file is dropped unwritten
    file.commit();
    return written;
}

qint64 WriteWorkbook(ChequeRegister &book, const RegisterView &view, const QString &fileName,
                     const std::function<bool(qint64)> &progress)
{
    WorkbookWriter out(fileName);
    const QStringList columns = ExportColumns();
    int sheets = 0;
    int rowsInSheet = 0;
    const auto newSheet = [&] {
        out.sheet(++sheets == 1 ? QStringLiteral("Cheques") : QStringLiteral("Cheques %1").arg(sheets));
        out.freezeHeader();
        out.width(Payee, 28);
        out.width(English, 60);
        out.width(Arabic, 60);
        QList<WorkbookCell> header;
        for (const QString &name : columns)
            header << WorkbookCell::bold(name);
        out.row(header);
        rowsInSheet = 1;
    };
    newSheet();
    QList<WorkbookCell> cells;
    const qint64 written = ExportRows(book, view, progress, [&](const RegisteredCheque &cheque) {
        if (rowsInSheet >= 1048576) // a sheet holds 1,048,576 rows: the rest go on the next
            newSheet();
        const QStringList texts = ExportTexts(cheque);
        cells.clear();
        for (int c = 0; c < texts.size(); ++c) {
            switch (c) {
            case Number:
            case ChequeNo: cells << WorkbookCell::number(texts[c].toLongLong()); break;
            case Replaces:
                cells << (cheque.replaces > 0 ? WorkbookCell::number(cheque.replaces) : WorkbookCell::empty());
                break;
            case Amount: cells << WorkbookCell::amount(texts[c], cheque.digits); break;
            case PrintedAt: cells << WorkbookCell::dateTime(cheque.printedAt.toLocalTime()); break;
            case Date:
                cells << (cheque.day.isValid() ? WorkbookCell::date(cheque.day) : WorkbookCell::text(texts[c]));
                break;
            default: cells << WorkbookCell::text(texts[c]); break;
            }
        }
        out.row(cells);
        ++rowsInSheet;
    });
    if (written < 0)
        return -1; // the helper is stopped and its file removed
    out.commit();
    return written;
}

} // namespace

QStringList ExportColumns()
{
    return {QStringLiteral("Register No."),
            QStringLiteral("Printed"),
            QStringLiteral("Bank"),
            QStringLiteral("Cheque No."),
            QStringLiteral("Date"),
            QStringLiteral("Payee"),
            QStringLiteral("Amount"),
            QStringLiteral("Currency"),
            QStringLiteral("Account Only"),
            QStringLiteral("State"),
            QStringLiteral("Reason"),
            QStringLiteral("Replaces"),
            QStringLiteral("Printer or File"),
            QStringLiteral("User"),
            QStringLiteral("Amount in English"),
            QStringLiteral("Amount in Arabic"),
            QStringLiteral("Date as Printed")};
}

namespace {

// A time of printing as the export writes it, in local time: "2026-12-07
// 14:05:09". The offset from UTC is looked up at both ends of each quarter of
// an hour, not for every cheque: when they agree, it holds for the quarter
// (no zone changes its offset twice within minutes).
QString LocalTimeText(const QDateTime &printedAt)
{
    if (!printedAt.isValid())
        return QString();
    static thread_local qint64 quarter = std::numeric_limits<qint64>::min();
    static thread_local std::optional<int> quarterOffset;
    const qint64 seconds = printedAt.toSecsSinceEpoch();
    const auto offsetAt = [](qint64 at) {
        return QDateTime::fromSecsSinceEpoch(at, Qt::UTC).toLocalTime().offsetFromUtc();
    };
    if (seconds / 900 != quarter) {
        quarter = seconds / 900;
        const int start = offsetAt(quarter * 900), end = offsetAt(quarter * 900 + 899);
        quarterOffset = start == end ? std::optional<int>(start) : std::nullopt;
    }
    const int offset = quarterOffset ? *quarterOffset : offsetAt(seconds);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(seconds + offset, Qt::UTC);
    const QDate d = local.date();
    const QTime t = local.time();
    if (d.year() < 1000 || d.year() > 9999)
        return printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    char text[20];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                  t.minute(), t.second());
    return QString::fromLatin1(text, 19);
}

} // namespace

QStringList ExportTexts(const RegisteredCheque &c)
{
    return {QString::number(c.number),
            LocalTimeText(c.printedAt),
            c.bank,
            QString::number(c.chequeNumber),
            c.day.isValid() ? c.day.toString(Qt::ISODate) : c.date,
            c.payee,
            c.amountText(),
            c.currency,
            c.accountOnly ? QStringLiteral("Yes") : QStringLiteral("No"),
            StateName(c.state),
            c.reason,
            c.replaces > 0 ? QString::number(c.replaces) : QString(),
            c.destination,
            c.login,
            c.english,
            c.arabic,
            c.date};
}

QString CsvField(const QString &text)
{
    bool quoted = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
    for (qsizetype i = 0; !quoted && i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        quoted = c == u',' || c == u'"' || c == u'\n' || c == u'\r';
    }
    if (!quoted)
        return text;
    QString field = text;
    field.replace(u'"', QLatin1String("\"\""));
    return u'"' + field + u'"';
}

QString Defused(const QString &text)
{
    if (!text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front()))
        return u'\'' + text;
    return text;
}

ExportFormat FormatOf(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) ? ExportFormat::Workbook : ExportFormat::Csv;
}

qint64 ExportRegister(ChequeRegister &book, const RegisterView &view, ExportFormat format, const QString &fileName,
                      const std::function<bool(qint64)> &progress)
{
    return format == ExportFormat::Workbook ? WriteWorkbook(book, view, fileName, progress)
                                            : WriteCsv(book, view, fileName, progress);
}
