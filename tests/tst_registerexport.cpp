// SPDX-License-Identifier: GPL-3.0-or-later
// What the register gives out, on a register file and a server: the CSV and
// workbook exports of a view (from the stored columns too), its report,
// totals written exactly.

#include "registerfixture.h"

class TestRegisterExport : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void csvFields_data();
    void csvFields();
    void filterAmountsAndStateChanges();
    void exportTimesAreLocal();
    void exportsWhatIsShown_data();
    void exportsWhatIsShown();
    void exportFromStoredColumns();
    void reportOfWhatIsShown();
    void exactTotalsText();
};

void TestRegisterExport::csvFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("defused");
    // clang-format off
    QTest::newRow("plain") << "Dorvan Eskel" << "Dorvan Eskel" << "Dorvan Eskel";
    QTest::newRow("Arabic") << "محمد أحمد" << "محمد أحمد" << "محمد أحمد";
    QTest::newRow("comma") << "Eskel, Dorvan" << "\"Eskel, Dorvan\"" << "Eskel, Dorvan";
    QTest::newRow("quotes") << "The \"Noor\" School" << "\"The \"\"Noor\"\" School\"" << "The \"Noor\" School";
    QTest::newRow("line break") << "a\r\nb" << "\"a\r\nb\"" << "a\r\nb";
    QTest::newRow("leading blank") << " a" << "\" a\"" << " a";
    QTest::newRow("formula") << "=HYPERLINK(\"x\")" << "\"=HYPERLINK(\"\"x\"\")\"" << "'=HYPERLINK(\"x\")";
    QTest::newRow("plus") << "+971 4 000" << "+971 4 000" << "'+971 4 000";
    QTest::newRow("at") << "@SUM(A1)" << "@SUM(A1)" << "'@SUM(A1)";
    QTest::newRow("empty") << "" << "" << "";
    // clang-format on
}

void TestRegisterExport::csvFields()
{
    QFETCH(QString, text);
    QFETCH(QString, field);
    QFETCH(QString, defused);
    QCOMPARE(CsvField(text), field);
    QCOMPARE(Defused(text), defused);
}

// The amounts a filter takes, and the changes of state the window offers.

void TestRegisterExport::filterAmountsAndStateChanges()
{
    RegisterFilter f;
    QVERIFY(SetFilterAmounts(f, "1,250.5", " "));
    QCOMPARE(f.minThousandths, std::optional<qint64>(1250500));
    QVERIFY(!f.maxThousandths);
    for (const char *bad : {"-5", "12O", "1e16"}) {
        QVERIFY2(!SetFilterAmounts(f, "0", bad), bad);
        QCOMPARE(f.minThousandths, std::optional<qint64>(1250500)); // left as it was
    }
    const ChequeState all[] = {ChequeState::Sent, ChequeState::Printed, ChequeState::Failed, ChequeState::Voided,
                               ChequeState::Spoilt};
    QStringList offered;
    for (ChequeState from : all)
        for (ChequeState to : all)
            if (CanChangeState(from, to))
                offered << StateName(from) + u'>' + StateName(to);
    QCOMPARE(offered.join(u' '),
             QStringLiteral("sent>printed sent>voided sent>spoilt printed>voided printed>spoilt "
                            "failed>voided failed>spoilt spoilt>voided"));
}

// The export's times are local, across changes of a zone's offset: the
// hour skipped and the hour again in Berlin, half an hour in Lord Howe.

void TestRegisterExport::exportTimesAreLocal()
{
    const QByteArray zone = qgetenv("TZ");
    for (const char *tz : {"Europe/Berlin", "Australia/Lord_Howe", "Asia/Dubai"}) {
        qputenv("TZ", tz);
        tzset();
        RegisteredCheque c;
        for (const QDateTime &from : {QDateTime(QDate(2026, 3, 29), QTime(0, 0), Qt::UTC),
                                      QDateTime(QDate(2026, 10, 24), QTime(12, 0), Qt::UTC),
                                      QDateTime(QDate(2026, 4, 4), QTime(12, 0), Qt::UTC)})
            for (int minutes = 0; minutes < 36 * 60; minutes += 7) {
                c.printedAt = from.addSecs(minutes * 60 + 59);
                QCOMPARE(ExportTexts(c).at(1),
                         c.printedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            }
    }
    qputenv("TZ", zone);
    if (zone.isEmpty())
        qunsetenv("TZ");
    tzset();
}

namespace {

// An RFC 4180 reader for what the export writes.
QList<QStringList> ReadCsv(QString text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

} // namespace

void TestRegisterExport::exportsWhatIsShown_data() { addConnections(); }

void TestRegisterExport::exportsWhatIsShown()
{
    QFETCH(bool, server);
    if (server && !Server())
        QSKIP("no PostgreSQL server (tests/postgres_register.sh starts one)");
    ChequeRegister reg(server ? *Server() : sqlite());
    const QStringList payees{"Eskel, \"Dorvan\"", "محمد أحمد", "=1+2", "École Al Noor"};
    for (const QString &payee : payees)
        IssueCheque(reg, Make("SIB", payee, "1234.5"), "Office printer", Printed);
    IssueCheque(reg, Make("FAB", "Other", "7"), "Office printer", Printed);
    RegisterView view;
    view.filter.bank = "SIB";
    view.descending = false;
    const QString csv = m_dir->filePath("cheques.csv");
    QCOMPARE(ExportRegister(reg, view, FormatOf(csv), csv), 4);
    const QByteArray bytes = ReadBytes(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> records = ReadCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(records.size(), 5);
    QCOMPARE(records[0], ExportColumns());
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(records[i + 1].size(), ExportColumns().size());
        QCOMPARE(records[i + 1][5], i == 2 ? QStringLiteral("'=1+2") : payees[i]);
        QCOMPARE(records[i + 1][6], QStringLiteral("1234.50"));
        QCOMPARE(records[i + 1][15], reg.cheque(i + 1)->arabic);
        // The date as a date, and as printed (a server keeps one date: the day).
        QCOMPARE(records[i + 1][4], QStringLiteral("2026-01-31"));
        QCOMPARE(records[i + 1][16], server ? QStringLiteral("2026-01-31") : QStringLiteral("1/31/26"));
    }
    // Written from the stored columns: the records of the cheques as read.
    QByteArray expected;
    reg.forEach(view, [&](const RegisteredCheque &c) {
        expected += CsvRecord(c);
        return true;
    });
    QCOMPARE(bytes.mid(bytes.indexOf("\r\n") + 2), expected);

    // Stopped half-way: the file keeps what it held.
    QCOMPARE(ExportRegister(reg, {}, ExportFormat::Csv, csv, [](qint64) { return false; }), -1);
    QCOMPARE(ReadBytes(csv), bytes);
    const QString xlsx = m_dir->filePath("cheques.xlsx");
    QCOMPARE(ExportRegister(reg, {}, FormatOf(xlsx), xlsx, [](qint64) { return false; }), -1);
    QVERIFY(!QFile::exists(xlsx));
    QCOMPARE(QDir(m_dir->path()).entryList({"cheques.xlsx*"}), QStringList()); // no temporary file left
    QCOMPARE(ExportRegister(reg, {}, FormatOf(xlsx), xlsx), 5);
    QVERIFY(ReadBytes(xlsx).startsWith("PK\x03\x04"));
    // Both files as the user's umask makes any file.
    QCOMPARE(QFile::permissions(xlsx), QFile::permissions(csv));
    // A folder where the file would go is said, not written over.
    QVERIFY(QDir(m_dir->path()).mkdir("folder.csv"));
    const QString error = ErrorOf([&] { ExportRegister(reg, {}, ExportFormat::Csv, m_dir->filePath("folder.csv")); });
    QVERIFY2(error.contains("folder.csv"), qPrintable(error));

    // Many more cheques (written as a restore writes them), and an export
    // stopped after the first few thousand: the register reads on.
    {
        QSqlDatabase d = OpenAs("many", server ? *Server() : sqlite());
        QSqlQuery q(d);
        QVERIFY(!server || q.exec("ALTER TABLE cheques DISABLE TRIGGER USER"));
        QVERIFY2(
            q.exec("WITH RECURSIVE g(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM g WHERE n < 5000) "
                   "INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
                   "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, "
                   "destination, login, state, cheque_day) SELECT 'ENBD', n, '1/31/26', 'Dorvan', 'dorvan', n, n % 4, "
                   "n * 10, 'Dhs', 'درهم', 'e', 'a', 0, '2026-01-31T10:00:00.000Z', 'p', 'clerk', 'printed', "
                   "'2026-01-31' FROM g"),
            qPrintable(q.lastError().text()));
        QVERIFY(!server || q.exec("ALTER TABLE cheques ENABLE TRIGGER USER"));
    }
    QSqlDatabase::removeDatabase("many");
    qint64 told = 0;
    QCOMPARE(ExportRegister(reg, {}, ExportFormat::Csv, csv, [&](qint64 n) { return (told = n) < 4096; }), -1);
    QCOMPARE(told, 4096);
    QCOMPARE(ReadBytes(csv), bytes);
    QCOMPARE(reg.cheque(5)->payee, "Other");
    QCOMPARE(ExportRegister(reg, {}, ExportFormat::Csv, csv), 5005);
    // Its cheques of no sub-units, or one, read as the register reads them.
    expected.clear();
    reg.forEach({}, [&](const RegisteredCheque &c) {
        expected += CsvRecord(c);
        return true;
    });
    const QByteArray all = ReadBytes(csv);
    QCOMPARE(all.mid(all.indexOf("\r\n") + 2), expected);
}

// A register file's cheques are exported from their stored columns: byte
// for byte the records of the cheques as the register reads them, whatever
// their texts, times (across a change of the clocks) and amounts, and for
// cheques stored in other forms by another program.

void TestRegisterExport::exportFromStoredColumns()
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const auto restoreZone = qScopeGuard([&] {
        zone.isEmpty() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    });
    ChequeRegister reg(sqlite());
    IssueCheque(reg, Make("SIB", "Dorvan", "1"), "Office printer", Printed);
    const QStringList texts{"",       "Dorvan",    " lead", "trail ",  "\u00a0nbsp", "x\u3000", "a,b",
                            "q\"q\"", "a\nb",      "cr\r",  "=1+2",    "+971",       "-5",      "@home",
                            "\tTab",  "محمد أحمد", "😀 x",   "x\u2028", "x\uffff"};
    const QStringList states{"sent", "printed", "voided", "cleared"};
    std::mt19937 random(7);
    const auto pick = [&](const QStringList &from) { return from[int(random() % from.size())]; };
    {
        QSqlDatabase d = OpenAs("stored", sqlite());
        QSqlQuery q(d);
        q.exec("BEGIN");
        q.prepare("INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
                  "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, "
                  "destination, login, state, reason, replaces, cheque_day) "
                  "VALUES (?, ?, ?, ?, '', ?, ?, 0, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < 1500; ++i) {
            const QDateTime at = QDateTime::fromSecsSinceEpoch(qint64(random() % 4000000000u), Qt::UTC);
            const QVariantList values{
                i % 3 ? "SIB" : pick(texts), 100 + i, pick({"1/31/26", "٣١/١/٢٠٢٦", "=A1"}), pick(texts),
                qint64(random() % 2000001) - 1000, i % 7 ? 2 : 3, pick({"Dhs", "KD", "a,b"}), pick(texts), pick(texts),
                i % 2,
                // Mostly times as the register writes them; others now and then.
                i % 50 ? at.toString(Qt::ISODateWithMs) : pick({"2026-12-07T10:00:00Z", "nonsense", ""}), pick(texts),
                pick(texts), pick(states), pick(texts), i % 5 ? QVariant() : QVariant(1),
                i % 4 ? at.date().toString(Qt::ISODate) : pick({"", "2026-02-30", "2026-1-5"})};
            for (const QVariant &v : values)
                q.addBindValue(v);
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        // Stored otherwise than this program stores them: a number for a
        // text, a text that is not UTF-8, no sub-units, a flag of 2.
        for (const char *set : {"bank = 42", "payee = 1.5", "payee = CAST(X'C328' AS TEXT)", "digits = 0",
                                "account_only = 2", "replaces = -1", "printed_at = '2026-12-07T10:00:00.000+04:00'"})
            QVERIFY(q.exec(QStringLiteral("UPDATE cheques SET %1 WHERE id = (SELECT max(id) - 10 FROM cheques WHERE "
                                          "digits <> 0 AND account_only < 2 AND bank <> '42')")
                               .arg(set)));
        QVERIFY(q.exec("COMMIT"));
    }
    RegisterView bySIB;
    bySIB.filter.bank = "SIB";
    bySIB.order = RegisterOrder::Payee;
    bySIB.descending = false;
    for (const RegisterView &view : {RegisterView{}, bySIB}) {
        QByteArray expected;
        qint64 count = reg.forEach(view, [&](const RegisteredCheque &c) {
            expected += CsvRecord(c);
            return true;
        });
        int stored = 0;
        reg.forEachStored(view, [&](const ChequeRegister::StoredCheque &c) {
            QByteArray record;
            stored += AppendStoredCsvRecord(record, c);
            return true;
        });
        const QString csv = m_dir->filePath("stored.csv");
        QCOMPARE(ExportRegister(reg, view, ExportFormat::Csv, csv), count);
        const QByteArray bytes = ReadBytes(csv);
        QCOMPARE(bytes.mid(bytes.indexOf("\r\n") + 2), expected);
        // Both ways were taken.
        QVERIFY2(stored > count / 2 && stored < count, qPrintable(QString("%1 of %2").arg(stored).arg(count)));
    }

    // The desktop's zone changed between two exports: the second tells it.
    RegisterView today;
    const QString csv = m_dir->filePath("today.csv");
    for (const char *tz : {"Europe/Berlin", "Asia/Dubai"}) {
        qputenv("TZ", tz);
        tzset();
        // Today where the desktop is now (after 20:00 UTC, Dubai's is
        // tomorrow).
        today.filter.from = today.filter.to = QDate::currentDate();
        QCOMPARE(ExportRegister(reg, today, ExportFormat::Csv, csv), 1);
        QVERIFY(ReadBytes(csv).contains(
            "\r\n1," + reg.cheque(1)->printedAt.toLocalTime().toString("yyyy-MM-dd HH:mm:ss").toLatin1() + ","));
    }
}

void TestRegisterExport::reportOfWhatIsShown()
{
    ChequeRegister reg(sqlite());
    for (int i = 0; i < 90; ++i)
        IssueCheque(reg, Make("SIB", i % 2 ? QStringLiteral("Payee %1").arg(i) : QStringLiteral("محمد"), "10.25"), "p",
                    Printed);
    const QString reason = "the payee asked for the cheque to be written to the company, not to its manager, "
                           "and the amount to be split in two";
    reg.voidCheque(90, reason);
    const QString pdf = m_dir->filePath("report.pdf");
    int pages = 0;
    {
        QPdfWriter writer(pdf);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        pages = PaintRegisterReport(writer, reg, {});
    }
    QVERIFY(pages >= 2);
    QCOMPARE(PageCount(pdf), pages);
    const QString text = TextsOf(pdf).join(' ');
    QVERIFY2(text.contains("Totals: 89 cheques: 912.25 Dhs (not counted: 1 voided, 10.25)"),
             qPrintable(text.right(200)));
    QVERIFY(text.contains("State voided: 1 cheque: 10.25 Dhs"));
    // The history's seal: the hash a later rewrite could not keep.
    QVERIFY2(LettersOf(pdf).contains(reg.latestEvent()->hash), qPrintable(text.right(300)));
    QVERIFY2(LettersOf(pdf).contains(QString("Reason: " + reason).remove(' ')), "the reason is not whole");
    QVERIFY(text.contains("Payee 89"));
    // The Arabic payee is there as text (shaped, read back as its letters),
    // after the cheque's date in the desktop's format.
    const QString date = WriteShortDate(QDate(2026, 1, 31)).remove(' ');
    QVERIFY2(LettersOf(pdf, 1).contains(date + "محمد"), qPrintable(LettersOf(pdf, 1).left(400)));
    QCOMPARE(TextsOf(pdf, 1).count("Cheque"), 2); // the heading and a column title, on every page
    QCOMPARE(TextsOf(pdf, pages).count("Cheque"), 2);
}

void TestRegisterExport::exactTotalsText()
{
    // Beyond a double's 53 bits: a million cheques of the largest amount.
    const qint64 total = 1000000LL * 214748364799LL;
    QCOMPARE(MinorUnitsText(total, 2), QStringLiteral("2,147,483,647,990,000.00"));
    QCOMPARE(MinorUnitsText(1, 3), QStringLiteral("0.001"));
    QCOMPARE(MinorUnitsText(123456, 2, QLocale("de_DE")), QStringLiteral("1.234,56"));
    QCOMPARE(TotalsText({{"Dhs", 2, 1, 500, {}, {}}, {"KD", 3, 2, 1500, {}, {}}}),
             QStringLiteral("1 cheque: 5.00 Dhs; 2 cheques: 1.500 KD"));
}

QTEST_MAIN(TestRegisterExport)
#include "tst_registerexport.moc"
