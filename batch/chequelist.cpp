// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/chequelist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <csv.h>

#include "batch/listdetail.h"
#include "core/chequeerror.h"
#include "core/datafile.h"
#include "core/utf8.h"

using namespace ListDetail;

namespace {

// --- CSV -------------------------------------------------------------------

// libcsv's state between records: nothing of a record has been read yet.
// (Its parser keeps it in a public member; 0 is "row not begun".)
constexpr int kRowNotBegun = 0;

struct CsvReader
{
    ListFile file;
    QList<ListCell> record;
    int rowsSeen = 0;  // rows a spreadsheet program shows before the current one
    int recordRow = 0; // the row of the record being read
    int recordLine = 0;
    bool recordStarted = false;
    ListLimits limits;
    QString beyond; // why the list goes beyond its limits (raised after the parser returns)

    static void field(void *bytes, size_t size, void *data)
    {
        auto *r = static_cast<CsvReader *>(data);
        if (!r->recordStarted) {
            r->recordRow = ++r->rowsSeen; // a record begins (a lone CR may end one inside a line)
            r->recordStarted = true;
        }
        if (!r->beyond.isEmpty() || r->record.size() >= MaxListColumns)
            return; // columns beyond the list's are left alone
        const QString text = QString::fromUtf8(static_cast<const char *>(bytes), qsizetype(size));
        if (const auto why = r->limits.cell(text, r->recordRow))
            r->beyond = *why;
        else
            r->record << ListCell::ofText(text);
    }
    static void end(int, void *data)
    {
        auto *r = static_cast<CsvReader *>(data);
        if (r->beyond.isEmpty()) {
            if (const auto why = r->limits.row())
                r->beyond = *why;
        }
        if (r->beyond.isEmpty()) {
            r->file.rows << r->record;
            r->file.rowNumbers << r->recordRow;
        }
        r->record.clear();
        r->recordStarted = false;
    }
};

// The longest line of a CSV list: its columns full.
constexpr qsizetype kMaxLineBytes = qsizetype(MaxListColumns) * MaxCellChars * 4;

bool IsBlank(QByteArrayView line)
{
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    return true;
}

} // namespace

char CsvDelimiter(const QByteArray &utf8)
{
    qsizetype start = 0;
    // The first line that is not empty.
    while (start < utf8.size()) {
        const qsizetype end = utf8.indexOf('\n', start);
        const QByteArrayView line(utf8.constData() + start, (end < 0 ? utf8.size() : end) - start);
        if (!IsBlank(line))
            break;
        start = end < 0 ? utf8.size() : end + 1;
    }
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (qsizetype i = start; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            comma += c == ',', semicolon += c == ';', tab += c == '\t';
    }
    if (semicolon > comma && semicolon >= tab)
        return ';';
    if (tab > comma && tab > semicolon)
        return '\t';
    return ',';
}

namespace {

// A file that holds UTF-8 letters beside bytes that are not UTF-8 (one line
// saved by another program) would be read whole as Windows-1256, its Arabic
// turned into other letters: the first such line is named instead. A file
// of Windows-1256 text may hold a byte pair that happens to be UTF-8 (a
// letter before an Arabic comma), but then far more bytes that are not.
void RefuseMixedEncodings(const QByteArray &bytes, const QString &name)
{
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    qsizetype sequences = 0;
    qsizetype strays = 0;
    std::optional<qsizetype> stray;
    const std::string_view text(bytes.constData(), std::size_t(bytes.size()));
    for (qsizetype i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        if (const auto length = qsizetype(Utf8SequenceAt(text, std::size_t(i)))) {
            ++sequences;
            i += length;
            continue;
        }
        if (!stray)
            stray = i;
        ++strays;
        ++i;
    }
    if (!stray || (!marked && (sequences == 0 || sequences < strays)))
        return;
    const int line = int(bytes.left(*stray).count('\n')) + 1;
    Fail(name,
         QCoreApplication::translate("ChequeList",
                                     "line %1 holds a byte (0x%2) that is not UTF-8, while other "
                                     "lines are UTF-8: the file mixes two encodings, and its "
                                     "letters cannot be read with certainty. Save it again in one "
                                     "encoding (UTF-8) from the program that made it.")
             .arg(line)
             .arg(static_cast<unsigned char>(bytes[*stray]), 2, 16, QLatin1Char('0')));
}

} // namespace

ListFile ParseCsv(const QByteArray &raw, const QString &name)
{
    // Text a spreadsheet saved as UTF-16 ("Unicode text") is read by its
    // mark; without the mark it is told apart by its zero bytes, and refused.
    QByteArray bytes = raw;
    if (raw.startsWith("\xFF\xFE") || raw.startsWith("\xFE\xFF")) {
        QStringDecoder decode(raw.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString text = decode(raw.mid(2));
        if (decode.hasError())
            Fail(name,
                 QCoreApplication::translate("ChequeList",
                                             "it is UTF-16 text, and damaged: it ends half-way "
                                             "through a character"));
        bytes = text.toUtf8();
    } else if (raw.left(1024).count('\0') * 4 >= std::min<qsizetype>(raw.size(), 1024) && !raw.isEmpty()) {
        Fail(name,
             QCoreApplication::translate("ChequeList",
                                         "it holds zero bytes all through: it is UTF-16 text without the "
                                         "mark that tells it, or not text at all. Save it as CSV in UTF-8"));
    }
    // UTF-8 with or without its mark, or Windows-1256: the data files' rule;
    // never the two in one file.
    RefuseMixedEncodings(bytes, name);
    // A line far too long for a row is refused before the file is decoded.
    for (qsizetype start = 0, line = 1; start < bytes.size(); ++line) {
        const qsizetype newline = bytes.indexOf('\n', start);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        if (end - start > kMaxLineBytes)
            Fail(name,
                 QCoreApplication::translate("ChequeList",
                                             "line %1 is longer than %2 characters, far beyond "
                                             "a row of a list of cheques")
                     .arg(line)
                     .arg(kMaxLineBytes));
        start = end;
    }
    const QByteArray utf8 = DecodeDataBytes(bytes).toUtf8();
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        Fail(name, QCoreApplication::translate("ChequeList", "out of memory"));
    csv_set_delim(&parser, static_cast<unsigned char>(CsvDelimiter(utf8)));
    CsvReader reader;
    int line = 0;
    qsizetype start = 0;
    try {
        while (start < utf8.size()) {
            const qsizetype newline = utf8.indexOf('\n', start);
            const qsizetype end = newline < 0 ? utf8.size() : newline + 1;
            const QByteArrayView text(utf8.constData() + start, end - start);
            ++line;
            if (parser.pstate == kRowNotBegun) {
                if (IsBlank(text)) {
                    ++reader.rowsSeen; // an empty row of the sheet
                    start = end;
                    continue;
                }
                reader.recordLine = line;
            }
            const size_t used =
                csv_parse(&parser, text.data(), size_t(text.size()), CsvReader::field, CsvReader::end, &reader);
            if (!reader.beyond.isEmpty())
                Fail(name, reader.beyond);
            if (used != size_t(text.size()))
                Fail(
                    name,
                    QCoreApplication::translate("ChequeList",
                                                "line %1 is not valid CSV at character %2: a quote inside a field that "
                                                "does not start with one, or text after a closing quote")
                        .arg(line)
                        .arg(QString::fromUtf8(text.first(qsizetype(used))).size() + 1));
            start = end;
        }
        // The end of the file ends the last record; a quote never closed
        // fails here, and its half field is dropped.
        if (csv_fini(&parser, CsvReader::field, CsvReader::end, &reader) != 0)
            Fail(name,
                 QCoreApplication::translate("ChequeList", "the quoted field that begins on line %1 is never closed")
                     .arg(reader.recordLine));
        if (!reader.beyond.isEmpty())
            Fail(name, reader.beyond);
    } catch (...) {
        csv_free(&parser);
        throw;
    }
    csv_free(&parser);
    reader.file.name = name;
    return reader.file;
}

ListFile ReadListFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        Fail(path, QCoreApplication::translate("ChequeList", "it does not exist"));
    if (!info.isFile())
        Fail(path, QCoreApplication::translate("ChequeList", "it is not a regular file"));
    if (info.size() > MaxListFileBytes)
        Fail(path, QCoreApplication::translate("ChequeList", "it is far too large for a list of cheques"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(path, file.errorString());
    const QByteArray start = file.peek(4);
    if (start.startsWith("PK\x03\x04")) {
        file.close();
        return ParseWorkbook(path);
    }
    if (start.startsWith("\xD0\xCF\x11\xE0"))
        Fail(path,
             QCoreApplication::translate("ChequeList", "it is an old Excel workbook (.xls); save it as .xlsx or CSV"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        Fail(path, file.errorString());
    return ParseCsv(bytes, path);
}
