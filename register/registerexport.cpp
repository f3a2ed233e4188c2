#include "register/registerexport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include "core/chequeerror.h"
#include "core/datafile.h"

namespace {

// The columns that hold what users typed (or the printer's name): a formula
// among them is defused.
enum Column {
    Number, PrintedAt, Bank, ChequeNo, Date, Payee, Amount, Currency, AccountOnly,
    State, Reason, Replaces, Destination, Login, English, Arabic, ColumnCount
};

bool IsTyped(int column)
{
    switch (column) {
    case Bank: case Date: case Payee: case Reason: case Destination: case Login: case English: case Arabic:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void Fail(const QString &fileName, const QString &why)
{
    throw ChequeError(
        QStringLiteral("Cannot write the file \"%1\": %2").arg(QDir::toNativeSeparators(fileName), why).toStdString());
}

constexpr qint64 kProgressEvery = 4096;

qint64 WriteCsv(ChequeRegister &book, const RegisterView &view, const QString &fileName,
                const std::function<bool(qint64)> &progress)
{
    SaveStream file(fileName);
    file.write("\xEF\xBB\xBF");
    QStringList header;
    for (const QString &name : ExportColumns())
        header << CsvField(name);
    file.write(header.join(u',').toUtf8() + "\r\n");
    bool stopped = false;
    qint64 written = 0;
    QString line;
    book.forEach(view, [&](const RegisteredCheque &cheque) {
        const QStringList texts = ExportTexts(cheque);
        line.clear();
        for (int i = 0; i < texts.size(); ++i) {
            if (i)
                line += u',';
            line += CsvField(IsTyped(i) ? Defused(texts[i]) : texts[i]);
        }
        line += QLatin1String("\r\n");
        file.write(line.toUtf8());
        ++written;
        if (progress && written % kProgressEvery == 0 && !progress(written)) {
            stopped = true;
            return false;
        }
        return true;
    });
    if (stopped || (progress && !progress(written)))
        return -1; // the file is dropped unwritten
    file.commit();
    return written;
}

// A workbook is written by the library to a file of its own: a temporary
// file beside the target, which replaces the target once complete.
class WorkbookFile
{
public:
    explicit WorkbookFile(const QString &fileName) : m_target(fileName)
    {
        const QFileInfo info(fileName);
        if (info.exists() && !info.isFile())
            Fail(fileName, QStringLiteral("it is not a regular file"));
        m_temp.setFileTemplate(info.absoluteDir().filePath(info.fileName() + QStringLiteral(".XXXXXX")));
        if (!m_temp.open())
            Fail(fileName, m_temp.errorString());
        m_temp.close();
    }
    QString tempName() const { return m_temp.fileName(); }
    void replaceTarget()
    {
        const QString from = m_temp.fileName();
        if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(m_target).constData()) != 0)
            Fail(m_target, QString::fromLocal8Bit(std::strerror(errno)));
        m_temp.setAutoRemove(false);
    }

private:
    QString m_target;
    QTemporaryFile m_temp;
};

QByteArray Cell(const QString &text)
{
    // A cell holds at most 32,767 characters.
    return text.left(32767).toUtf8();
}

qint64 WriteWorkbook(ChequeRegister &book, const RegisterView &view, const QString &fileName,
                     const std::function<bool(qint64)> &progress)
{
    WorkbookFile out(fileName);
    const QByteArray tempName = QFile::encodeName(out.tempName());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go to the file as they come: a million rows in little memory
    options.use_zip64 = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(tempName.constData(), &options);
    if (!workbook)
        Fail(fileName, QStringLiteral("the workbook could not be started"));
    bool closed = false;
    const auto close = [&] {
        closed = true;
        return workbook_close(workbook);
    };
    try {
        lxw_format *bold = workbook_add_format(workbook);
        format_set_bold(bold);
        lxw_format *money2 = workbook_add_format(workbook);
        format_set_num_format(money2, "#,##0.00");
        lxw_format *money3 = workbook_add_format(workbook);
        format_set_num_format(money3, "#,##0.000");
        lxw_format *when = workbook_add_format(workbook);
        format_set_num_format(when, "yyyy-mm-dd hh:mm");
        const QStringList columns = ExportColumns();

        lxw_worksheet *sheet = nullptr;
        lxw_row_t row = 0;
        int sheets = 0;
        const auto newSheet = [&] {
            const QByteArray name = ++sheets == 1 ? QByteArray("Cheques") : "Cheques " + QByteArray::number(sheets);
            sheet = workbook_add_worksheet(workbook, name.constData());
            if (!sheet)
                Fail(fileName, QStringLiteral("the workbook could not take another sheet"));
            for (int c = 0; c < columns.size(); ++c)
                worksheet_write_string(sheet, 0, lxw_col_t(c), Cell(columns[c]).constData(), bold);
            worksheet_freeze_panes(sheet, 1, 0);
            worksheet_set_column(sheet, Payee, Payee, 28, nullptr);
            worksheet_set_column(sheet, English, Arabic, 60, nullptr);
            row = 1;
        };
        newSheet();
        bool stopped = false;
        qint64 written = 0;
        book.forEach(view, [&](const RegisteredCheque &cheque) {
            if (row >= LXW_ROW_MAX) // a sheet holds 1,048,576 rows: the rest go on the next
                newSheet();
            const QStringList texts = ExportTexts(cheque);
            for (int c = 0; c < texts.size(); ++c) {
                lxw_error error = LXW_NO_ERROR;
                const lxw_col_t col = lxw_col_t(c);
                switch (c) {
                case Number:
                    error = worksheet_write_number(sheet, row, col, double(cheque.number), nullptr);
                    break;
                case ChequeNo:
                    error = worksheet_write_number(sheet, row, col, double(cheque.chequeNumber), nullptr);
                    break;
                case Replaces:
                    if (cheque.replaces > 0)
                        error = worksheet_write_number(sheet, row, col, double(cheque.replaces), nullptr);
                    break;
                case Amount:
                    // The nearest double of an amount of at most 12 digits
                    // shows as the amount.
                    error = worksheet_write_number(sheet, row, col, texts[c].toDouble(),
                                                   cheque.digits == 3 ? money3 : money2);
                    break;
                case PrintedAt: {
                    const QDateTime local = cheque.printedAt.toLocalTime();
                    lxw_datetime dt{local.date().year(), local.date().month(), local.date().day(),
                                    local.time().hour(), local.time().minute(), double(local.time().second())};
                    error = worksheet_write_datetime(sheet, row, col, &dt, when);
                    break;
                }
                default:
                    if (!texts[c].isEmpty())
                        error = worksheet_write_string(sheet, row, col, Cell(texts[c]).constData(), nullptr);
                    break;
                }
                if (error != LXW_NO_ERROR)
                    Fail(fileName, QString::fromUtf8(lxw_strerror(error)));
            }
            ++row;
            ++written;
            if (progress && written % kProgressEvery == 0 && !progress(written)) {
                stopped = true;
                return false;
            }
            return true;
        });
        if (!stopped && progress && !progress(written))
            stopped = true;
        const lxw_error error = close();
        if (stopped)
            return -1;
        if (error != LXW_NO_ERROR)
            Fail(fileName, QString::fromUtf8(lxw_strerror(error)));
        out.replaceTarget();
        return written;
    } catch (...) {
        if (!closed)
            close();
        throw;
    }
}

} // namespace

QStringList ExportColumns()
{
    return {QStringLiteral("Register No."), QStringLiteral("Printed"), QStringLiteral("Bank"),
            QStringLiteral("Cheque No."), QStringLiteral("Date"), QStringLiteral("Payee"),
            QStringLiteral("Amount"), QStringLiteral("Currency"), QStringLiteral("Account Only"),
            QStringLiteral("State"), QStringLiteral("Reason"), QStringLiteral("Replaces"),
            QStringLiteral("Printer or File"), QStringLiteral("User"), QStringLiteral("Amount in English"),
            QStringLiteral("Amount in Arabic")};
}

QStringList ExportTexts(const RegisteredCheque &c)
{
    return {QString::number(c.number),
            c.printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            c.bank,
            QString::number(c.chequeNumber),
            c.date,
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
            c.arabic};
}

QString CsvField(const QString &text)
{
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r') ||
        (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
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
