// SPDX-License-Identifier: GPL-3.0-or-later
// Lists of cheques: CSV files of every shape, workbooks written here with
// the same library the register exports with, the rows' checks with the
// rules of a cheque typed by hand, the list window's printing (one job per
// cheque, each recorded, Cancel after the cheque in flight), and the same
// list printed from the command line, read back page by page.

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/types.h>

#include <quazip.h>
#include <quazipfile.h>

#include "arabicreader.h"
#include "controls.h"
#include "errorof.h"
#include "pdftext.h"
#include "testdialogs.h"
#include "testfiles.h"
#include "testprinting.h"

#include "batch/chequebatch.h"
#include "batch/reconcile.h"
#include "batch/schedule.h"
#include "core/chequeerror.h"
#include "core/datafile.h"
#include "currency/moneyfile.h"
#include "desk/registeraccess.h"
#include "gui/issue/program.h"
#include "gui/list/batchwindow.h"
#include "output/chequepage.h"
#include "output/printrun.h"
#include "register/chequeissuer.h"
#include "register/registerexport.h"
#include "register/workbookwriter.h"

namespace {

QStringList Texts(const QList<ListCell> &row)
{
    QStringList texts;
    for (const ListCell &cell : row)
        texts << cell.text;
    return texts;
}

QList<QStringList> Rows(const ListFile &file)
{
    QList<QStringList> rows;
    for (const auto &row : file.rows)
        rows << Texts(row);
    return rows;
}

QByteArray Cp1256(const QString &text)
{
    QStringEncoder encoder("windows-1256");
    return encoder.encode(text);
}

BatchContext Context(const QLocale &locale = QLocale("en_US"))
{
    BatchContext c;
    c.banks = {"SIB", "ADCB", "FAB"};
    const QString line = OptionLine(InitialLayout());
    c.options = {line, line, QString()}; // FAB has no layout yet
    c.defaultBank = "SIB";
    c.currency = UaeMoney();
    c.locale = locale;
    return c;
}

ListFile Csv(const QString &text) { return ParseCsv(text.toUtf8(), "list.csv"); }

// Changes one part of a workbook (libxlsxwriter has no 1904 dates).
void ReplacePart(const QString &path, const QString &part, const std::function<QByteArray(QByteArray)> &change)
{
    QList<QPair<QString, QByteArray>> parts;
    {
        QuaZip in(path);
        QVERIFY(in.open(QuaZip::mdUnzip));
        for (bool more = in.goToFirstFile(); more; more = in.goToNextFile()) {
            QuaZipFile entry(&in);
            QVERIFY(entry.open(QIODevice::ReadOnly));
            const QString name = in.getCurrentFileName();
            QByteArray bytes = entry.readAll();
            parts << qMakePair(name, name == part ? change(bytes) : bytes);
        }
    }
    QuaZip out(path);
    QVERIFY(out.open(QuaZip::mdCreate));
    for (const auto &[name, bytes] : parts) {
        QuaZipFile entry(&out);
        QVERIFY(entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
        entry.write(bytes);
        entry.close();
    }
    out.close();
}

// A workbook of one sheet, written here part by part (and so packed): its
// sheet's rows and, when given, its shared texts.
void Workbook(const QString &path, const std::function<void(QIODevice &)> &sheetData,
              const std::function<void(QIODevice &)> &sharedStrings = {})
{
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    const auto part = [&](const QString &name, const std::function<void(QIODevice &)> &write) {
        QuaZipFile entry(&zip);
        QVERIFY(entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
        write(entry);
        entry.close();
    };
    part("xl/workbook.xml", [](QIODevice &d) {
        d.write("<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
                "<sheet name=\"List\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
    });
    part("xl/_rels/workbook.xml.rels", [](QIODevice &d) {
        d.write("<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>");
    });
    part("xl/worksheets/sheet1.xml", [&](QIODevice &d) {
        d.write("<worksheet><sheetData>");
        sheetData(d);
        d.write("</sheetData></worksheet>");
    });
    if (sharedStrings)
        part("xl/sharedStrings.xml", [&](QIODevice &d) {
            d.write("<sst>");
            sharedStrings(d);
            d.write("</sst>");
        });
    zip.close();
}

} // namespace

class TestBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void init();
    void cleanup();

    void csvShapes_data();
    void csvShapes();
    void csvThatIsNotCsv_data();
    void csvThatIsNotCsv();
    void hostileListsAreRefusedInLittleMemory();
    void workbooks_data();
    void workbooks();
    void spreadsheetDates_data();
    void spreadsheetDates();
    void registerExportReadsBackAsAList();
    void columnsByName_data();
    void columnsByName();
    void eachBadRowIsNamed_data();
    void eachBadRowIsNamed();
    void aLongListIsCheckedAsEachRowAlone();
    void wordWidthsTellWhatLayingOutDoes();
    void desktopFormats_data();
    void desktopFormats();
    void listWindowPrintsTheGoodRowsAndCancelsBetweenCheques();
    void scheduleDates();
    void reconcileWithTheStatement();
    void commandLinePrintsEveryRowToOnePdf();
    void commandLineNamesBadRows();
    void commandLineInArabic();
    void commandLineStopsAtAnUnreadableMoneyFile();
    void figureAndWordsStateOneAmountWhateverTheCurrencyFileSays();
    void rowsArePrintedAndRecordedAsTheListGivesThem();
    void withoutAnArabicFontArabicIsRefusedNotPrintedBlank();
    void theArabicFaceIsChosenNotFound();
    void killedWhilePrintingToAFileEveryRowIsPrintedOnce();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestBatch::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestBatch::cleanup() { m_dir.reset(); }

void TestBatch::csvShapes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<QList<int>>("numbers");
    const QList<QStringList> simple{{"Date", "Payee", "Amount"}, {"12/7/26", "Dorvan", "5000"}};
    // clang-format off
    QTest::newRow("comma, CR LF") << QByteArray("Date,Payee,Amount\r\n12/7/26,Dorvan,5000\r\n") << simple << QList<int>{1, 2};
    QTest::newRow("semicolon, LF") << QByteArray("Date;Payee;Amount\n12/7/26;Dorvan;5000\n") << simple << QList<int>{1, 2};
    QTest::newRow("tab, no end") << QByteArray("Date\tPayee\tAmount\n12/7/26\tDorvan\t5000") << simple << QList<int>{1, 2};
    QTest::newRow("semicolon with decimal commas") << QByteArray("Date;Payee;Amount\n12/7/26;Dorvan;1,5\n")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "Dorvan", "1,5"}} << QList<int>{1, 2};
    QTest::newRow("quotes doubled, line break inside") << QByteArray("Date,Payee,Amount\r\n12/7/26,\"The \"\"Noor\"\", School\r\nDubai\",5000\r\n")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "The \"Noor\", School\r\nDubai", "5000"}} << QList<int>{1, 2};
    QTest::newRow("empty lines are rows") << QByteArray("Date,Payee,Amount\r\n\r\n12/7/26,Dorvan,5000\r\n\r\n\r\n12/8/26,Eskel,1\r\n")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "Dorvan", "5000"}, {"12/8/26", "Eskel", "1"}}
        << QList<int>{1, 3, 6};
    QTest::newRow("a line break inside a row counts once") << QByteArray("Date,Payee,Amount\n1,\"a\nb\nc\",2\n3,d,4\n")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"1", "a\nb\nc", "2"}, {"3", "d", "4"}} << QList<int>{1, 2, 3};
    QTest::newRow("lone CRs end rows") << QByteArray("Date,Payee,Amount\r12/7/26,Dorvan,5000\r12/8/26,Eskel,1")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "Dorvan", "5000"}, {"12/8/26", "Eskel", "1"}} << QList<int>{1, 2, 3};
    QTest::newRow("UTF-8 with its mark, quoted header") << QByteArray("\xEF\xBB\xBF\"التاريخ\",المستفيد,المبلغ\n12/7/26,محمد,5\n")
        << QList<QStringList>{{"التاريخ", "المستفيد", "المبلغ"}, {"12/7/26", "محمد", "5"}} << QList<int>{1, 2};
    QTest::newRow("UTF-8 without its mark") << QString("Date,Payee,Amount\n12/7/26,محمد أحمد,5\n").toUtf8()
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "محمد أحمد", "5"}} << QList<int>{1, 2};
    QTest::newRow("Windows-1256") << Cp1256("Date,Payee,Amount\r\n12/7/26,محمد أحمد,5\r\n")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "محمد أحمد", "5"}} << QList<int>{1, 2};
    // Its letter and comma happen to make a UTF-8 pair: still one encoding.
    QTest::newRow("Windows-1256 with an Arabic comma") << Cp1256("Date,Payee,Amount\r\n12/7/26,\"شركة، الأمل\",5\r\n")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "شركة، الأمل", "5"}} << QList<int>{1, 2};
    // A damma and two commas (0xF5 0xA1 0xA1) are no UTF-8 at all.
    QTest::newRow("Windows-1256 with a damma before commas") << Cp1256("Date,Payee,Amount\r\n12/7/26,\"ش ُ،،\",5\r\n")
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "ش ُ،،", "5"}} << QList<int>{1, 2};
    // A spreadsheet's "Unicode text": UTF-16 with its mark, tabs between cells.
    QTest::newRow("UTF-16, little end first") << QByteArray("\xFF\xFE").append(QStringEncoder(QStringConverter::Utf16LE)(QString("Date\tPayee\tAmount\r\n12/7/26\tمحمد\t5\r\n")))
        << QList<QStringList>{{"Date", "Payee", "Amount"}, {"12/7/26", "محمد", "5"}} << QList<int>{1, 2};
    QTest::newRow("UTF-16, big end first") << QByteArray("\xFE\xFF").append(QStringEncoder(QStringConverter::Utf16BE)(QString("Date,Payee,Amount\n12/7/26,Dorvan,5000\n")))
        << simple << QList<int>{1, 2};
    // clang-format on
}

void TestBatch::csvShapes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<QStringList>, rows);
    QFETCH(QList<int>, numbers);
    const ListFile file = ParseCsv(bytes, "list.csv");
    QCOMPARE(Rows(file), rows);
    QCOMPARE(file.rowNumbers, numbers);
}

void TestBatch::csvThatIsNotCsv_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("said");
    QTest::newRow("quote inside a field") << QByteArray("Date,Payee,Amount\n12/7/26,Dor\"van,5\n") << "line 2";
    QTest::newRow("text after a closing quote")
        << QByteArray("Date,Payee,Amount\n1,2,3\n12/7/26,\"Dor\"x,5\n") << "line 3";
    QTest::newRow("quote never closed") << QByteArray("Date,Payee,Amount\n12/7/26,\"Dorvan,5\n\n") << "line 2";
    QTest::newRow("a Latin-1 name in a UTF-8 list")
        << QString("Date,Payee,Amount\n12/7/26,شركة الأمل,5\n12/8/26,Jos").toUtf8().append("\xe9,6\n")
        << "line 3 holds a byte (0xe9) that is not UTF-8";
    QTest::newRow("UTF-16 without its mark")
        << QByteArray(QStringEncoder(QStringConverter::Utf16LE)(QString("Date,Payee,Amount\n12/7/26,Dorvan,5\n")))
        << "UTF-16 text without the mark";
}

void TestBatch::csvThatIsNotCsv()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, said);
    const QString error = ErrorOf([&] { ParseCsv(bytes, "/tmp/list.csv"); });
    QVERIFY2(error.contains("list.csv") && error.contains(said), qPrintable(error));
}

void TestBatch::hostileListsAreRefusedInLittleMemory()
{
    // Files of a few kilobytes that unpack, or spread out, to gigabytes:
    // each is refused with its reason, and memory stays small.
    const QString header = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Date</t></is></c>"
                           "<c r=\"B1\" t=\"inlineStr\"><is><t>Payee</t></is></c>"
                           "<c r=\"C1\" t=\"inlineStr\"><is><t>Amount</t></is></c></row>";
    const auto refused = [&](const QString &file, const QString &reason) {
        const QString error = ErrorOf([&] { CheckList(ReadListFile(file), Context()); });
        QVERIFY2(error.contains(QFileInfo(file).fileName()) && error.contains(reason), qPrintable(error));
    };
    // 20,000 rows of one cell in the last column (XFD) spread out to no column.
    const QString sparse = m_dir->filePath("sparse.xlsx");
    Workbook(sparse, [&](QIODevice &d) {
        d.write(header.toUtf8());
        for (int r = 2; r < 20002; ++r)
            d.write(QStringLiteral("<row r=\"%1\"><c r=\"XFD%1\"><v>1</v></c></row>").arg(r).toUtf8());
    });
    refused(sparse, "holds no cheques");
    // Shared texts that would unpack to half a gigabyte.
    const QString shared = m_dir->filePath("shared.xlsx");
    Workbook(
        shared, [&](QIODevice &d) { d.write(header.toUtf8()); },
        [](QIODevice &d) {
            for (int i = 0; i < 100000; ++i)
                d.write(QByteArray("<si/>").repeated(10));
        });
    refused(shared, "shared texts are far more");
    // A sheet that unpacks beyond any list.
    const QString big = m_dir->filePath("big.xlsx");
    Workbook(big, [&](QIODevice &d) {
        d.write(header.toUtf8());
        const QByteArray nothing = QByteArray("<row/>").repeated(100000);
        for (int i = 0; i < 60; ++i)
            d.write(nothing);
    });
    refused(big, "far too large");
    // 300 MB of blanks between two tags, the reader's one token.
    const QString blanks = m_dir->filePath("blanks.xlsx");
    Workbook(blanks, [&](QIODevice &d) {
        d.write(header.toUtf8());
        const QByteArray run(1024 * 1024, ' ');
        for (int i = 0; i < 300; ++i)
            d.write(run);
    });
    refused(blanks, "between two tags");
    // A sheet whose packed bytes are damaged half-way: refused, not waited on.
    const QString damaged = m_dir->filePath("damaged.xlsx");
    Workbook(damaged, [&](QIODevice &d) {
        d.write(header.toUtf8());
        for (int r = 2; r < 3000; ++r)
            d.write(QStringLiteral("<row r=\"%1\"><c r=\"B%1\" t=\"inlineStr\"><is><t>Payee %1</t></is></c></row>")
                        .arg(r)
                        .toUtf8());
    });
    {
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const QByteArray bytes = f.readAll();
        const qsizetype sheet = bytes.indexOf("xl/worksheets/sheet1.xml") + 200; // into its packed data
        QVERIFY(f.seek(sheet));
        f.write(QByteArray(64, '\xff'));
    }
    refused(damaged, "damaged");
    // CSV: a line of commas, too many rows, a cell too long.
    const auto csv = [&](const QString &name, const QByteArray &bytes) {
        QFile f(m_dir->filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    refused(csv("commas.csv", "Date,Payee,Amount\n" + QByteArray(2 * 1024 * 1024, ',')), "line 2 is longer");
    refused(csv("rows.csv", "Date,Payee,Amount\n" + QByteArray("12/7/26,Dorvan,5\n").repeated(MaxListRows + 1)),
            "more than 10000 rows");
    refused(csv("cell.csv", "Date,Payee,Amount\n12/7/26," + QByteArray(5000, 'x') + ",5\n"), "5000 characters");
    // The sanitizers hold freed memory back and shadow all of it: peak
    // memory means something in the release build only.
#ifndef __SANITIZE_ADDRESS__
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QVERIFY2(usage.ru_maxrss < 200 * 1024, qPrintable(QString::number(usage.ru_maxrss / 1024) + " MB at the most"));
#endif
}

void TestBatch::workbooks_data()
{
    QTest::addColumn<bool>("constantMemory"); // inline strings instead of shared ones, as big exports are
    QTest::newRow("shared strings") << false;
    QTest::newRow("inline strings") << true;
}

void TestBatch::workbooks()
{
    QFETCH(bool, constantMemory);
    {
        WorkbookWriter reg(m_dir->filePath("list.xlsx"), !constantMemory);
        reg.sheet("الشيكات");
        reg.row({WorkbookCell::text("المستفيد"), WorkbookCell::bold("AMOUNT"), WorkbookCell::text("date"),
                 WorkbookCell::text("Memo")});
        reg.row({WorkbookCell::text("محمد أحمد"),
                 {'n', "1250.5"},
                 WorkbookCell::date(QDate(2026, 12, 7)),
                 WorkbookCell::text("tab\there")});
        reg.row({});
        // A sparse row, with a number computed as 0.1 + 0.2.
        reg.row({WorkbookCell::text("Dorvan Eskel"),
                 {'n', QString::number(0.1 + 0.2, 'g', 17)},
                 WorkbookCell::text("2026-12-08")});
        reg.commit();
    }
    const ListFile file = ReadListFile(m_dir->filePath("list.xlsx"));
    QCOMPARE(file.rowNumbers, (QList<int>{1, 2, 4}));
    QCOMPARE(Texts(file.rows[0]), (QStringList{"المستفيد", "AMOUNT", "date", "Memo"}));
    QCOMPARE(file.rows[1][0].text, QStringLiteral("محمد أحمد"));
    QCOMPARE(file.rows[1][1].kind, ListCell::Kind::Number);
    QCOMPARE(file.rows[1][1].text, QStringLiteral("1250.5"));
    QCOMPARE(file.rows[1][2].kind, ListCell::Kind::Date);
    QCOMPARE(file.rows[1][2].date, QDate(2026, 12, 7));
    QCOMPARE(file.rows[1][3].text, QStringLiteral("tab\there")); // written as _x0009_
    QCOMPARE(file.rows[2][1].text, QStringLiteral("0.3"));

    const QList<BatchRow> rows = CheckList(file, Context());
    QCOMPARE(rows.size(), 2);
    QVERIFY2(rows[0].cheque, qPrintable(rows[0].problem));
    QCOMPARE(rows[0].date, QStringLiteral("12/7/26"));
    QCOMPARE(rows[0].cheque->minorUnits, 125050);
    QCOMPARE(rows[0].cheque->words(), rows[0].cheque->arabic); // an Arabic payee: Arabic words
    QVERIFY2(rows[1].cheque, qPrintable(rows[1].problem));
    QCOMPARE(rows[1].cheque->minorUnits, 30);
    QCOMPARE(rows[1].date, QStringLiteral("12/8/26"));

    // The same serials in the 1904 system are four years and a day later.
    ReplacePart(m_dir->filePath("list.xlsx"), "xl/workbook.xml",
                [](QByteArray xml) { return xml.replace("<workbookPr", "<workbookPr date1904=\"true\""); });
    QCOMPARE(ReadListFile(m_dir->filePath("list.xlsx")).rows[1][2].date, QDate(2030, 12, 8));
}

void TestBatch::spreadsheetDates_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("system1904");
    QTest::addColumn<QDate>("date");
    // clang-format off
    QTest::newRow("day 1") << 1.0 << false << QDate(1900, 1, 1);
    QTest::newRow("the day before the one that never was") << 59.0 << false << QDate(1900, 2, 28);
    QTest::newRow("29 February 1900 never was") << 60.0 << false << QDate();
    QTest::newRow("the day after") << 61.0 << false << QDate(1900, 3, 1);
    QTest::newRow("15 March 2024") << 45366.0 << false << QDate(2024, 3, 15);
    QTest::newRow("a time of day is dropped") << 45366.75 << false << QDate(2024, 3, 15);
    QTest::newRow("1904: day 0") << 0.0 << true << QDate(1904, 1, 1);
    QTest::newRow("1904: 45366") << 45366.0 << true << QDate(2028, 3, 16);
    QTest::newRow("negative") << -1.0 << false << QDate();
    // clang-format on
}

void TestBatch::spreadsheetDates()
{
    QFETCH(double, serial);
    QFETCH(bool, system1904);
    QFETCH(QDate, date);
    QCOMPARE(SpreadsheetDate(serial, system1904).value_or(QDate()), date);
}

void TestBatch::registerExportReadsBackAsAList()
{
    // The register's workbook, read as a list: what one part writes the
    // other reads, Arabic, quotes and amounts included.
    RegisterConnection c;
    c.file = m_dir->filePath("register.sqlite");
    ChequeRegister reg(c);
    const QStringList payees{"محمد أحمد", "The \"Noor\" School", "=1+2"};
    for (int i = 0; i < payees.size(); ++i) {
        const ChequeOrProblem made =
            MakeCheque("SIB", "12/7/26", payees[i], QString::number(1000 + i) + ".25", false, UaeMoney(), "#", false);
        IssueCheque(reg, *made.cheque, "p", [](const ChequeRegister::Recorded &) { return std::optional<QString>(); });
    }
    const QString xlsx = m_dir->filePath("export.xlsx");
    QCOMPARE(ExportRegister(reg, {{}, RegisterOrder::Number, false}, ExportFormat::Workbook, xlsx), 3);
    const ListFile file = ReadListFile(xlsx);
    QCOMPARE(Texts(file.rows[0]), ExportColumns());
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(file.rows[i + 1][5].text, payees[i]);
        QCOMPARE(file.rows[i + 1][6].text, QString::number(1000 + i) + ".25");
        QCOMPARE(file.rows[i + 1][1].kind, ListCell::Kind::Date);
        QCOMPARE(file.rows[i + 1][4].date, reg.cheque(i + 1)->day); // a date cell
        QCOMPARE(file.rows[i + 1][15].text, reg.cheque(i + 1)->arabic);
    }
}

void TestBatch::columnsByName_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("said"); // empty: found
    // clang-format off
    QTest::newRow("English, any order and case") << "AMOUNT,payee,Date,Bank,Account only,memo" << "";
    QTest::newRow("Arabic") << "المبلغ,المستفيد,التاريخ,البنك,للمستفيد الاول,ملاحظة" << "";
    QTest::newRow("extra columns left alone") << "No.,Date,Payee,Amount,Cost centre" << "";
    QTest::newRow("no amount") << "Date,Payee,Total" << "Amount (المبلغ)";
    QTest::newRow("payee twice") << "Date,Payee,Amount,المستفيد" << "Payee twice";
    // clang-format on
}

void TestBatch::columnsByName()
{
    QFETCH(QString, header);
    QFETCH(QString, said);
    const ListFile file = Csv(header + "\n");
    const QString error = ErrorOf([&] { FindColumns(file.rows[0]); });
    if (said.isEmpty())
        QVERIFY2(error.isEmpty(), qPrintable(error));
    else
        QVERIFY2(error.contains(said), qPrintable(error));
}

void TestBatch::eachBadRowIsNamed_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("problem"); // empty: printed
    // clang-format off
    QTest::newRow("good") << "12/7/26,Dorvan Eskel,5000,," << "";
    QTest::newRow("grouped amount") << "12/7/26,Dorvan Eskel,\"5,000.50\",ADCB,yes" << "";
    QTest::newRow("letters in the amount") << "12/7/26,Dorvan Eskel,5O00,," << "Row 2, Amount: \"5O00\" is not an amount";
    QTest::newRow("three decimals") << "12/7/26,Dorvan Eskel,12.345,," << "Row 2, Amount: the amount 12.345 has more decimals";
    QTest::newRow("nothing") << "12/7/26,Dorvan Eskel,0,," << "Row 2, Amount: 0 is not more than 0";
    QTest::newRow("unknown bank") << "12/7/26,Dorvan Eskel,5,HSBX," << "Row 2, Bank: there is no bank \"HSBX\"";
    QTest::newRow("bank without a layout") << "12/7/26,Dorvan Eskel,5,FAB," << "Row 2, Bank: the bank \"FAB\" has no layout";
    QTest::newRow("empty payee") << "12/7/26,  ,5,," << "Row 2, Payee: it is empty";
    QTest::newRow("payee on two lines") << "12/7/26,\"Dorvan\nEskel\",5,," << "Row 2, Payee: it holds";
    QTest::newRow("no such day") << "2/30/26,Dorvan Eskel,5,," << "Row 2, Date: \"2/30/26\" is not a date";
    QTest::newRow("no such ISO day") << "2026-02-30,Dorvan Eskel,5,," << "Row 2, Date: \"2026-02-30\" is not a date";
    QTest::newRow("account only unclear") << "12/7/26,Dorvan Eskel,5,,maybe" << "Row 2, Account Only: \"maybe\" is neither";
    QTest::newRow("payee longer than a cheque") << "12/7/26," + QString(201, u'x') + ",5,," << "Row 2, Payee: it has 201 characters";
    QTest::newRow("words of four lines") << "12/7/26,Dorvan Eskel,177777777.77,," << "Row 2, Amount: the amount in words (field 4) does not fit";
    QTest::newRow("figure wider than its box") << "12/7/26,محمد,1777777777.77,," << "Row 2, Amount: the amount in figures (field 3) does not fit";
    QTest::newRow("terminal escapes shown, not sent") << "12/7/26,Dorvan,\"12\x1b[31mO\",," << "Row 2, Amount: \"12\\x1b[31mO\" is not";
    QTest::newRow("a NUL does not end the message") << QString("Da") + QChar(0) + "te,Dorvan,5,," << "Row 2, Date: \"Da\\x00te\" is not a date;";
    // clang-format on
}

void TestBatch::eachBadRowIsNamed()
{
    QFETCH(QString, row);
    QFETCH(QString, problem);
    const QList<BatchRow> rows = CheckList(Csv("Date,Payee,Amount,Bank,Account Only\n" + row + "\n"), Context());
    QCOMPARE(rows.size(), 1);
    if (problem.isEmpty()) {
        QVERIFY2(rows[0].cheque, qPrintable(rows[0].problem));
        QVERIFY(rows[0].problem.isEmpty());
    } else {
        QVERIFY(!rows[0].cheque);
        QVERIFY2(rows[0].problem.startsWith(problem), qPrintable(rows[0].problem));
    }
}

// Most boxes of a list are told by their words' advances: the verdict is
// the one the page laid out shows, over amounts of every size in both
// currencies with two and three sub-unit digits (words in both languages),
// and payees in either script, mixed, signed, and of lengths up to past
// their box.
void TestBatch::wordWidthsTellWhatLayingOutDoes()
{
    const QStringList latin = {"Dorvan", "Eskel", "Trading", "L.L.C.", "Wholesale", "Mohammed", "W"};
    const QStringList arabic = {"محمد", "أحمد", "شركة", "النور", "للتجارة", "العامة", "ذ.م.م"};
    QList<Cheque> cheques;
    for (MonyType money : {UaeMoney(), SyrMoney()}) {
        for (const int digits : {2, 3}) {
            money.PartDigits = digits;
            for (int i = 0; i < 160; ++i) {
                QStringList words;
                for (int w = 0; w <= i % 13; ++w)
                    words << (i % 2 ? arabic : latin)[(i + w * 3) % 7];
                if (i % 5 == 3)
                    words[0] = "Dorvan" + QString(i % 3 + 1, u'-');
                if (i % 5 == 4)
                    words << (i % 2 ? latin : arabic)[i % 7]; // two scripts
                const QString payee = i % 11 == 10 ? QString(i % 60 + 20, u'x') : words.join(' ');
                const qint64 whole = (i * 7919LL * (1 + i % 17)) % qint64(std::pow(10, 1 + i % 10)) + 1;
                const QString amount =
                    QString("%1.%2").arg(whole).arg(i * 37 % (digits == 2 ? 100 : 1000), digits, 10, QChar('0'));
                if (const auto made =
                        MakeCheque("SIB", "12/7/26", payee, amount, i % 3 == 0, money, "#", false, QLocale("en_US"));
                    made.cheque)
                    cheques << *made.cheque;
            }
        }
    }
    QVERIFY(cheques.size() > 500);
    ChequePageChecker checker(InitialLayout());
    const QList<std::optional<PageFault>> faults = checker.faults(cheques);
    QSet<int> kinds;
    for (qsizetype i = 0; i < cheques.size(); ++i) {
        const std::optional<PageFault> whole = ChequePageFault(cheques[i], InitialLayout());
        QVERIFY2(bool(faults[i]) == bool(whole), qPrintable(cheques[i].payee + ' ' + cheques[i].words()));
        if (whole) {
            QCOMPARE(faults[i]->label, whole->label);
            QCOMPARE(faults[i]->kind, whole->kind);
            QCOMPARE(faults[i]->linesNeeded, whole->linesNeeded);
            QCOMPARE(faults[i]->linesHeld, whole->linesHeld);
            kinds << int(whole->kind);
        }
    }
    QVERIFY(kinds.contains(int(PageFault::Kind::TooManyLines)));
    QVERIFY2(checker.summed() > 3 * checker.laidOut(),
             qPrintable(QString("%1 told by sums, %2 laid out").arg(checker.summed()).arg(checker.laidOut())));
}

// A long list's pages are checked together, on every core: each page's
// fault is the one the whole page laid out alone shows, and each row ends
// as it does checked alone.
void TestBatch::aLongListIsCheckedAsEachRowAlone()
{
    QList<std::pair<QString, QString>> payeesAndAmounts; // fits, 4 lines of words, no glyph, figure too wide
    for (int i = 0; i < 320; ++i) {
        const QString cents = QString("%1.77").arg(i % 100, 2, 10, QChar('0'));
        payeesAndAmounts << (i % 4 == 0       ? std::pair(QString("Dorvan Eskel"), QString::number(1000 + i))
                                 : i % 4 == 1 ? std::pair(QString("Dorvan Eskel"), "1777777" + cents)
                                 : i % 4 == 2 ? std::pair(QString("Dorvan \u1200 %1").arg(i), QString("5"))
                                              : std::pair(QString("محمد"), "17777777" + cents));
    }
    const BatchContext context = Context();
    QList<Cheque> cheques;
    for (const auto &[payee, amount] : payeesAndAmounts)
        cheques
            << *MakeCheque("SIB", "12/7/26", payee, amount, false, context.currency, "#", false, context.locale).cheque;
    const QList<std::optional<PageFault>> faults = ChequePageChecker(InitialLayout()).faults(cheques);
    QSet<int> kinds;
    for (qsizetype i = 0; i < cheques.size(); ++i) {
        const std::optional<PageFault> whole = ChequePageFault(cheques[i], InitialLayout());
        QCOMPARE(bool(faults[i]), bool(whole));
        if (whole) {
            QCOMPARE(faults[i]->label, whole->label);
            QCOMPARE(faults[i]->kind, whole->kind);
            QCOMPARE(faults[i]->character, whole->character);
            QCOMPARE(faults[i]->linesNeeded, whole->linesNeeded);
            kinds << int(whole->kind);
        }
    }
    QVERIFY(kinds.size() >= 2);

    const QString header = "Date,Payee,Amount,Bank\n";
    QStringList lines;
    for (qsizetype i = 0; i < payeesAndAmounts.size(); ++i)
        lines << QString("12/7/26,%1,%2,%3")
                     .arg(payeesAndAmounts[i].first, payeesAndAmounts[i].second, i % 5 == 4 ? "FAB" : "");
    const ListFile file = Csv(header + lines.join('\n') + '\n');
    const QList<BatchRow> rows = CheckList(file, context);
    QCOMPARE(rows.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const BatchRow alone = CheckList(Csv(header + lines[i] + '\n'), context).first();
        QCOMPARE(rows[i].problem, QString(alone.problem).replace("Row 2,", QString("Row %1,").arg(i + 2)));
        QCOMPARE(bool(rows[i].cheque), bool(alone.cheque));
        // A row checked again after a mend is checked as in its list.
        const std::optional<BatchRow> again = CheckListRow(file, i + 1, context);
        QCOMPARE(again->problem, rows[i].problem);
        QCOMPARE(again->cheque, rows[i].cheque);
    }
}

void TestBatch::desktopFormats_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qint64>("minorUnits");
    // clang-format off
    QTest::newRow("en_US") << "en_US" << "12/7/26" << "\"1,250.50\"" << 125050LL;
    QTest::newRow("de_DE") << "de_DE" << "07.12.26" << "\"1.250,50\"" << 125050LL;
    QTest::newRow("ar_AE, ISO date") << "ar_AE" << "2026-12-07" << "1250.50" << 125050LL;
    QTest::newRow("ar_SY, Arabic digits") << "ar_SY" << "2026-12-07" << "١٢٥٠٫٥" << 125050LL;
    // clang-format on
}

void TestBatch::desktopFormats()
{
    QFETCH(QString, locale);
    QFETCH(QString, date);
    QFETCH(QString, amount);
    QFETCH(qint64, minorUnits);
    const QLocale desktop(locale);
    const QList<BatchRow> rows =
        CheckList(Csv("Date,Payee,Amount\n" + date + ",Dorvan," + amount + "\n"), Context(desktop));
    QVERIFY2(rows[0].cheque, qPrintable(rows[0].problem));
    QCOMPARE(rows[0].cheque->minorUnits, minorUnits);
    QCOMPARE(rows[0].date, WriteShortDate(QDate(2026, 12, 7), desktop));
}

void TestBatch::listWindowPrintsTheGoodRowsAndCancelsBetweenCheques()
{
    TestDialogs dialogs;
    TestPrinting printing(m_dir->path());
    QFile banks(m_dir->filePath("banks.txt"));
    QVERIFY(banks.open(QIODevice::WriteOnly));
    banks.write("SIB\r\nADCB\r\n");
    banks.close();
    ChequeProgram program;
    program.NewChequeForm.setExeName(m_dir->filePath("cheque-printer"));
    program.NewChequeForm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&program.NewChequeForm));

    QString csv = "Payee,Amount,Date\r\n";
    for (int i = 1; i <= 6; ++i)
        csv += QStringLiteral("Payee %1,%2,12/%1/26\r\n").arg(i).arg(i * 100);
    csv += "Payee 7,abc,12/7/26\r\n";
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(csv.toUtf8());
    file.close();
    dialogs.fileAnswers << file.fileName();
    program.NewChequeForm.showBatch();
    BatchWindow *w = program.NewChequeForm.batchWindow();
    QCOMPARE(w->rows().size(), 7);
    QCOMPARE(Find<QLabel>(w, "TotalsLB")->text(),
             QStringLiteral(
                 "6 cheques to print: 2,100.00 Dhs. 1 row has a problem and will not be printed (marked in red)."));
    // The list names no bank: its rows take the bank chosen in its window
    // (at first the main window's).
    QCOMPARE(w->rows().first().bank, QStringLiteral("SIB"));
    auto *bank = Find<QComboBox>(w, "BankCB");
    bank->setCurrentIndex(1);
    emit bank->activated(1);
    QCOMPARE(w->rows().first().bank, QStringLiteral("ADCB"));
    // However narrow the window, each row's problem stands in it.
    w->resize(560, 400);
    auto *table = Find<QTableView>(w, "Table");
    QHeaderView *header = table->horizontalHeader();
    QVERIFY(header->sectionViewportPosition(BatchModel::Problem) >= 0);
    QVERIFY(header->sectionViewportPosition(BatchModel::Problem) + header->sectionSize(BatchModel::Problem)
            <= table->viewport()->width());
    // Cancel pressed while the third cheque prints: it is finished, no other follows.
    printing.afterJob = [&](int job) {
        if (job == 3)
            w->findChild<QProgressDialog *>("ListProgress")->cancel();
    };
    Find<QPushButton>(w, "PrintBtn")->click();
    QCOMPARE(printing.setups, 1); // one print dialog for the list
    QCOMPARE(printing.jobs.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QStringList texts = TextsOf(printing.jobs[i]);
        QVERIFY2(texts.contains(QStringLiteral("%1").arg(i + 1))
                     && texts.contains(QStringLiteral("12/%1/26").arg(i + 1)),
                 qPrintable(texts.join(' ')));
    }
    ChequeRegister *reg = program.NewChequeForm.chequeRegister()->open().reg;
    QCOMPARE(reg->totals({}).value(0).count, 3);
    QCOMPARE(reg->totals({}).value(0).minorUnits, 60000);
    QVERIFY2(Find<QLabel>(w, "StatusLB")->text().startsWith("3 of 6 cheques printed. Cancelled before row 5."),
             qPrintable(Find<QLabel>(w, "StatusLB")->text()));
    QVERIFY2(program.NewChequeForm.status().startsWith("3 cheques printed to "),
             qPrintable(program.NewChequeForm.status()));
    // The rows printed are marked and left out; the refused row, its whole
    // problem shown, is mended in place and printed with the rest.
    QCOMPARE(
        Find<QLabel>(w, "TotalsLB")->text(),
        QStringLiteral("3 cheques to print: 1,500.00 Dhs. 1 row has a problem and will not be printed (marked in "
                       "red). 3 rows are in the register already or left out (in grey): tick them to print them."));
    QVERIFY(w->rows()[0].registered.startsWith("cheque No. 1, printed"));
    table->setCurrentIndex(table->model()->index(6, BatchModel::Amount));
    QCOMPARE(Find<QLabel>(w, "CurrentLB")->text(), w->rows()[6].problem);
    QVERIFY(table->model()->setData(table->model()->index(6, BatchModel::Amount), "700"));
    QVERIFY(w->rows()[6].cheque && w->rows()[6].chosen);
    w->recheck(); // the bank list changed: the mend stays
    QVERIFY(w->rows()[6].cheque && w->rows()[6].chosen);
    Find<QPushButton>(w, "PrintBtn")->click();
    QCOMPARE(printing.jobs.size(), 7);
    QVERIFY2(TextsOf(printing.jobs[6]).contains("7"), qPrintable(TextsOf(printing.jobs[6]).join(" ")));
    QCOMPARE(reg->totals({}).value(0).count, 7);
    QVERIFY(std::none_of(w->rows().begin(), w->rows().end(), [](const BatchRow &r) { return r.chosen; }));
    // A schedule's list in the same window: a year's rent from the 31st,
    // each cheque checked as a row of a list.
    Schedule rent;
    rent.payee = "Dorvan Eskel";
    rent.amount = "12,500";
    rent.first = QDate(2027, 1, 31);
    rent.frequency = Frequency::Quarterly;
    rent.count = 4;
    w->loadSchedule(rent);
    QStringList dates;
    for (const BatchRow &row : w->rows())
        dates << row.date + u'/' + (row.cheque ? row.bank : row.problem);
    QCOMPARE(dates, (QStringList{"1/31/27/ADCB", "4/30/27/ADCB", "7/31/27/ADCB", "10/31/27/ADCB"}));
    QCOMPARE(Find<QLabel>(w, "TotalsLB")->text(), QStringLiteral("4 cheques to print: 50,000.00 Dhs."));
}

void TestBatch::scheduleDates()
{
    // Every first day of eight years (two of them leap years), each
    // frequency: the n-th cheque falls n steps of months later, on the
    // first's day or, where the month is shorter, on its last day.
    for (QDate first(2023, 1, 1); first.year() < 2031; first = first.addDays(1))
        for (const Frequency f : {Frequency::Monthly, Frequency::Quarterly, Frequency::HalfYearly, Frequency::Yearly}) {
            const QList<QDate> dates = ScheduleDates(first, 25, f);
            QCOMPARE(dates.size(), 25);
            for (int i = 0; i < 25; ++i) {
                const int months = first.month() - 1 + i * int(f);
                const QDate month(first.year() + months / 12, months % 12 + 1, 1);
                const QDate expected(month.year(), month.month(), std::min(first.day(), month.daysInMonth()));
                if (dates[i] != expected)
                    QFAIL(qPrintable(QStringLiteral("%1 every %2 months, cheque %3: %4")
                                         .arg(first.toString(Qt::ISODate))
                                         .arg(int(f))
                                         .arg(i + 1)
                                         .arg(dates[i].toString(Qt::ISODate))));
            }
        }
    QCOMPARE(ScheduleDates(QDate(2024, 2, 29), 2, Frequency::Yearly).last(), QDate(2025, 2, 28));
    // A schedule's list is checked as any list: an amount that is not one
    // is each row's problem, a bank left out is the window's.
    Schedule bad;
    bad.payee = "Tarn";
    bad.amount = "12,5OO";
    bad.first = QDate(2027, 3, 15);
    bad.count = 3;
    const QList<BatchRow> rows = CheckList(ScheduleList(bad), Context());
    QCOMPARE(rows.size(), 3);
    for (const BatchRow &row : rows)
        QVERIFY2(!row.cheque && row.problem.contains("Amount") && row.bank == "SIB", qPrintable(row.problem));
}

void TestBatch::commandLinePrintsEveryRowToOnePdf()
{
    // 250 cheques, Arabic and Latin payees, from a Windows-1256 file.
    QString csv = "Date;Payee;Amount;Account Only\r\n";
    QStringList payees;
    for (int i = 0; i < 250; ++i) {
        // Arabic names told apart by their letters (digits would be laid
        // out to the left of them).
        const QString letters = QStringLiteral("ابتثجحخدذرزسشصضطظعغفقكلمنهوي");
        payees << (i % 2 ? QStringLiteral("Supplier %1").arg(i)
                         : QStringLiteral("مورد %1%2").arg(letters[i / 28]).arg(letters[i % 28]));
        csv += QStringLiteral("%1;%2;%3;%4\r\n")
                   .arg(QDate(2026, 1, 1).addDays(i).toString(Qt::ISODate), payees[i], QString::number(100 + i) + ",5",
                        i % 3 ? "" : "yes");
    }
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Cp1256(csv));
    file.close();
    const QString pdf = m_dir->filePath("cheques.pdf");
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LANG", "de_DE.UTF-8"); // a desktop whose decimal separator is a comma
    env.insert("LC_ALL", "de_DE.UTF-8");
    run.setProcessEnvironment(env);
    run.start(CHEQUE_PRINTER_EXE,
              {"--batch", file.fileName(), "--bank", "SIB", "--to-pdf", pdf, "--data-dir", m_dir->path()});
    QVERIFY(run.waitForFinished(300000));
    const QString said = QString::fromLocal8Bit(run.readAllStandardError());
    QCOMPARE(run.exitCode(), 0);
    QVERIFY2(said.contains("250 of 250 cheques printed"), qPrintable(said));
    QCOMPARE(PageCount(pdf), 250);

    // Every page read back: its date, payee, figure and words.
    QProcess text;
    text.start("pdftotext", {"-raw", pdf, "-"});
    QVERIFY(text.waitForFinished(120000));
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    RegisterConnection c;
    c.file = m_dir->filePath("register.sqlite");
    ChequeRegister reg(c);
    QList<RegisteredCheque> records;
    reg.forEach({{}, RegisterOrder::Number, false}, [&](const RegisteredCheque &r) {
        records << r;
        return true;
    });
    QCOMPARE(records.size(), 250);
    const QRegularExpression marks(QStringLiteral("[\\s\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]"));
    for (int i = 0; i < 250; ++i) {
        const QString page = pages[i].normalized(QString::NormalizationForm_KC).remove(marks);
        const QString figure = QLocale("de_DE").toString(100 + i) + ",50";
        QCOMPARE(records[i].payee, payees[i]);
        QCOMPARE(records[i].chequeNumber, i + 1);
        const QString date = WriteShortDate(QDate(2026, 1, 1).addDays(i), QLocale("de_DE"));
        QVERIFY2(page.contains(date) && page.contains(QString(payees[i]).remove(marks)) && page.contains(figure),
                 qPrintable(QStringLiteral("page %1: %2").arg(i + 1).arg(page)));
        QVERIFY2(page.contains(QString(records[i].english).remove(marks))
                     || page.contains(QString(records[i].arabic).remove(marks)),
                 qPrintable(QStringLiteral("page %1: %2").arg(i + 1).arg(page)));
        QCOMPARE(page.contains("AccountOnly"), i % 3 == 0);
    }

    // The run's history, recomputed from the command line: each cheque sent,
    // then printed; and an event changed behind the program's back named.
    const auto verify = [&] {
        QProcess check;
        check.start(CHEQUE_PRINTER_EXE, {"--verify-register", "--data-dir", m_dir->path()});
        check.waitForFinished(60000);
        return std::tuple(check.exitCode(), QString::fromLocal8Bit(check.readAllStandardOutput()),
                          QString::fromLocal8Bit(check.readAllStandardError()));
    };
    const auto [whole, out, err] = verify();
    QCOMPARE(whole, 0);
    QVERIFY2(out.contains("500 events") && out.contains(reg.checkHistory().latestHash()), qPrintable(out + err));
    {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "rewrite");
        d.setDatabaseName(c.file);
        QVERIFY(d.open());
        QSqlQuery q(d);
        QVERIFY(q.exec("DROP TRIGGER cheque_events_no_update"));
        QVERIFY(q.exec("UPDATE cheque_events SET detail = 'elsewhere' WHERE seq = 7"));
        d.close();
    }
    QSqlDatabase::removeDatabase("rewrite");
    const auto [broken, out2, err2] = verify();
    QCOMPARE(broken, 1);
    QVERIFY2(err2.contains("Event 7 (cheque 7, sent") && err2.contains("6 events before it match"), qPrintable(err2));
}

void TestBatch::commandLineNamesBadRows()
{
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Date,Payee,Amount,Bank\n12/7/26,Dorvan,5000,\n12/8/26,Eskel,12.345,\n12/9/26,Noor,7,HSBX\n"
               "12/9/26,Dorvan,\"5\x1b]2;x\x07\",\n");
    file.close();
    const QString pdf = m_dir->filePath("cheques.pdf");
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "en_US.UTF-8");
    run.setProcessEnvironment(env);
    run.start(CHEQUE_PRINTER_EXE,
              {"--batch", file.fileName(), "--bank", "SIB", "--to-pdf", pdf, "--data-dir", m_dir->path()});
    QVERIFY(run.waitForFinished(60000));
    const QString said = QString::fromLocal8Bit(run.readAllStandardError());
    QCOMPARE(run.exitCode(), 1);
    QVERIFY2(said.contains("Row 3, Amount:") && said.contains("Row 4, Bank:") && !said.contains("Row 2"),
             qPrintable(said));
    QVERIFY2(said.contains("Row 5, Amount: \"5\\x1b]2;x\\x07\"") && !said.contains(QChar(0x1b)), qPrintable(said));
    QCOMPARE(PageCount(pdf), 1);
    // Neither a printer nor a file: refused before anything.
    run.start(CHEQUE_PRINTER_EXE, {"--batch", file.fileName(), "--data-dir", m_dir->path()});
    QVERIFY(run.waitForFinished(60000));
    QCOMPARE(run.exitCode(), 2);
}

void TestBatch::commandLineInArabic()
{
    // Every sentence in Arabic, the column named in Arabic; run again, the
    // same list is refused as cheques already printed: nothing printed.
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Date,Payee,Amount\n12/7/26,Dorvan,5000\n12/8/26,Eskel,12O\n");
    file.close();
    const auto run = [&] {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "en_US.UTF-8");
        program.setProcessEnvironment(env);
        program.start(CHEQUE_PRINTER_EXE,
                      {"--lang", "ar", "--batch", file.fileName(), "--bank", "SIB", "--to-pdf",
                       m_dir->filePath("out.pdf"), "--data-dir", m_dir->path()});
        program.waitForFinished(60000);
        return std::make_pair(
            program.exitCode(),
            QString::fromUtf8(program.readAllStandardError())
                .remove(QRegularExpression("^QStandardPaths:.*\n", QRegularExpression::MultilineOption)));
    };
    auto [status, said] = run();
    QCOMPARE(status, 1);
    QVERIFY2(said.contains(QStringLiteral("الصف 3، المبلغ: «12O» ليس مبلغاً")), qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("طُبع 1 من شيكين: 5,000.00 درهم.")), qPrintable(said));
    QVERIFY2(!said.contains(QRegularExpression("[A-Za-z]{2}")), qPrintable(said));
    std::tie(status, said) = run();
    QCOMPARE(status, 2);
    QVERIFY2(said.contains(QStringLiteral("الصف 2: يشبه شيكاً من SIB"))
                 && said.contains(QStringLiteral("الشيك رقم 1، مطبوع"))
                 && said.contains(QStringLiteral("طُبع 0 من شيكين")),
             qPrintable(said));
}

namespace {

// The program run on a list to a PDF file; its exit status, and what it said.
std::pair<int, QString> RunBatch(const QString &list, const QString &pdf, const QString &dataDir,
                                 const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess run;
    run.setProcessEnvironment(env);
    run.start(CHEQUE_PRINTER_EXE, {"--batch", list, "--bank", "SIB", "--to-pdf", pdf, "--data-dir", dataDir});
    run.waitForFinished(120000);
    return {run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1,
            QString::fromLocal8Bit(run.readAllStandardError())};
}

QList<RegisteredCheque> Records(const QString &dataDir)
{
    RegisterConnection c;
    c.file = QDir(dataDir).filePath("register.sqlite");
    ChequeRegister reg(c);
    QList<RegisteredCheque> records;
    reg.forEach({{}, RegisterOrder::Number, false}, [&](const RegisteredCheque &r) {
        records << r;
        return true;
    });
    return records;
}

} // namespace

void TestBatch::commandLineStopsAtAnUnreadableMoneyFile()
{
    // money.txt is there, but a link to nothing: not the UAE dirham silently.
    QVERIFY(QFile::link(m_dir->filePath("gone.txt"), m_dir->filePath("money.txt")));
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Date,Payee,Amount\n2026-12-07,Dorvan,5000\n");
    file.close();
    const auto [status, said] = RunBatch(file.fileName(), m_dir->filePath("out.pdf"), m_dir->path());
    QCOMPARE(status, 2);
    QVERIFY2(said.contains("money.txt") && said.contains("Nothing was printed"), qPrintable(said));
    QVERIFY(!QFile::exists(m_dir->filePath("out.pdf")));
}

namespace {

QProcessEnvironment Desktop(const QString &locale)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale + ".UTF-8");
    return env;
}

} // namespace

void TestBatch::figureAndWordsStateOneAmountWhateverTheCurrencyFileSays()
{
    // money.txt's sub-unit digits as a hand may leave them: on paper, each
    // cheque's figure and words (read back by their grammar) state the one
    // amount recorded, with the nearest of 2 and 3 decimals.
    const QString list = m_dir->filePath("list.csv");
    WriteDataFile(list, {"Date,Payee,Amount", "2026-12-07,شركة الأمل,1500.5", "2026-12-07,محمد,0.99"});
    const QRegularExpression blanks(QStringLiteral("[\\s\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]"));
    for (int digits = -2; digits <= 9; ++digits) {
        const QString dir = m_dir->filePath(QString::number(digits)), pdf = dir + "/out.pdf";
        QStringList money = MoneyToLines(UaeMoney());
        money[9] = QString::number(digits);
        QVERIFY(QDir().mkpath(dir));
        WriteDataFile(dir + "/money.txt", money);
        QCOMPARE(RunBatch(list, pdf, dir, Desktop("en_US")).first, 0);
        const QList<RegisteredCheque> records = Records(dir);
        for (int i = 0; i < 2; ++i) {
            const RegisteredCheque &r = records.value(i);
            QCOMPARE(r.digits, NearestPartDigits(digits));
            QCOMPARE(r.minorUnits, (i == 0 ? 150050 : 99) * (r.digits == 3 ? 10 : 1));
            MonyType currency = UaeMoney();
            currency.PartDigits = r.digits;
            // The words as the driver gives them: "Only" first, unmarked.
            const QString words = "فقط " + r.arabic.mid(3, r.arabic.size() - 6).trimmed().chopped(4);
            QCOMPARE(arabic_reader::ReadArabicAmount(words.toStdString(), currency), r.minorUnits);
            const QString figure = "#" + MinorUnitsText(r.minorUnits, r.digits, QLocale("en_US")) + "#";
            QVERIFY2(LettersOf(pdf, i + 1).contains(figure)
                         && LettersOf(pdf, i + 1)
                                .contains(QString(r.arabic).normalized(QString::NormalizationForm_KC).remove(blanks)),
                     qPrintable(QStringLiteral("%1 digits: %2").arg(digits).arg(LettersOf(pdf, i + 1))));
        }
    }
}

void TestBatch::rowsArePrintedAndRecordedAsTheListGivesThem()
{
    // On a desktop that writes years with two digits: a date whose printed
    // text reads as another century is refused, one that prints is recorded
    // as the list gives it; amounts with more decimals than the currency are
    // refused, zeros too; payees are printed in the order typed.
    const QString list = m_dir->filePath("list.csv"), pdf = m_dir->filePath("out.pdf");
    WriteDataFile(list,
                  {"Date,Payee,Amount", "2079-12-07,A,10", "1926-12-07,B,10", "2027-01-05,(Ali) Trading,10",
                   "2027-01-05,C,1.500", "2027-01-05,D,12.340"});
    const auto [status, said] = RunBatch(list, pdf, m_dir->path(), Desktop("en_US"));
    QCOMPARE(status, 1);
    for (const char *refused :
         {"Row 2, Date: the date 2079-12-07 would be printed as 12/7/79, which reads as 1979-12-07",
          "Row 3, Date: the date 1926-12-07 would be printed as 12/7/26, which reads as 2026-12-07",
          "Row 5, Amount: the amount 1.500 has more decimals", "Row 6, Amount: the amount 12.340 has more decimals"})
        QVERIFY2(said.contains(refused), qPrintable(said));
    QCOMPARE(Records(m_dir->path()).value(0).day, QDate(2027, 1, 5));
    QCOMPARE(Records(m_dir->path()).size(), 1);
    QVERIFY2(TextsOf(pdf).join(' ').contains("(Ali) Trading") && TextsOf(pdf).contains("Ten"),
             qPrintable(TextsOf(pdf).join(' ')));
    // "1.500" where "." also groups thousands: neither 1.5 nor 1500.
    const QString told = RunBatch(list, m_dir->filePath("de.pdf"), m_dir->path(), Desktop("de_DE")).second;
    QVERIFY2(told.contains("Row 5, Amount: \"1.500\" can be read as 1.5 or as 1500"), qPrintable(told));
}

// The environment of a desktop whose fonts are the system's with `rules`.
QProcessEnvironment FontDesktop(const QString &dir, const QString &rules)
{
    QFile config(dir + "/fonts.conf");
    config.open(QIODevice::WriteOnly);
    config.write(QStringLiteral("<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig>"
                                "<include>/etc/fonts/fonts.conf</include>%1<cachedir>%2/font-cache</cachedir>"
                                "</fontconfig>")
                     .arg(rules, dir)
                     .toUtf8());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("FONTCONFIG_FILE", config.fileName());
    return env;
}

void TestBatch::theArabicFaceIsChosenNotFound()
{
    // The same cheque on a desktop whose own fallback for Arabic is another
    // face: the same fonts, every word in the same place.
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString("Date,Payee,Amount\n2026-12-07,شركة الأمل للتجارة,6000.5\n").toUtf8());
    file.close();
    QList<QList<Word>> words;
    QStringList fonts;
    for (const QString &rules :
         {QString(),
          QString("<match target=\"pattern\"><test name=\"lang\" compare=\"contains\"><string>ar</string>"
                  "</test><edit name=\"family\" mode=\"prepend\" binding=\"strong\"><string>Amiri</string>"
                  "</edit></match>")}) {
        const QString dir = m_dir->filePath(QString::number(words.size()));
        QVERIFY(QDir().mkpath(dir));
        const QString pdf = dir + "/out.pdf";
        QCOMPARE(RunBatch(file.fileName(), pdf, dir, FontDesktop(dir, rules)).first, 0);
        words << WordsOf(pdf);
        fonts << PopplerOutput("pdffonts", {}, pdf).section('\n', 2).remove(QRegularExpression(" +\\d+ +0 *$|\\s+"));
    }
    QVERIFY2(fonts[0].contains("DejaVuSans") && !fonts[0].contains("Amiri"), qPrintable(fonts[0]));
    QCOMPARE(fonts[1], fonts[0]);
    QCOMPARE(words[1].size(), words[0].size());
    for (int i = 0; i < words[0].size(); ++i)
        QVERIFY(words[1][i].text == words[0][i].text && std::abs(words[1][i].xMin - words[0][i].xMin) < 0.01);
}

void TestBatch::withoutAnArabicFontArabicIsRefusedNotPrintedBlank()
{
    // A desktop whose fonts draw no Arabic (the system's fonts, those that
    // cover Arabic rejected).
    const QProcessEnvironment env =
        FontDesktop(m_dir->path(),
                    "<selectfont><rejectfont><pattern><patelt name=\"lang\"><string>ar</string>"
                    "</patelt></pattern></rejectfont></selectfont>");
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString("Date,Payee,Amount\n2026-12-07,Dorvan Eskel,5000\n2026-12-08,شركة الأمل,6000\n").toUtf8());
    file.close();
    const QString pdf = m_dir->filePath("out.pdf");
    const auto [status, said] = RunBatch(file.fileName(), pdf, m_dir->path(), env);
    QCOMPARE(status, 1);
    QVERIFY2(said.contains("Row 3, Payee: the payee (field 2) holds «ش» (U+0634), which no font"), qPrintable(said));
    QCOMPARE(PageCount(pdf), 1);
    const QList<RegisteredCheque> records = Records(m_dir->path());
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].payee, QStringLiteral("Dorvan Eskel"));
}

void TestBatch::killedWhilePrintingToAFileEveryRowIsPrintedOnce()
{
    // A list printed to PDF files, the program killed at random moments and
    // started again each time on the same list, to a file of its own, then
    // once more to its end: every row ends up on exactly one page of one
    // complete file and has exactly one printed record.
    constexpr int kRows = 60;
    QString csv = "Date,Payee,Amount\n";
    for (int i = 0; i < kRows; ++i)
        csv += QStringLiteral("2026-12-07,Payee number %1,%2\n").arg(i).arg(100 + i);
    QFile file(m_dir->filePath("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(csv.toUtf8());
    file.close();
    // How long a whole run takes, to kill inside it.
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(RunBatch(file.fileName(), m_dir->filePath("timing.pdf"), m_dir->filePath("timing")).first, 0);
    const qint64 runMs = std::max<qint64>(clock.elapsed(), 50);
    QRandomGenerator random(20261207);
    QStringList pdfs;
    int kills = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString pdf = m_dir->filePath(QStringLiteral("out-%1.pdf").arg(attempt));
        pdfs << pdf;
        QProcess run;
        run.start(CHEQUE_PRINTER_EXE,
                  {"--batch", file.fileName(), "--bank", "SIB", "--to-pdf", pdf, "--data-dir", m_dir->path()});
        QVERIFY(run.waitForStarted());
        if (!run.waitForFinished(kills < 20 ? int(random.bounded(runMs)) : 120000)) {
            QVERIFY(kills < 20);
            ::kill(pid_t(run.processId()), SIGKILL);
            run.waitForFinished();
            ++kills;
            continue;
        }
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        if (kills == 20)
            break; // a run to its end after the last kill
    }
    QCOMPARE(kills, 20);
    QMap<QString, int> pages;
    for (const QString &pdf : std::as_const(pdfs)) {
        if (!QFile::exists(pdf))
            continue;
        const int count = PageCount(pdf);
        QVERIFY2(count > 0, qPrintable(pdf + " is not a readable PDF"));
        for (int page = 1; page <= count; ++page) {
            const QString text = TextsOf(pdf, page).join(' ');
            const QRegularExpression payee("Payee number (\\d+)");
            const auto m = payee.match(text);
            QVERIFY2(m.hasMatch(), qPrintable(text));
            ++pages[m.captured(1)];
        }
    }
    QMap<QString, int> printed;
    for (const RegisteredCheque &r : Records(m_dir->path()))
        if (r.state == ChequeState::Printed)
            ++printed[r.payee.mid(QStringLiteral("Payee number ").size())];
    for (int i = 0; i < kRows; ++i) {
        QCOMPARE(pages.value(QString::number(i)), 1);
        QCOMPARE(printed.value(QString::number(i)), 1);
    }
    // No part of a file is left behind.
    QCOMPARE(QDir(m_dir->path()).entryList({"*.part"}, QDir::Files | QDir::Hidden), QStringList());
}
void TestBatch::reconcileWithTheStatement()
{
    // Five cheques of SIB printed (numbers 1 to 5), the fourth voided since.
    RegisterConnection c;
    c.file = m_dir->filePath("register.sqlite");
    ChequeRegister reg(c);
    // Then two more, printed today: one post-dated a month, one dated today.
    const QDate today = QDate::currentDate();
    const QLocale en("en_US");
    const QStringList dates{"12/7/26",
                            "12/7/26",
                            "12/7/26",
                            "12/7/26",
                            "12/7/26",
                            WriteShortDate(today.addDays(30), en),
                            WriteShortDate(today, en)};
    const QStringList amounts{"100", "200", "300", "400", "500.50", "600", "700"};
    for (int i = 0; i < amounts.size(); ++i) {
        const auto made = MakeCheque("SIB", dates[i], "Payee", amounts[i], false, UaeMoney(), "#", false, en);
        QVERIFY(
            IssueCheque(reg, *made.cheque, "printer", [](const auto &) { return std::optional<QString>(); }).printed);
    }
    reg.voidCheque(reg.chequeByNumber("SIB", 4)->number, "lost");

    // The bank's statement in Windows-1256, its columns named in Arabic in
    // another order: a fil off, a debit's minus sign, a cheque paid twice, a
    // void one, one the register never printed, a transfer, a date that is
    // not one; the post-dated one paid early, the other before it was
    // printed.
    QFile statement(m_dir->filePath("statement.csv"));
    QVERIFY(statement.open(QIODevice::WriteOnly));
    statement.write(Cp1256("البيان,المبلغ,رقم الشيك,التاريخ\r\n"
                           "chq,Dhs. 100.00,1,05/01/27\r\nchq,200.01,2,06/01/2027\r\nchq,\"-300.00\",3,2027-01-07\r\n"
                           "chq,300,3,2027-01-08\r\nchq,400,4,2027-01-08\r\nchq,50,99,2027-01-09\r\n"
                           "transfer,20,,2027-01-10\r\nchq,500.50,5,someday\r\nreturned,500.50 CR,5,2027-01-11\r\n")
                    + ("chq,600,6," + today.addDays(5).toString(Qt::ISODate) + "\r\nchq,700,7,"
                       + today.addDays(-3).toString(Qt::ISODate) + "\r\n")
                          .toUtf8());
    statement.close();
    const Reconciliation done = ReconcileStatement(reg, statement.fileName(), "SIB", QLocale("en_US"));
    QCOMPARE(DescribeReconciliation(done, en),
             (QStringList{"Line 3, cheque 2, 200.01: the register's cheque is for 200.00",
                          "Line 5, cheque 3, 300.00: the cheque is cleared already",
                          "Line 6, cheque 4, 400.00: the register has the cheque as voided",
                          "Line 7, cheque 99, 50.00: the register has no such cheque of SIB",
                          "Line 9, cheque 5, ?: its date cannot be read",
                          "Line 12, cheque 7, 700.00: the statement pays it on " + WriteShortDate(today.addDays(-3), en)
                              + ", before it was printed on " + WriteShortDate(today, en),
                          "Line 11, cheque 6: paid on " + WriteShortDate(today.addDays(5), en) + ", before its date "
                              + WriteShortDate(today.addDays(30), en)}));
    QCOMPARE(done.cleared, 3);
    QCOMPARE(reg.chequeByNumber("SIB", 1)->stateDay, QDate(2027, 1, 5));
    QCOMPARE(reg.chequeByNumber("SIB", 3)->state, ChequeState::Cleared);
    QCOMPARE(reg.chequeByNumber("SIB", 2)->state, ChequeState::Printed);
    // The clearings' events, written together, chained as every other.
    QCOMPARE(reg.checkHistory().problem(), std::nullopt);
    QCOMPARE(reg.history(reg.chequeByNumber("SIB", 3)->number).back().kind, QString("cleared"));

    // From the command line: the same lines said, 1 for a statement that
    // does not match, and the auditor's report.
    const QString report = m_dir->filePath("reconciliation.pdf");
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "en_US.UTF-8");
    program.setProcessEnvironment(env);
    program.start(
        CHEQUE_PRINTER_EXE,
        {"--reconcile", statement.fileName(), "--bank", "SIB", "--report", report, "--data-dir", m_dir->path()});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 1);
    QVERIFY(QString::fromLocal8Bit(program.readAllStandardOutput()).contains("Line 6, cheque 4, 400.00"));
    QVERIFY(PopplerOutput("pdftotext", {"-raw"}, report).contains("lines do not match"));
}

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
