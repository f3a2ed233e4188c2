// SPDX-License-Identifier: GPL-3.0-or-later
// Lists of cheques in workbooks (.xlsx): the first sheet's cells, as shown,
// every part read with its size and tokens bounded.
#include "batch/chequelist.h"

#include <cmath>
#include <memory>

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>

#include "batch/listdetail.h"

using namespace ListDetail;

namespace {

// --- Workbooks -------------------------------------------------------------

// The longest run of a part's bytes without a tag's "<" or ">": far beyond
// any cell's text and any tag of a real workbook.
constexpr qint64 kMaxTokenBytes = 1024 * 1024;

// A part of a workbook as its XML reader reads it, bounded before the
// reader holds too much of it: the reader keeps a whole token (a text
// between two tags, a tag) in memory until its end, and a few kilobytes of
// a workbook may unpack to a gigabyte of blanks.
class BoundedPart : public QIODevice
{
public:
    explicit BoundedPart(QIODevice *source) : m_source(source) { QIODevice::open(QIODevice::ReadOnly); }

    /// Why reading stopped short of the part's end, or nothing.
    const std::optional<QString> &beyond() const { return m_beyond; }

    bool isSequential() const override { return true; }
    bool atEnd() const override { return m_beyond || (m_source->atEnd() && QIODevice::bytesAvailable() == 0); }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (m_beyond)
            return -1;
        const qint64 read = m_source->read(data, std::min<qint64>(size, 64 * 1024));
        if (read <= 0)
            return read;
        m_total += read;
        for (qint64 i = 0; i < read; ++i)
            m_run = data[i] == '<' || data[i] == '>' ? 0 : m_run + 1;
        if (m_total > MaxWorkbookPartBytes)
            m_beyond = QCoreApplication::translate("ChequeList", "is far too large for a list of cheques");
        else if (m_run > kMaxTokenBytes)
            m_beyond = QCoreApplication::translate("ChequeList",
                                                   "holds more than %1 bytes between two tags, far more than any "
                                                   "cell")
                           .arg(kMaxTokenBytes);
        return m_beyond ? -1 : read;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice *m_source;
    qint64 m_total = 0;
    qint64 m_run = 0;
    std::optional<QString> m_beyond;
};

class Workbook
{
public:
    Workbook(QIODevice *device, const QString &name) : m_path(name), m_zip(device)
    {
        if (!m_zip.open(QuaZip::mdUnzip))
            fail(QCoreApplication::translate("ChequeList", "it is not an Excel workbook (.xlsx), or it is damaged"));
    }
    ~Workbook() { m_zip.close(); }

    [[noreturn]] void fail(const QString &why) const { Fail(m_path, why); }

    bool has(const QString &part) { return m_zip.setCurrentFile(part, QuaZip::csInsensitive); }

    /// A part, unpacked as it is read (a part is never held whole: one of
    /// a few kilobytes may unpack to gigabytes).
    std::unique_ptr<QuaZipFile> open(const QString &part)
    {
        if (!m_zip.setCurrentFile(part, QuaZip::csInsensitive))
            fail(QCoreApplication::translate("ChequeList", "its part %1 is missing").arg(part));
        auto entry = std::make_unique<QuaZipFile>(&m_zip);
        if (!entry->open(QIODevice::ReadOnly))
            fail(QCoreApplication::translate("ChequeList", "its part %1 cannot be unpacked").arg(part));
        return entry;
    }

    /// Checks, while a part is read, that it is not too large, and at its
    /// end that it was whole.
    void check(const QXmlStreamReader &xml, const QString &part) const
    {
        if (const auto *bounded = dynamic_cast<const BoundedPart *>(xml.device()); bounded && bounded->beyond())
            fail(QCoreApplication::translate("ChequeList", "its part %1 %2").arg(part, *bounded->beyond()));
    }
    void finish(QXmlStreamReader &xml, QuaZipFile &entry, const QString &part) const
    {
        check(xml, part);
        if (xml.hasError())
            fail(QCoreApplication::translate("ChequeList", "its part %1 is damaged (%2)").arg(part, xml.errorString()));
        entry.close();
        if (entry.getZipError() != UNZ_OK)
            fail(QCoreApplication::translate("ChequeList", "its part %1 is damaged").arg(part));
    }

private:
    QString m_path;
    QuaZip m_zip;
};

// Control characters the library writing a workbook escaped as _xHHHH_.
QString Unescape(QString text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression escaped(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    for (auto it = escaped.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += QChar(char16_t(m.captured(1).toUInt(nullptr, 16)));
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

// True while a part has more to read: neither its end nor an error (a
// damaged part stops its reading at once; a reader waiting for more of a
// part that cannot be unpacked would wait for ever).
bool More(const QXmlStreamReader &xml) { return !xml.atEnd() && !xml.hasError(); }

// The text of a string item (<si>, <is>): its <t>, or its runs' <t>s, but not
// the phonetic readings (<rPh>).
QString ReadStringItem(QXmlStreamReader &xml, const Workbook &book, const QString &part)
{
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (More(xml)) {
        xml.readNext();
        book.check(xml, part);
        if (xml.isStartElement()) {
            if (xml.name() == QLatin1String("rPh"))
                ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0)
                text += xml.readElementText();
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("rPh"))
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return Unescape(text);
}

// "BC12" → column 54 (counted from 0); -1 when it is not a cell reference.
int ColumnOf(QStringView ref)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i) {
        const char16_t c = ref[i].toUpper().unicode();
        if (c < u'A' || c > u'Z')
            return -1;
        column = column * 26 + (c - u'A' + 1);
        if (column > 16384)
            return -1;
    }
    return i == 0 ? -1 : column - 1;
}

} // namespace

std::optional<QDate> SpreadsheetDate(double serial, bool system1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465) // up to 31 December 9999
        return std::nullopt;
    const qint64 day = qint64(std::floor(serial));
    if (system1904)
        return QDate(1904, 1, 1).addDays(day);
    if (day == 60 || day == 0)
        return std::nullopt; // 29 February 1900 (never was) and day 0
    // Up to day 59 the days count from 31 December 1899; after the day that
    // never was they count one more.
    return day < 60 ? QDate(1899, 12, 31).addDays(day) : QDate(1899, 12, 30).addDays(day);
}

bool IsDateFormat(int id, const QString &code)
{
    if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return true;
    if (id < 164 || code.isEmpty())
        return false;
    // The code without what it shows as it stands: quoted text, escaped
    // characters, [colours and locales], _ spaces and * fills.
    QString plain;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"') {
            i = code.indexOf(u'"', i + 1);
            if (i < 0)
                break;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            i = code.indexOf(u']', i + 1);
            if (i < 0)
                break;
        } else {
            plain += c.toLower();
        }
    }
    return plain.contains(u'd') || plain.contains(u'y');
}

ListFile ParseWorkbook(const QString &path)
{
    QFile device(path);
    return ParseWorkbook(&device, path);
}

namespace {

// Reads a part of a workbook with `each` told of every token, its size and
// its end checked.
template <class Each>
void ReadPart(Workbook &book, const QString &part, Each each)
{
    const std::unique_ptr<QuaZipFile> entry = book.open(part);
    BoundedPart bounded(entry.get());
    QXmlStreamReader xml(&bounded);
    while (More(xml)) {
        xml.readNext();
        book.check(xml, part);
        if (!each(xml))
            break;
    }
    book.finish(xml, *entry, part);
}

// The workbook part: its date system, whether its formulas were
// calculated, and the part that holds its first sheet.
struct WorkbookPart
{
    bool system1904 = false;
    bool uncalculatedFormulas = false;
    QString firstSheet; ///< the part's name
};

WorkbookPart ReadWorkbookPart(Workbook &book)
{
    WorkbookPart workbook;
    QString firstSheetId;
    ReadPart(book, QStringLiteral("xl/workbook.xml"), [&](QXmlStreamReader &xml) {
        if (!xml.isStartElement())
            return true;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("workbookPr")) {
            const auto v = a.value(QLatin1String("date1904"));
            workbook.system1904 = v == QLatin1String("1") || v == QLatin1String("true");
        } else if (xml.name() == QLatin1String("calcPr")) {
            const auto v = a.value(QLatin1String("fullCalcOnLoad"));
            workbook.uncalculatedFormulas = v == QLatin1String("1") || v == QLatin1String("true");
        } else if (xml.name() == QLatin1String("sheet") && firstSheetId.isEmpty()) {
            for (const QXmlStreamAttribute &attribute : a)
                if (attribute.name() == QLatin1String("id") && attribute.namespaceUri().endsWith(u"/relationships"))
                    firstSheetId = attribute.value().toString();
        }
        return true;
    });
    if (firstSheetId.isEmpty())
        book.fail(QCoreApplication::translate("ChequeList", "it has no sheet"));
    ReadPart(book, QStringLiteral("xl/_rels/workbook.xml.rels"), [&](QXmlStreamReader &xml) {
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")
            && xml.attributes().value(QLatin1String("Id")) == firstSheetId) {
            const QString target = xml.attributes().value(QLatin1String("Target")).toString();
            workbook.firstSheet = target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        }
        return workbook.firstSheet.isEmpty();
    });
    if (workbook.firstSheet.isEmpty())
        book.fail(QCoreApplication::translate("ChequeList", "its first sheet is missing"));
    return workbook;
}

// The texts the cells share, within the limits of a list.
QStringList ReadSharedStrings(Workbook &book)
{
    QStringList shared;
    if (!book.has(QStringLiteral("xl/sharedStrings.xml")))
        return shared;
    qint64 chars = 0;
    ReadPart(book, QStringLiteral("xl/sharedStrings.xml"), [&](QXmlStreamReader &xml) {
        if (!xml.isStartElement() || xml.name() != QLatin1String("si"))
            return true;
        shared << ReadStringItem(xml, book, QStringLiteral("xl/sharedStrings.xml"));
        chars += shared.last().size();
        if (shared.size() > qsizetype(MaxListRows + 1) * MaxListColumns || chars > MaxListChars)
            book.fail(QCoreApplication::translate("ChequeList",
                                                  "its shared texts are far more than a list of "
                                                  "cheques holds"));
        return true;
    });
    return shared;
}

// Which cell styles show dates, by the style's index.
QList<bool> ReadDateStyles(Workbook &book)
{
    QList<bool> dateStyles;
    if (!book.has(QStringLiteral("xl/styles.xml")))
        return dateStyles;
    QHash<int, QString> codes;
    bool inCellXfs = false;
    ReadPart(book, QStringLiteral("xl/styles.xml"), [&](QXmlStreamReader &xml) {
        if (xml.isStartElement()) {
            const auto a = xml.attributes();
            if (xml.name() == QLatin1String("numFmt"))
                codes.insert(a.value(QLatin1String("numFmtId")).toInt(),
                             a.value(QLatin1String("formatCode")).toString());
            else if (xml.name() == QLatin1String("cellXfs"))
                inCellXfs = true;
            else if (xml.name() == QLatin1String("xf") && inCellXfs) {
                const int id = a.value(QLatin1String("numFmtId")).toInt();
                dateStyles << IsDateFormat(id, codes.value(id));
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("cellXfs")) {
            inCellXfs = false;
        }
        return true;
    });
    return dateStyles;
}

// Reads the rows of the first sheet, one cell at a time.
class SheetReader
{
public:
    SheetReader(Workbook &book, const WorkbookPart &workbook, ListFile &file)
        : m_book(book)
        , m_workbook(workbook)
        , m_file(file)
        , m_shared(ReadSharedStrings(book))
        , m_dateStyles(ReadDateStyles(book))
    {}

    void read()
    {
        ReadPart(m_book, m_workbook.firstSheet, [&](QXmlStreamReader &xml) {
            if (xml.isStartElement() && xml.name() == QLatin1String("row"))
                startRow(xml);
            else if (xml.isEndElement() && xml.name() == QLatin1String("row"))
                endRow();
            else if (m_inRow && xml.isStartElement() && xml.name() == QLatin1String("c"))
                readCell(xml);
            return true;
        });
    }

private:
    void startRow(QXmlStreamReader &xml)
    {
        const int r = xml.attributes().value(QLatin1String("r")).toInt();
        m_rowNumber = r > 0 ? r : m_rowNumber + 1;
        m_row.clear();
        m_inRow = true;
    }

    void endRow()
    {
        // Rows without a value are left out, as the sheet shows them empty.
        bool any = false;
        for (const ListCell &c : std::as_const(m_row))
            any = any || !c.text.isEmpty();
        if (any) {
            if (const auto why = m_limits.row())
                m_book.fail(*why);
            m_file.rows << m_row;
            m_file.rowNumbers << m_rowNumber;
        }
        m_inRow = false;
    }

    void readCell(QXmlStreamReader &xml)
    {
        const auto a = xml.attributes();
        const QString type = a.value(QLatin1String("t")).toString();
        const int style = a.value(QLatin1String("s")).toInt();
        const QString reference = a.value(QLatin1String("r")).toString();
        int column = ColumnOf(reference);
        if (column < 0)
            column = int(m_row.size());
        ListCell cell;
        QString value;
        bool hasValue = false;
        while (More(xml)) {
            xml.readNext();
            m_book.check(xml, m_workbook.firstSheet);
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("v")) {
                    value = xml.readElementText();
                    hasValue = true;
                } else if (xml.name() == QLatin1String("f")) {
                    cell.formula = true;
                    xml.readElementText();
                } else if (xml.name() == QLatin1String("is")) {
                    value = ReadStringItem(xml, m_book, m_workbook.firstSheet);
                    hasValue = true;
                }
            } else if (xml.isEndElement() && xml.name() == QLatin1String("c")) {
                break;
            }
        }
        // Cells beyond the columns of a list are never spread out to.
        if (!hasValue || column >= MaxListColumns)
            return;
        fillCell(cell, type, style, value, reference);
        if (const auto why = m_limits.cell(cell.text, m_rowNumber))
            m_book.fail(*why);
        while (m_row.size() < column)
            m_row << ListCell();
        if (m_row.size() == column)
            m_row << cell;
        else
            m_row[column] = cell;
    }

    // A cell's value as its type and style give it.
    void fillCell(ListCell &cell, const QString &type, int style, const QString &value, const QString &reference)
    {
        const auto damaged = [&] {
            m_book.fail(
                QCoreApplication::translate("ChequeList", "the cell %1 of its first sheet is damaged").arg(reference));
        };
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= m_shared.size())
                damaged();
            cell.text = m_shared[index];
        } else if (type == QLatin1String("inlineStr") || type == QLatin1String("str")) {
            cell.text = Unescape(value);
        } else if (type == QLatin1String("b")) {
            cell.kind = ListCell::Kind::Bool;
            cell.text = value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else if (type == QLatin1String("e")) {
            cell.kind = ListCell::Kind::Error;
            cell.text = value;
        } else if (type == QLatin1String("d")) {
            cell.kind = ListCell::Kind::Date;
            cell.date = QDate::fromString(value.left(10), Qt::ISODate);
            cell.text = value.left(10);
        } else {
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (!ok)
                damaged();
            const auto date = m_dateStyles.value(style) ? SpreadsheetDate(number, m_workbook.system1904) : std::nullopt;
            if (date) {
                cell.kind = ListCell::Kind::Date;
                cell.date = date;
                cell.text = date->toString(Qt::ISODate);
            } else {
                // As a spreadsheet shows it: 15 significant digits, so
                // that 0.1 + 0.2 is 0.3.
                cell.kind = ListCell::Kind::Number;
                cell.text = QString::number(number, 'g', 15);
            }
        }
    }

    Workbook &m_book;
    const WorkbookPart &m_workbook;
    ListFile &m_file;
    const QStringList m_shared;
    const QList<bool> m_dateStyles;
    ListLimits m_limits;
    int m_rowNumber = 0;
    QList<ListCell> m_row;
    bool m_inRow = false;
};

} // namespace

ListFile ParseWorkbook(QIODevice *device, const QString &name)
{
    Workbook book(device, name);
    ListFile file;
    file.name = name;
    const WorkbookPart workbook = ReadWorkbookPart(book);
    file.uncalculatedFormulas = workbook.uncalculatedFormulas;
    SheetReader(book, workbook, file).read();
    return file;
}
