// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerexport.h"

#include <QDir>
#include <QFileInfo>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "register/registercolumns.h"
#include "register/workbookwriter.h"

namespace {

using enum RegisterColumn;

constexpr qint64 kProgressEvery = 4096;

// Hands every cheque of a view to `write`, telling `progress` as it goes;
// the cheques written, or -1 when `progress` stopped the export.
qint64 ExportRows(ChequeRegister &reg, const RegisterView &view, const std::function<bool(qint64)> &progress,
                  const std::function<void(const RegisteredCheque &)> &write)
{
    bool stopped = false;
    qint64 written = 0;
    reg.forEach(view, [&](const RegisteredCheque &cheque) {
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

qint64 WriteCsv(ChequeRegister &reg, const RegisterView &view, const QString &fileName,
                const std::function<bool(qint64)> &progress)
{
    SaveStream file(fileName);
    file.write("\xEF\xBB\xBF");
    QStringList header;
    for (const QString &name : ExportColumns())
        header << CsvField(name);
    file.write(header.join(u',').toUtf8() + "\r\n");
    QString line;
    const qint64 written = ExportRows(reg, view, progress, [&](const RegisteredCheque &cheque) {
        const QStringList texts = ExportTexts(cheque);
        line.clear();
        for (int i = 0; i < texts.size(); ++i) {
            if (i)
                line += u',';
            line += CsvField(RegisterColumns()[i].typed ? Defused(texts[i]) : texts[i]);
        }
        line += QLatin1String("\r\n");
        file.write(line.toUtf8());
    });
    if (written < 0)
        return -1; // the file is dropped unwritten
    file.commit();
    return written;
}

qint64 WriteWorkbook(ChequeRegister &reg, const RegisterView &view, const QString &fileName,
                     const std::function<bool(qint64)> &progress)
{
    WorkbookWriter out(fileName);
    const QStringList columns = ExportColumns();
    int sheets = 0;
    int rowsInSheet = 0;
    const auto newSheet = [&] {
        out.sheet(++sheets == 1 ? QStringLiteral("Cheques") : QStringLiteral("Cheques %1").arg(sheets));
        out.freezeHeader();
        out.width(int(Payee), 28);
        out.width(int(English), 60);
        out.width(int(Arabic), 60);
        QList<WorkbookCell> header;
        for (const QString &name : columns)
            header << WorkbookCell::bold(name);
        out.row(header);
        rowsInSheet = 1;
    };
    newSheet();
    QList<WorkbookCell> cells;
    const qint64 written = ExportRows(reg, view, progress, [&](const RegisteredCheque &cheque) {
        if (rowsInSheet >= 1048576) // a sheet holds 1,048,576 rows: the rest go on the next
            newSheet();
        const QStringList texts = ExportTexts(cheque);
        cells.clear();
        for (int c = 0; c < texts.size(); ++c) {
            switch (RegisterColumns()[c].column) {
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
    QStringList titles;
    for (const RegisterColumnInfo &column : RegisterColumns())
        titles << QString::fromLatin1(column.title);
    return titles;
}

QStringList ExportTexts(const RegisteredCheque &cheque)
{
    QStringList texts;
    texts.reserve(qsizetype(RegisterColumns().size()));
    for (const RegisterColumnInfo &column : RegisterColumns())
        texts << ExportText(cheque, column.column);
    return texts;
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

qint64 ExportRegister(ChequeRegister &reg, const RegisterView &view, ExportFormat format, const QString &fileName,
                      const std::function<bool(qint64)> &progress)
{
    return format == ExportFormat::Workbook ? WriteWorkbook(reg, view, fileName, progress)
                                            : WriteCsv(reg, view, fileName, progress);
}
