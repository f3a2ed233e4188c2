// SPDX-License-Identifier: GPL-3.0-or-later
// The data files on a real full file system: a small tmpfs mounted for the
// test (root only; skipped otherwise) and filled to the last byte.

#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include "errorof.h"
#include "layouttest.h"
#include "testdialogs.h"
#include "testfiles.h"

#include "core/datafile.h"
#include "currency/moneyfile.h"
#include "gui/issue/program.h"
#include "layout/bankbook.h"
#include "output/pageoutput.h"
#include "register/chequeissuer.h"

namespace {

constexpr const char *kNoSpace = "No space left on device";

QStringList Banks(int n)
{
    QStringList banks;
    for (int i = 0; i < n; ++i)
        banks << QStringLiteral("بنك رقم %1").arg(i + 1);
    return banks;
}

QStringList Lines(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << OptionLine(Shifted(i));
    return lines;
}

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void everyDataFileKeepsItsOldContents();
    void aRunOfSavesNeverLeavesAShortFile();
    void startUpKeepsMoneyTxt();
    void closeWithFortyBanksKeepsBothFiles();
    void aPdfOnAFullDiskIsNeverPrinted();
    void whatIsSaidOfTheRegisterIsWhatItHolds();

private:
    /// Fills the file system, leaving `spare` bytes at most.
    void fill(qint64 spare = 0);
    void write(const char *name, const QStringList &lines) { WriteDataFile(path(name), lines); }
    QString path(const char *name) const { return m_data + u'/' + QString::fromLatin1(name); }
    QStringList dataFolder() const { return QDir(m_data).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
    QString m_data;
};

void TestFullDisk::initTestCase()
{
    if (::geteuid() != 0)
        QSKIP("mounting a small file system to fill needs root");
    QVERIFY(m_mountPoint.isValid());
    QProcess mount;
    mount.start("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", m_mountPoint.path()});
    if (!mount.waitForFinished(10000) || mount.exitCode() != 0)
        QSKIP(qPrintable("tmpfs cannot be mounted here: " + QString::fromLocal8Bit(mount.readAllStandardError())));
    m_mounted = true;
}

void TestFullDisk::cleanupTestCase()
{
    if (m_mounted)
        QProcess::execute("umount", {m_mountPoint.path()});
}

void TestFullDisk::init()
{
    m_data = m_mountPoint.filePath("data");
    QVERIFY(QDir().mkpath(m_data));
}

void TestFullDisk::cleanup()
{
    QDir(m_data).removeRecursively();
    QFile::remove(m_mountPoint.filePath("filler"));
}

void TestFullDisk::fill(qint64 spare)
{
    QFile filler(m_mountPoint.filePath("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray page(4096, 'x');
    while (filler.write(page) == page.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
    if (spare > 0)
        QVERIFY(filler.resize(filler.size() - spare));
}

void TestFullDisk::everyDataFileKeepsItsOldContents()
{
    WriteMoneyFile(path("money.txt"), SyrMoney());
    write("banks.txt", Banks(40));
    write("options.txt", Lines(40));
    const QByteArray money = ReadBytes(path("money.txt"));
    const QByteArray banks = ReadBytes(path("banks.txt"));
    const QByteArray options = ReadBytes(path("options.txt"));
    QVERIFY(options.size() > 4096);
    fill();

    QString error = ErrorOf([&] { WriteMoneyFile(path("money.txt"), UaeMoney()); });
    QVERIFY2(error.contains(kNoSpace) && error.contains(path("money.txt")), qPrintable(error));
    error = ErrorOf([&] { WriteBankFiles(path("banks.txt"), Banks(41), path("options.txt"), Lines(41)); });
    QVERIFY2(error.contains(kNoSpace) && error.contains("banks.txt"), qPrintable(error));

    QCOMPARE(ReadBytes(path("money.txt")), money);
    QCOMPARE(ReadBytes(path("banks.txt")), banks);
    QCOMPARE(ReadBytes(path("options.txt")), options);
    QCOMPARE(dataFolder(), (QStringList{"banks.txt", "money.txt", "options.txt"}));
}

void TestFullDisk::aRunOfSavesNeverLeavesAShortFile()
{
    // Ever larger files into a little room: each save is whole or refused.
    fill(24 * 1024);
    QByteArray last = "<missing>";
    int refused = 0;
    for (int n = 1; n <= 120; n += 7) {
        const QString error = ErrorOf([&] { write("options.txt", Lines(n)); });
        if (error.isEmpty()) {
            last = EncodeDataLines(Lines(n), "options.txt");
        } else {
            QVERIFY2(error.contains(kNoSpace), qPrintable(error));
            ++refused;
        }
        QCOMPARE(ReadBytes(path("options.txt")), last);
    }
    QVERIFY(refused > 0);
    QVERIFY(last != "<missing>");
}

void TestFullDisk::startUpKeepsMoneyTxt()
{
    WriteMoneyFile(path("money.txt"), SyrMoney());
    const QByteArray money = ReadBytes(path("money.txt"));
    fill();
    TestDialogs dialogs;
    {
        ChequeProgram program;
        program.NewChequeForm.setExeName(path("cheque-printer"));
        program.NewChequeForm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.NewChequeForm));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].contains(kNoSpace) && dialogs.messages[0].contains("money.txt"),
                 qPrintable(dialogs.messages[0]));
        QCOMPARE(program.MonyRec.value(), SyrMoney());
        program.NewChequeForm.close();
    }
    QCOMPARE(ReadBytes(path("money.txt")), money);
}

void TestFullDisk::closeWithFortyBanksKeepsBothFiles()
{
    write("banks.txt", Banks(40));
    write("options.txt", Lines(40));
    WriteMoneyFile(path("money.txt"), UaeMoney());
    const QByteArray banks = ReadBytes(path("banks.txt"));
    const QByteArray options = ReadBytes(path("options.txt"));
    TestDialogs dialogs;
    ChequeProgram program;
    program.NewChequeForm.setExeName(path("cheque-printer"));
    program.NewChequeForm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&program.NewChequeForm));
    dialogs.textAnswers.enqueue(QStringLiteral("FAB"));
    program.ChequeForm.NewBtnClick();
    fill();
    dialogs.yesNoAnswers.enqueue(true);  // try again: still full
    dialogs.yesNoAnswers.enqueue(false); // close without saving
    QVERIFY(program.NewChequeForm.FormClose());
    QCOMPARE(dialogs.questions.size(), 3); // the bank's name, then "Try again?" twice
    QVERIFY2(dialogs.questions[1].contains(kNoSpace) && dialogs.questions[1].contains("banks.txt"),
             qPrintable(dialogs.questions[1]));
    QCOMPARE(ReadBytes(path("banks.txt")), banks);
    QCOMPARE(ReadBytes(path("options.txt")), options);
    QCOMPARE(dataFolder(), (QStringList{"banks.txt", "money.txt", "options.txt"}));
}

void TestFullDisk::aPdfOnAFullDiskIsNeverPrinted()
{
    // The register elsewhere; the PDF file of a run into a little room.
    QTemporaryDir elsewhere;
    RegisterConnection c;
    c.file = elsewhere.filePath("register.sqlite");
    ChequeRegister reg(c);
    fill(48 * 1024);
    const QString pdf = path("run.pdf");
    PdfFileOutput output(pdf);
    ChequeIssuer issuer(reg, output);
    QString problem;
    for (int i = 0; i < 200 && problem.isEmpty(); ++i) {
        const ChequeOrProblem made = MakeCheque("SIB", "1/31/26", QStringLiteral("Payee %1").arg(i), "5000", false,
                                                UaeMoney(), "#", false, QLocale("en_US"));
        const IssueResult result = issuer.issue(*made.cheque, InitialLayout());
        if (!result.printed)
            problem = result.problem;
    }
    if (problem.isEmpty())
        problem = issuer.finish().value_or(QString());
    QVERIFY2(problem.contains(kNoSpace) && problem.contains("run.pdf"), qPrintable(problem));
    QCOMPARE(issuer.printed(), 0);
    QCOMPARE(dataFolder(), QStringList()); // no file, and no part of one
    QVERIFY(reg.totals({}).isEmpty());     // nothing stands as printed or sent
    reg.forEach({}, [&](const RegisteredCheque &cheque) {
        [&] {
            QCOMPARE(cheque.state, ChequeState::Failed);
            QVERIFY2(cheque.reason.contains(kNoSpace), qPrintable(cheque.reason));
        }();
        return true;
    });
}

void TestFullDisk::whatIsSaidOfTheRegisterIsWhatItHolds()
{
    // The register and the PDF file of a run in one folder that fills up,
    // with more or less room left: the message says of the run's cheques
    // what the register holds of them afterwards.
    for (const qint64 spare : {4 * 1024, 16 * 1024, 40 * 1024, 80 * 1024}) {
        RegisterConnection c;
        c.file = path("register.sqlite");
        int sent = 0;
        QString problem;
        {
            ChequeRegister reg(c);
            reg.open();
            fill(spare);
            PdfFileOutput output(path("run.pdf"));
            ChequeIssuer issuer(reg, output);
            for (int i = 0; i < 400 && problem.isEmpty(); ++i) {
                const auto made = MakeCheque("SIB", "1/31/26", QString::number(i), "5", false, UaeMoney(), "#", false);
                const IssueResult result = issuer.issue(*made.cheque, InitialLayout());
                sent += result.printed ? 1 : 0;
                problem = result.problem.isEmpty() && i == 399 ? issuer.finish().value_or("") : result.problem;
            }
        }
        QFile::remove(m_mountPoint.filePath("filler"));
        // What the file holds as the run left it: read as it stands (a
        // register opened again would first settle the run's file job).
        QMap<ChequeState, int> held;
        {
            QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "held");
            d.setDatabaseName(c.file);
            d.setConnectOptions("QSQLITE_OPEN_READONLY");
            QVERIFY2(d.open(), qPrintable(d.lastError().text()));
            QSqlQuery q(d);
            QVERIFY2(q.exec("SELECT state FROM cheques"), qPrintable(q.lastError().text()));
            while (q.next())
                ++held[*StateFromName(q.value(0).toString())];
        }
        QSqlDatabase::removeDatabase("held");
        const bool allFailed = held.value(ChequeState::Failed) >= sent && held.size() == 1;
        QVERIFY2(!problem.contains("shows them as failed") || allFailed, qPrintable(problem));
        QVERIFY2(!problem.contains("holds none of them") || held.isEmpty(), qPrintable(problem));
        QVERIFY2(!problem.contains("could not be told") || !held.contains(ChequeState::Failed), qPrintable(problem));
        QVERIFY(!held.contains(ChequeState::Printed));
        cleanup();
        init();
    }
}

QTEST_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
