// SPDX-License-Identifier: GPL-3.0-or-later
// Issuing cheques: what reaches the paper is what was checked and recorded.
// Every page printed holds the whole text of every field (read back from
// the PDF); a page that would not is refused before it is recorded; a PDF
// file's cheques are printed only once the file is complete in its place,
// and a file left unfinished is settled at the next print.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "errorof.h"
#include "pdftext.h"
#include "testfiles.h"

#include "core/datafile.h"
#include "core/partfile.h"
#include "layout/chequelayout.h"
#include "output/chequepage.h"
#include "output/pageoutput.h"
#include "register/chequeissuer.h"

namespace {

Cheque Make(const QString &payee, const QString &amount)
{
    const ChequeOrProblem made =
        MakeCheque("SIB", "1/31/26", payee, amount, false, UaeMoney(), "#", false, QLocale("en_US"));
    if (!made.cheque)
        qFatal("%s", qPrintable(made.problem));
    return *made.cheque;
}

QString Letters(QString text)
{
    return text.normalized(QString::NormalizationForm_KC).remove(QRegularExpression("\\s"));
}

} // namespace

class TestIssuer : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }
    void cleanup() { m_dir.reset(); }

    void aPrintedPageHoldsEveryTextWhole_data();
    void aPrintedPageHoldsEveryTextWhole();
    void aFileIsPrintedOnlyOnceItIsCompleteInItsPlace();
    void aRunEndsAtTheFirstChequeNotPrinted();
    void aFileThatCannotBeCompletedFailsItsCheques();
    void filesLeftUnfinishedAreSettled();
    void aFileKilledAroundItsRenameIsNeverTakenByAnotherPrint_data();
    void aFileKilledAroundItsRenameIsNeverTakenByAnotherPrint();

private:
    RegisterConnection sqlite() const
    {
        RegisterConnection c;
        c.file = m_dir->filePath("register.sqlite");
        return c;
    }
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestIssuer::aPrintedPageHoldsEveryTextWhole_data()
{
    // clang-format off
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("refusedField"); // empty: printed
    QTest::addColumn<QRect>("wordsBox");       // field 4's left, top, width, height; empty: as it is
    QTest::addColumn<int>("wordsPoints");
    const QRect same;
    QTest::newRow("ordinary, English") << "Dorvan Eskel" << "5000" << "" << same << 12;
    QTest::newRow("ordinary, Arabic") << "محمد أحمد" << "1250.5" << "" << same << 12;
    QTest::newRow("largest Arabic words") << "شركة الأمل" << "1777777777.77" << "field 3" << same << 12;
    QTest::newRow("English words of four lines") << "Dorvan Eskel" << "177777777.77" << "field 4" << same << 12;
    QTest::newRow("figure wider than its box") << "Dorvan Eskel" << "1777777777.77" << "field 3" << same << 12;
    QTest::newRow("a word wider than the payee's box") << QString(90, u'W') << "5" << "field 2" << same << 12;
    QTest::newRow("a payee of two lines") << QString("Dorvan Eskel ").repeated(6) << "5" << "field 2" << same << 12;
    // The page as a whole.
    QTest::newRow("words over the figure") << "Dorvan Eskel" << "1500.5" << "field 3" << QRect(600, 160, 70, 80) << 12;
    QTest::newRow("words beside the figure") << "Dorvan Eskel" << "1" << "" << QRect(80, 168, 456, 57) << 12;
    QTest::newRow("a box as large as can be") << "Dorvan Eskel" << "1500.5" << "field 4"
                                              << QRect(0, 0, 2000000000, 2000000000) << 12;
    QTest::newRow("a box past the paper's edge") << "Dorvan Eskel" << "1" << "field 4" << QRect(80, 300, 369, 150) << 12;
    QTest::newRow("a font of 5,000 points") << "Dorvan Eskel" << "1" << "field 4" << same << 5000;
    QTest::newRow("a font of 99,999,999 points") << "Dorvan Eskel" << "1" << "field 4" << same << 99999999;
    // clang-format on
}

void TestIssuer::aPrintedPageHoldsEveryTextWhole()
{
    QFETCH(QString, payee);
    QFETCH(QString, amount);
    QFETCH(QString, refusedField);
    QFETCH(QRect, wordsBox);
    QFETCH(int, wordsPoints);
    const Cheque cheque = Make(payee, amount);
    ChequeLayout layout = InitialLayout();
    ChequeField &words = layout.Fields[3];
    if (!wordsBox.isNull())
        std::tie(words.Left, words.Top, words.Width, words.Height) =
            std::tuple(wordsBox.left(), wordsBox.top(), wordsBox.width(), wordsBox.height());
    words.FontSize = wordsPoints;
    const QString pdf = path("cheque.pdf");
    ChequeRegister reg(sqlite());
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(reg, output);
    const IssueResult result = issuer.issue(cheque, layout);
    QCOMPARE(issuer.finish(), std::nullopt);
    QCOMPARE(result.refused, !refusedField.isEmpty());
    if (result.refused) {
        // Named, and neither recorded nor printed.
        QVERIFY2(result.problem.contains(refusedField) && result.problem.contains("Setup"), qPrintable(result.problem));
        if (wordsBox.left() == 600) // both fields are named
            QVERIFY2(result.problem.contains("field 4"), qPrintable(result.problem));
        QCOMPARE(result.number, 0);
        QVERIFY(reg.totals({}).isEmpty());
        QVERIFY(!QFile::exists(pdf));
        return;
    }
    QVERIFY2(result.printed, qPrintable(result.problem));
    QCOMPARE(reg.cheque(result.number)->state, ChequeState::Printed);
    QCOMPARE(PageCount(pdf), 1);
    // Every field's whole text is on the paper: nothing cut at a box's edge.
    const QString letters = LettersOf(pdf);
    for (const QString &text : {cheque.date, cheque.payee, cheque.figure, cheque.words()})
        QVERIFY2(letters.contains(Letters(text)), qPrintable(text + " not in " + letters));
}

void TestIssuer::aFileIsPrintedOnlyOnceItIsCompleteInItsPlace()
{
    const QString pdf = path("run.pdf");
    ChequeRegister reg(sqlite());
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(reg, output);
    QList<qint64> numbers;
    for (const char *payee : {"A", "B", "C"})
        numbers << issuer.issue(Make(payee, "10"), InitialLayout()).number;
    // Recorded before their pages were written; written beside the file.
    for (qint64 n : numbers) {
        QCOMPARE(reg.cheque(n)->state, ChequeState::Sent);
        QCOMPARE(reg.cheque(n)->destination, pdf);
    }
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(QDir(m_dir->path()).entryList({".run.pdf.*.part"}, QDir::Files | QDir::Hidden).size(), 1);
    QCOMPARE(issuer.printed(), 0);

    QCOMPARE(issuer.finish(), std::nullopt);
    QCOMPARE(PageCount(pdf), 3);
    for (qint64 n : numbers)
        QCOMPARE(reg.cheque(n)->state, ChequeState::Printed);
    QCOMPARE(issuer.printed(), 3);
    QCOMPARE(QDir(m_dir->path()).entryList({"*.pdf*"}, QDir::Files | QDir::Hidden), QStringList({"run.pdf"}));
}

void TestIssuer::aRunEndsAtTheFirstChequeNotPrinted()
{
    // The third page does not fit: the fourth is never tried, and the file
    // holds the two before it.
    const QString pdf = path("run.pdf");
    ChequeRegister reg(sqlite());
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(reg, output);
    QList<ChequeJob> jobs;
    for (const QString &payee : {QString("A"), QString("B"), QString(90, u'W'), QString("D")})
        jobs.append({Make(payee, "10"), InitialLayout(), 0, int(jobs.size()) + 1});
    QList<int> asked;
    const auto next = [&](const ChequeJob &job, int sent) {
        asked << job.row;
        return sent == job.row - 1;
    };
    const IssueRunResult run = IssueRun(issuer, jobs, next, {});
    QCOMPARE(asked, QList<int>({1, 2, 3}));
    QCOMPARE(run.sent, 2);
    QCOMPARE(run.last, &jobs[1]);
    QVERIFY(run.ended && run.ended->refused && run.ended->problem.contains("field 2"));
    QCOMPARE(issuer.finish(), std::nullopt);
    QCOMPARE(PageCount(pdf), 2);
    QCOMPARE(reg.totals({}).value(0).count, 2);
    QCOMPARE(run.ended->number, 0);
}

void TestIssuer::aFileThatCannotBeCompletedFailsItsCheques()
{
    // The target turns into a folder while the pages are written: the file
    // cannot take its place.
    const QString pdf = path("out.pdf");
    ChequeRegister reg(sqlite());
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(reg, output);
    const qint64 n = issuer.issue(Make("A", "10"), InitialLayout()).number;
    QVERIFY(QDir().mkdir(pdf));
    const std::optional<QString> failed = issuer.finish();
    QVERIFY(failed);
    QVERIFY2(failed->contains("out.pdf") && failed->contains("failed"), qPrintable(*failed));
    QCOMPARE(reg.cheque(n)->state, ChequeState::Failed);
    QVERIFY2(reg.cheque(n)->reason.contains("out.pdf"), qPrintable(reg.cheque(n)->reason));
    QCOMPARE(issuer.printed(), 0);
    QCOMPARE(QDir(m_dir->path()).entryList({"*.pdf*"}, QDir::Files | QDir::Hidden), QStringList());
    // A failed cheque is no reason to refuse the same cheque again.
    QCOMPARE(RecentLikeCheque(reg, Make("A", "10")), std::nullopt);
}

void TestIssuer::filesLeftUnfinishedAreSettled()
{
    // What writers that died leave: their cheques sent, and a part never
    // completed, or a file in place that was replaced since. Neither is ever
    // printed; one still being written is left to its writer, and a second
    // print to its file is refused.
    ChequeRegister reg(sqlite());
    const auto job = [&](const QString &name) {
        const QString part = path("." + name + ".1-000001.part");
        WriteDataFile(part, {"%PDF- complete or not"});
        const qint64 id = reg.beginFileJob(path(name), part);
        return std::pair{id, reg.recordSent(Make(name, "10"), path(name), 0, id).number};
    };
    const auto [never, a] = job("never.pdf");
    const auto [replaced, b] = job("replaced.pdf");
    reg.completeFileJob(replaced, *FileDigest(path(".replaced.pdf.1-000001.part")));
    QVERIFY(QFile::rename(path(".replaced.pdf.1-000001.part"), path("replaced.pdf")));
    WriteDataFile(path("replaced.pdf"), {"another file"});
    PartFile writing(path("writing.pdf"));
    QCOMPARE(writing.create(), std::nullopt);
    const qint64 c = reg.recordSent(Make("C", "10"), path("writing.pdf"), 0,
                                    reg.beginFileJob(path("writing.pdf"), writing.partPath()))
                         .number;
    QVERIFY(ErrorOf([&] { reg.beginFileJob(path("writing.pdf"), "x"); }).contains("being written by another print"));

    // Settled as the next program opens the register (a program's own jobs
    // are its to end).
    QCOMPARE(reg.settleInterruptedFiles(), 0);
    ChequeRegister next(sqlite());
    next.open();
    QVERIFY(reg.cheque(a)->state == ChequeState::Failed && reg.cheque(a)->reason.contains("never took its place"));
    QVERIFY(reg.cheque(b)->state == ChequeState::Failed && reg.cheque(b)->reason.contains("does not hold them"));
    QVERIFY(!QFile::exists(path(".never.pdf.1-000001.part")) && !QFile::exists(path("never.pdf")));
    QCOMPARE(reg.cheque(c)->state, ChequeState::Sent);
    QCOMPARE(next.settleInterruptedFiles(), 0); // nothing is settled twice
}

void TestIssuer::aFileKilledAroundItsRenameIsNeverTakenByAnotherPrint_data()
{
    QTest::addColumn<QString>("killed");
    QTest::newRow("before the rename") << "before";
    QTest::newRow("after the rename") << "after";
}

void TestIssuer::aFileKilledAroundItsRenameIsNeverTakenByAnotherPrint()
{
    // A run of 200 into run.pdf killed as its file takes its place, then 3
    // cheques printed to the same file: the 200 are printed exactly when
    // their own file took its place.
    QFETCH(QString, killed);
    const QString pdf = path("run.pdf");
    QProcess run;
    run.start(REGISTERPRINT_EXE, {"--file", sqlite().file, pdf, "200", killed});
    QVERIFY(run.waitForFinished(120000) && run.exitStatus() == QProcess::CrashExit);
    ChequeRegister reg(sqlite());
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(reg, output);
    for (const char *payee : {"A", "B", "C"})
        QVERIFY(issuer.issue(Make(payee, "10"), InitialLayout()).printed);
    QCOMPARE(issuer.finish(), std::nullopt);
    QCOMPARE(PageCount(pdf), 3);
    QMap<ChequeState, int> states;
    reg.forEach({}, [&](const RegisteredCheque &r) { return ++states[r.state] > 0; });
    QCOMPARE(states.value(ChequeState::Printed), killed == "after" ? 203 : 3);
    QCOMPARE(states.value(ChequeState::Failed), killed == "after" ? 0 : 200);
    QCOMPARE(states.size(), killed == "after" ? 1 : 2);
    QCOMPARE(QDir(m_dir->path()).entryList({"*.part"}, QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestIssuer)
#include "tst_issuer.moc"
