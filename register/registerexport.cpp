// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerexport.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <tuple>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "core/settingsfile.h"
#include "core/utf8.h"
#include "register/chequestates.h"
#include "register/registercolumns.h"
#include "register/workbookwriter.h"

namespace {

using enum RegisterColumn;

constexpr qint64 kProgressEvery = 4096;

// Counts the cheques an export writes, telling `progress` as it goes.
class ExportProgress
{
public:
    explicit ExportProgress(const std::function<bool(qint64)> &progress) : m_progress(progress) {}

    /// One more cheque written; false once the export is to stop.
    bool wrote()
    {
        ++m_written;
        m_stopped = m_progress && m_written % kProgressEvery == 0 && !m_progress(m_written);
        return !m_stopped;
    }
    /// The cheques written, or -1 when `progress` stopped the export.
    qint64 result() const { return m_stopped || (m_progress && !m_progress(m_written)) ? -1 : m_written; }

private:
    const std::function<bool(qint64)> &m_progress;
    qint64 m_written = 0;
    bool m_stopped = false;
};

// Hands every cheque of a view to `write`, telling `progress` as it goes;
// the cheques written, or -1 when `progress` stopped the export.
qint64 ExportRows(ChequeRegister &reg, const RegisterView &view, const std::function<bool(qint64)> &progress,
                  const std::function<void(const RegisteredCheque &)> &write)
{
    ExportProgress counted(progress);
    reg.forEach(view, [&](const RegisteredCheque &cheque) {
        write(cheque);
        return counted.wrote();
    });
    return counted.result();
}

qint64 WriteCsv(ChequeRegister &reg, const RegisterView &view, const QString &fileName, const QStringList &columns,
                const std::function<bool(qint64)> &progress)
{
    SaveStream file(fileName);
    ForgetLocalOffsets();
    file.write("\xEF\xBB\xBF");
    QStringList header;
    for (const QString &name : columns)
        header << CsvField(name);
    file.write(header.join(u',').toUtf8() + "\r\n");
    // A register's cheques are written from their stored UTF-8, in one
    // read; a cheque stored in another form (written by another program) is
    // read as the register reads it.
    QByteArray record;
    ExportProgress counted(progress);
    const bool stored = reg.forEachStored(view, [&](const ChequeRegister::StoredCheque &cheque) {
        record.resize(0); // (keeps its room)
        if (!AppendStoredCsvRecord(record, cheque))
            record = CsvRecord(cheque.read());
        file.write(record);
        return counted.wrote();
    });
    const qint64 written = stored
        ? counted.result()
        : ExportRows(reg, view, progress, [&](const RegisteredCheque &cheque) { file.write(CsvRecord(cheque)); });
    if (written < 0)
        return -1; // the file is dropped unwritten
    file.commit();
    return written;
}

void AppendDecimal(QByteArray &out, qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

// The code point that starts, or ends, a text of valid UTF-8.
char32_t FirstCodePoint(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    const int length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
    char32_t cp = length == 1 ? lead : lead & (0x7f >> length);
    for (int i = 1; i < length; ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(text[std::size_t(i)]) & 0x3f);
    return cp;
}

char32_t LastCodePoint(std::string_view text)
{
    std::size_t at = text.size() - 1;
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xc0) == 0x80)
        --at;
    return FirstCodePoint(text.substr(at));
}

// A stored text as CsvField(Defused(…)) or CsvField(…) writes it; false
// when it is not valid UTF-8 (no overlong forms, surrogates or code points
// beyond U+10FFFF) or holds U+FFFE or U+FFFF.
bool AppendCsvText(QByteArray &out, std::string_view text, bool typed)
{
    bool special = false; // a comma, a quote or a line break
    for (std::size_t i = 0; i < text.size();) {
        // ASCII eight bytes at a time.
        std::uint64_t w;
        if (i + 8 <= text.size() && (std::memcpy(&w, text.data() + i, 8), !HoldsNonAscii(w))) {
            special = special || HoldsByte(w, ',') || HoldsByte(w, '"') || HoldsByte(w, '\n') || HoldsByte(w, '\r');
            i += 8;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            special |= byte == ',' || byte == '"' || byte == '\n' || byte == '\r';
            ++i;
            continue;
        }
        if (Utf8PairAt(text, i)) { // Arabic's two-byte letters
            i += 2;
            continue;
        }
        const std::size_t length = Utf8SequenceAt(text, i);
        // U+FFFE and U+FFFF, which SQLite gives Qt as U+FFFD.
        if (length == 0
            || (byte == 0xef && static_cast<unsigned char>(text[i + 1]) == 0xbf
                && static_cast<unsigned char>(text[i + 2]) >= 0xbe))
            return false;
        i += length;
    }
    if (text.empty())
        return true;
    const bool defused = typed && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
    const auto isSpace = [](char32_t cp) { return cp <= 0xffff && QChar(char16_t(cp)).isSpace(); };
    const bool quoted = special || (!defused && isSpace(FirstCodePoint(text))) || isSpace(LastCodePoint(text));
    if (quoted)
        out += '"';
    if (defused)
        out += '\'';
    if (!quoted) {
        out.append(text.data(), qsizetype(text.size()));
        return true;
    }
    for (std::size_t from = 0;;) {
        const std::size_t quote = text.find('"', from);
        out.append(text.data() + from, qsizetype((quote == std::string_view::npos ? text.size() : quote) - from));
        if (quote == std::string_view::npos)
            break;
        out += "\"\"";
        from = quote + 1;
    }
    out += '"';
    return true;
}

// "2026-12-07" read as QDate::fromString reads a date in ISO form, when it
// has exactly that form.
bool IsIsoDay(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    int parts[3] = {0, 0, 0};
    for (const auto &[from, to, part] : {std::tuple{0, 4, 0}, std::tuple{5, 7, 1}, std::tuple{8, 10, 2}})
        for (int i = from; i < to; ++i) {
            if (text[std::size_t(i)] < '0' || text[std::size_t(i)] > '9')
                return false;
            parts[part] = parts[part] * 10 + (text[std::size_t(i)] - '0');
        }
    return parts[0] > 0 && QDate::isValid(parts[0], parts[1], parts[2]);
}

// The seconds since 1970 of a time the register stores,
// "2026-12-07T10:00:00.000Z", when it has exactly that form.
std::optional<qint64> StoredUtcSeconds(std::string_view text)
{
    static constexpr std::string_view kForm = "0000-00-00T00:00:00.000Z";
    if (text.size() != kForm.size())
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (kForm[i] == '0' ? text[i] < '0' || text[i] > '9' : text[i] != kForm[i])
            return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) {
        int v = 0;
        for (std::size_t i = at; i < at + length; ++i)
            v = v * 10 + (text[i] - '0');
        return v;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (year < 1970 || !QDate::isValid(year, month, day) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return QDate(year, month, day).toJulianDay() * 86400 - qint64(2440588) * 86400 + hour * 3600 + minute * 60 + second;
}

qint64 WriteWorkbook(ChequeRegister &reg, const RegisterView &view, const QString &fileName,
                     const std::function<bool(qint64)> &progress)
{
    WorkbookWriter out(fileName);
    // A workbook is read by people: in the interface's language, its
    // headers, states, currencies and the program's own reasons; an Arabic
    // one from the right. (A CSV file is read by programs: it keeps the
    // English names.)
    const bool rightToLeft = InterfaceRightToLeft();
    const QStringList columns = InterfaceExportColumns();
    int sheets = 0;
    int rowsInSheet = 0;
    const auto newSheet = [&] {
        ++sheets;
        out.sheet(sheets == 1 ? QCoreApplication::translate("RegisterExport", "Cheques")
                              : QCoreApplication::translate("RegisterExport", "Cheques %1").arg(sheets));
        out.freezeHeader();
        if (rightToLeft)
            out.rightToLeft();
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
            case State: cells << WorkbookCell::text(StateText(cheque.state)); break;
            case Currency: cells << WorkbookCell::text(CurrencyShown(cheque)); break;
            case AccountOnly:
                cells << WorkbookCell::text(cheque.accountOnly ? QCoreApplication::translate("RegisterExport", "Yes")
                                                               : QCoreApplication::translate("RegisterExport", "No"));
                break;
            case Reason: cells << WorkbookCell::text(ReasonShown(cheque.reason)); break;
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

QStringList InterfaceExportColumns()
{
    QStringList titles;
    for (const RegisterColumnInfo &column : RegisterColumns())
        titles << QCoreApplication::translate("RegisterExport", column.title);
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

QByteArray CsvRecord(const RegisteredCheque &cheque)
{
    const QStringList texts = ExportTexts(cheque);
    QString line;
    for (int i = 0; i < texts.size(); ++i) {
        if (i)
            line += u',';
        line += CsvField(RegisterColumns()[i].typed ? Defused(texts[i]) : texts[i]);
    }
    line += QLatin1String("\r\n");
    return line.toUtf8();
}

bool AppendStoredCsvRecord(QByteArray &record, const ChequeRegister::StoredCheque &cheque)
{
    using Stored = ChequeRegister::StoredCheque;
    const qsizetype start = record.size();
    const auto refuse = [&] {
        record.truncate(start);
        return false;
    };
    // Each column in the storage class this program writes (a text may be
    // NULL: read as empty).
    static constexpr Stored::Column kIntegers[] = {Stored::Id, Stored::ChequeNumber, Stored::AmountMinor,
                                                   Stored::Digits, Stored::AccountOnly};
    for (const Stored::Column column : kIntegers)
        if (cheque.kind(column) != Stored::Integer)
            return refuse();
    static constexpr Stored::Column kTexts[] = {Stored::Bank,    Stored::Date,   Stored::Payee,     Stored::Currency,
                                                Stored::English, Stored::Arabic, Stored::PrintedAt, Stored::Destination,
                                                Stored::Login,   Stored::State,  Stored::Reason,    Stored::Day};
    for (const Stored::Column column : kTexts)
        if (cheque.kind(column) != Stored::Text && cheque.kind(column) != Stored::Null)
            return refuse();
    if (cheque.kind(Stored::Replaces) != Stored::Integer && cheque.kind(Stored::Replaces) != Stored::Null)
        return refuse();
    const qint64 digits = cheque.integer(Stored::Digits), accountOnly = cheque.integer(Stored::AccountOnly);
    const std::optional<qint64> printed = StoredUtcSeconds(cheque.text(Stored::PrintedAt));
    char printedText[20];
    const std::string_view day = cheque.text(Stored::Day);
    const std::string_view state = cheque.text(Stored::State);
    if ((digits != 2 && digits != 3) || (accountOnly != 0 && accountOnly != 1) || !printed
        || !WriteLocalTime(*printed, printedText) || (!day.empty() && !IsIsoDay(day))
        || !StateFromName(QLatin1String(state.data(), qsizetype(state.size()))))
        return refuse();

    bool first = true;
    for (const RegisterColumnInfo &column : RegisterColumns()) {
        if (!first)
            record += ',';
        first = false;
        const auto text = [&](Stored::Column c) { return AppendCsvText(record, cheque.text(c), column.typed); };
        bool written = true;
        switch (column.column) {
        case Number: AppendDecimal(record, cheque.integer(Stored::Id)); break;
        case PrintedAt: record.append(printedText, 19); break;
        case Bank: written = text(Stored::Bank); break;
        case ChequeNo: AppendDecimal(record, cheque.integer(Stored::ChequeNumber)); break;
        case Date: written = text(day.empty() ? Stored::Date : Stored::Day); break;
        case Payee: written = text(Stored::Payee); break;
        case Amount: {
            const qint64 minor = cheque.integer(Stored::AmountMinor), scale = digits == 3 ? 1000 : 100;
            if (minor < 0 && minor / scale == 0)
                record += '-';
            AppendDecimal(record, minor / scale);
            record += '.';
            const qint64 part = std::abs(minor % scale);
            if (digits == 3 && part < 100)
                record += '0';
            if (part < 10)
                record += '0';
            AppendDecimal(record, part);
            break;
        }
        case Currency: written = text(Stored::Currency); break;
        case AccountOnly: record += accountOnly ? "Yes" : "No"; break;
        case State: record.append(state.data(), qsizetype(state.size())); break;
        case Reason: written = text(Stored::Reason); break;
        case Replaces:
            if (cheque.kind(Stored::Replaces) == Stored::Integer && cheque.integer(Stored::Replaces) > 0)
                AppendDecimal(record, cheque.integer(Stored::Replaces));
            break;
        case Destination: written = text(Stored::Destination); break;
        case Login: written = text(Stored::Login); break;
        case English: written = text(Stored::English); break;
        case Arabic: written = text(Stored::Arabic); break;
        case DateAsPrinted: written = text(Stored::Date); break;
        }
        if (!written)
            return refuse();
    }
    record += "\r\n";
    return true;
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
    switch (format) {
    case ExportFormat::Workbook: return WriteWorkbook(reg, view, fileName, progress);
    case ExportFormat::CsvInterfaceHeaders: return WriteCsv(reg, view, fileName, InterfaceExportColumns(), progress);
    case ExportFormat::Csv: break;
    }
    return WriteCsv(reg, view, fileName, ExportColumns(), progress);
}
