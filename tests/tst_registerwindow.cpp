// SPDX-License-Identifier: GPL-3.0-or-later
// The register as the windows use it: every cheque printed from the issue
// window recorded before its page, a register that cannot be used refusing
// the print with one message, the duplicate question, a preview left out,
// and the register window's filters, totals, lazy table, void and reprint.

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "controls.h"
#include "pdftext.h"
#include "programfixture.h"
#include "testdialogs.h"
#include "testfiles.h"
#include "testprinting.h"

#include "desk/registeraccess.h"
#include "gui/issue/program.h"
#include "gui/register/duewindow.h"
#include "gui/register/registermodel.h"
#include "gui/register/registerwindow.h"
#include "gui/widgets/widgets.h"
#include "register/chequeissuer.h"

class TestRegisterWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void init();
    void cleanup();
    void dueDatesChartTheCashEachMonthNeeds();

    void printsAreRecordedBeforePaper();
    void aRegisterThatCannotBeUsedPrintsNothing();
    void previewIsNotRecorded();
    void reprintTakesTheNextNumberAndSpoilsTheOriginal();
    void filtersTotalsAndVoid();
    void aLargeRegisterFetchesPageByPage();
    void connectionEncryptionIsKept();

private:
    void start();
    void fill(const QString &name, const QString &amount, int count = 0);
    QList<RegisteredCheque> all();
    RegisterWindow *window();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDialogs> m_dialogs;
    std::unique_ptr<TestPrinting> m_printing;
    std::unique_ptr<ChequeProgram> m_program;
};

void TestRegisterWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<TestDialogs>();
    m_printing = std::make_unique<TestPrinting>(m_dir->path());
}

void TestRegisterWindow::cleanup()
{
    m_program.reset();
    m_printing.reset();
    m_dialogs.reset();
    m_dir.reset();
}

void TestRegisterWindow::start() { QVERIFY(StartProgram(m_program, m_dir->path())); }

void TestRegisterWindow::fill(const QString &name, const QString &amount, int count)
{
    FillIssueWindow(m_program->NewChequeForm, "3/7/26", name, amount, count);
}

QList<RegisteredCheque> TestRegisterWindow::all()
{
    const RegisterAccess::Opened opened = m_program->NewChequeForm.chequeRegister()->open();
    if (!opened.reg)
        qFatal("%s", qPrintable(opened.problem));
    ChequeRegister *reg = opened.reg;
    QList<RegisteredCheque> rows;
    reg->forEach({{}, RegisterOrder::Number, false}, [&](const RegisteredCheque &c) {
        rows << c;
        return true;
    });
    return rows;
}

RegisterWindow *TestRegisterWindow::window()
{
    m_program->NewChequeForm.showRegister();
    return m_program->NewChequeForm.registerWindow();
}

void TestRegisterWindow::printsAreRecordedBeforePaper()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    w.chequeRegister()->open().reg->setNextChequeNumber("SIB", 500101); // a new cheque book
    fill("Dorvan Eskel", "5000");
    w.PrintBtnClick();
    // A run of the same cheque asks once whether to print it again.
    fill("Dorvan Eskel", "5000", 3);
    m_dialogs->yesNoAnswers << true;
    w.PrintBtnClick();
    QCOMPARE(m_dialogs->questions.size(), 1);
    QVERIFY2(m_dialogs->questions[0].contains("500101") && m_dialogs->questions[0].contains("Dorvan Eskel"),
             qPrintable(m_dialogs->questions[0]));
    QCOMPARE(m_dialogs->questionDefaults[0], Dialogs::Default::No);
    QCOMPARE(m_printing->jobs.size(), 4);
    const QList<RegisteredCheque> rows = all();
    QCOMPARE(rows.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(rows[i].state, ChequeState::Printed);
        QCOMPARE(rows[i].chequeNumber, 500101 + i);
        QCOMPARE(rows[i].bank, QStringLiteral("SIB"));
        QCOMPARE(rows[i].minorUnits, 500000);
        QVERIFY(!rows[i].destination.isEmpty());
        // What was printed is what was recorded.
        QVERIFY(TextsOf(m_printing->jobs[i]).join(' ').contains(rows[i].english.simplified()));
    }
    QCOMPARE(rows[3].date, QStringLiteral("5/7/26")); // the run's third month
    // Answering No prints nothing more.
    fill("Dorvan Eskel", "5000");
    w.PrintBtnClick();
    QCOMPARE(m_printing->jobs.size(), 4);
    QCOMPARE(m_printing->setups, 2); // no print dialog after No
    QCOMPARE(all().size(), 4);
}

void TestRegisterWindow::aRegisterThatCannotBeUsedPrintsNothing()
{
    const QByteArray junk("Bank,Payee,Amount\r\nSIB,A,5\r\n");
    QFile file(m_dir->filePath("register.sqlite"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(junk) == junk.size());
    file.close();
    start();
    fill("Dorvan Eskel", "5000", 3);
    m_program->NewChequeForm.PrintBtnClick();
    QCOMPARE(m_printing->jobs.size(), 0);
    QCOMPARE(m_dialogs->messages.size(), 1); // once for the run
    QVERIFY2(m_dialogs->messages[0].contains("register.sqlite") && m_dialogs->messages[0].contains("not printed"),
             qPrintable(m_dialogs->messages[0]));
    QCOMPARE(ReadBytes(m_dir->filePath("register.sqlite")), junk);
}

void TestRegisterWindow::previewIsNotRecorded()
{
    start();
    Find<QCheckBox>(&m_program->ChequeForm, "previewChk")->setChecked(true);
    fill("Dorvan Eskel", "5000");
    m_program->NewChequeForm.PrintBtnClick();
    QCOMPARE(m_printing->previews, 1);
    QVERIFY(all().isEmpty());
}

void TestRegisterWindow::reprintTakesTheNextNumberAndSpoilsTheOriginal()
{
    start();
    fill("محمد أحمد", "1250.5");
    m_program->NewChequeForm.PrintBtnClick();
    RegisterWindow *r = window();
    QVERIFY(r);
    r->selectRow(0);
    // A register file has one user: nothing to approve.
    for (const char *approval : {"ApproveBtn", "RejectBtn", "PrintApprovedBtn"})
        QVERIFY(Find<QPushButton>(r, approval)->isHidden());
    m_dialogs->yesNoAnswers << true;
    Find<QPushButton>(r, "ReprintBtn")->click();
    QCOMPARE(m_printing->jobs.size(), 2);
    const QList<RegisteredCheque> rows = all();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].replaces, rows[0].number);
    QCOMPARE(rows[1].chequeNumber, rows[0].chequeNumber + 1);
    QCOMPARE(rows[1].state, ChequeState::Printed);
    QCOMPARE(rows[0].state, ChequeState::Spoilt);
    QCOMPARE(rows[0].reason, QStringLiteral("replaced by cheque %1").arg(rows[1].chequeNumber));
    // The same cheque on paper: date, payee, figure and words.
    QCOMPARE(TextsOf(m_printing->jobs[1]), TextsOf(m_printing->jobs[0]));
    QCOMPARE(rows[1].arabic, rows[0].arabic);
    // The reprint cleared by the bank, on the date the bank gives.
    r->refresh();
    r->selectRow(0);
    m_dialogs->textAnswers << QString("1/15/27");
    Find<QMenu>(r, "LifeMenu")->actions().at(1)->trigger();
    QCOMPARE(all()[1].state, ChequeState::Cleared);
    QCOMPARE(all()[1].stateDay, QDate(2027, 1, 15));
}

void TestRegisterWindow::filtersTotalsAndVoid()
{
    start();
    const QStringList payees{"محمد أحمد", "Dorvan Eskel", "مُحَمَّد علي", "MOHAMED Ali"};
    for (int i = 0; i < payees.size(); ++i) {
        fill(payees[i], QString::number(1000 * (i + 1)));
        m_program->NewChequeForm.PrintBtnClick();
    }
    RegisterWindow *r = window();
    auto *table = Find<QTableView>(r, "Table");
    QCOMPARE(table->model()->rowCount(), 4);
    QCOMPARE(Find<QLabel>(r, "TotalsLB")->text(), QStringLiteral("4 cheques: 10,000.00 Dhs"));
    Find<QLineEdit>(r, "PayeeEd")->setText("محمد"); // finds the one with vowel marks too
    r->refresh();
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(Find<QLabel>(r, "TotalsLB")->text(), QStringLiteral("2 cheques: 4,000.00 Dhs"));
    Find<QLineEdit>(r, "PayeeEd")->setText("mohamed");
    Find<QLineEdit>(r, "MinEd")->setText("3,500");
    r->refresh();
    QCOMPARE(table->model()->rowCount(), 1);
    // Voided with a reason, it stays in the register, marked.
    r->selectRow(0);
    m_dialogs->textAnswers << QString("paid by transfer");
    Find<QPushButton>(r, "VoidBtn")->click();
    const RegisteredCheque voided = all()[3];
    QCOMPARE(voided.state, ChequeState::Voided);
    QCOMPARE(voided.reason, QStringLiteral("paid by transfer"));
    QCOMPARE(table->model()->rowCount(), 1);
    // Its history: sent, printed, voided, each with who and why.
    m_dialogs->messages.clear();
    r->selectRow(0);
    Find<QPushButton>(r, "HistoryBtn")->click();
    QCOMPARE(m_dialogs->messages.size(), 1);
    const QStringList history = m_dialogs->messages[0].split(u'\n').mid(2);
    QCOMPARE(history.size(), 3);
    QVERIFY2(history[0].contains(": sent (") && history[1].contains(": printed")
                 && history[2].endsWith(": voided (paid by transfer)"),
             qPrintable(history.join(u'\n')));
    // An amount that is not one is said, not taken as no limit.
    Find<QLineEdit>(r, "MinEd")->setText("abc");
    r->refresh();
    QVERIFY(!Find<QLabel>(r, "StatusLB")->text().isEmpty());
    // What is shown, exported.
    Find<QLineEdit>(r, "MinEd")->clear();
    Find<QLineEdit>(r, "PayeeEd")->clear();
    r->refresh();
    const QString csv = m_dir->filePath("shown.csv");
    m_dialogs->fileAnswers << csv;
    Find<QPushButton>(r, "ExportBtn")->click();
    const QByteArray bytes = ReadBytes(csv);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBFRegister No.,"));
    QCOMPARE(bytes.count("\r\n"), 5);
    QVERIFY(QString::fromUtf8(bytes).contains(",مُحَمَّد علي,"));
}

void TestRegisterWindow::aLargeRegisterFetchesPageByPage()
{
    start();
    // A register larger than a page, written directly.
    ChequeRegister *reg = m_program->NewChequeForm.chequeRegister()->open().reg;
    const ChequeOrProblem made = MakeCheque("SIB", "1/31/26", "A", "5", false, UaeMoney(), "#", false);
    for (int i = 0; i < 3 * RegisterModel::PageSize; ++i)
        reg->recordSent(*made.cheque, "p");
    RegisterWindow *r = window();
    auto *table = Find<QTableView>(r, "Table");
    QCOMPARE(table->model()->rowCount(), RegisterModel::PageSize);
    table->scrollToBottom();
    QCoreApplication::processEvents();
    QVERIFY(table->model()->rowCount() > RegisterModel::PageSize);
    // Sorted by the view, newest first by default: the first row is the last recorded.
    QCOMPARE(table->model()->index(0, RegisterModel::Number).data().toLongLong(), 3 * RegisterModel::PageSize);
    QCOMPARE(Find<QLabel>(r, "TotalsLB")->text(), QStringLiteral("768 cheques: 3,840.00 Dhs"));
}

void TestRegisterWindow::connectionEncryptionIsKept()
{
    // As chosen in the dialog, kept in the settings, read back the same.
    RegisterConnection c;
    c.driver = QStringLiteral("QPSQL");
    c.host = QStringLiteral("ledger.office");
    c.database = QStringLiteral("cheques");
    c.user = QStringLiteral("clerk");
    c.encryption = RegisterConnection::Encryption::Verified;
    c.caFile = m_dir->filePath("office-ca.crt");
    ConnectionDialog dialog(c);
    QVERIFY(Find<QLineEdit>(&dialog, "CaEd")->isEnabled());
    Find<QComboBox>(&dialog, "EncryptionCB")->setCurrentIndex(0);
    QVERIFY(!Find<QLineEdit>(&dialog, "CaEd")->isEnabled());
    QCOMPARE(dialog.connection().encryption, RegisterConnection::Encryption::Required);
    Find<QComboBox>(&dialog, "EncryptionCB")->setCurrentIndex(1);
    QSettings settings(m_dir->filePath("settings.ini"), QSettings::IniFormat);
    SaveConnection(settings, dialog.connection());
    const RegisterConnection kept = ConnectionFromSettings(settings, m_dir->path());
    QCOMPARE(kept.encryption, RegisterConnection::Encryption::Verified);
    QCOMPARE(kept.caFile, c.caFile);
    QCOMPARE(kept.host, c.host);
    // A new server connection is encrypted.
    QCOMPARE(RegisterConnection().encryption, RegisterConnection::Encryption::Required);
}

void TestRegisterWindow::dueDatesChartTheCashEachMonthNeeds()
{
    start();
    // Two cheques dated next month; the chart's bar for that month carries
    // their sum, the others nothing.
    const QString next = QLocale("en_US").toString(QDate::currentDate().addMonths(1), "M/d/yy");
    for (const char *amount : {"1500", "2500.25"}) {
        FillIssueWindow(m_program->NewChequeForm, next, "Dorvan Eskel", amount, 0);
        m_program->NewChequeForm.PrintBtnClick();
    }
    RegisterWindow *r = window();
    Find<QPushButton>(r, "DueBtn")->click();
    DueWindow *due = r->dueWindow();
    QVERIFY(due && due->isVisible());
    const auto *series = qobject_cast<QStackedBarSeries *>(due->chart()->series().value(0));
    QVERIFY(series && series->count() == 1);
    QList<qreal> values;
    for (int i = 0; i < series->barSets().first()->count(); ++i)
        values << series->barSets().first()->at(i);
    QList<qreal> expected(DueMonths, 0.0);
    expected[1] = 4000.25;
    QCOMPARE(values, expected);
    QCOMPARE(qobject_cast<QBarCategoryAxis *>(due->chart()->axes(Qt::Horizontal).value(0))->at(0),
             QLocale().toString(QDate::currentDate(), "MMM yy"));
    // Saved whole: every month of the table and every column, whatever the
    // window shows.
    ChequeRegister *reg = m_program->NewChequeForm.chequeRegister()->open().reg;
    for (int i = 0; i < DueMonths; ++i) {
        const QString date = QLocale("en_US").toString(QDate::currentDate().addMonths(i), "M/d/yy");
        reg->recordSent(*MakeCheque(i % 2 ? "SIB" : "ADCB", date, "A", "5", false, UaeMoney(), "#", false).cheque, "p");
    }
    due->refresh();
    due->resize(600, 400);
    const QString pdf = m_dir->filePath("due.pdf");
    m_dialogs->fileAnswers << pdf;
    due->saveAsPdf();
    const QString text = TextsOf(pdf).join(' ');
    for (int i = 0; i < DueMonths; ++i)
        QVERIFY2(text.contains(QLocale().toString(QDate::currentDate().addMonths(i), "MMMM yyyy")), qPrintable(text));
    QVERIFY2(text.contains("SIB (Dhs)") && text.contains("ADCB (Dhs)"), qPrintable(text));
}

QTEST_MAIN(TestRegisterWindow)
#include "tst_registerwindow.moc"
