// The interface in Arabic: every window's texts translated and none cut,
// the captions right of their boxes, Qt's own dialogs in Arabic, and what
// goes into files and onto cheques the same as in English.

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "controls.h"
#include "fits.h"
#include "pdftext.h"
#include "programfixture.h"
#include "testdialogs.h"
#include "testfiles.h"
#include "testprinting.h"
#include "whenmodal.h"

#include "app/language.h"
#include "batch/chequelist.h"
#include "desk/registeraccess.h"
#include "gui/issue/program.h"
#include "gui/list/batchwindow.h"
#include "gui/register/duewindow.h"
#include "gui/register/registerwindow.h"
#include "gui/widgets/widgets.h"
#include "register/chequestates.h"
#include "register/registercolumns.h"
#include "register/registerexport.h"
#include "register/registerreport.h"

class TestArabicUi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captionsStandRightOfTheirBoxes();
    void chequesAndFilesDoNotChangeWithTheLanguage();
    void everyWindowReadsInArabic_data();
    void everyWindowReadsInArabic();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDialogs> m_dialogs;
    std::unique_ptr<TestPrinting> m_printing;
    std::unique_ptr<ChequeProgram> m_program;
};

void TestArabicUi::initTestCase()
{
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    QTemporaryDir settings;
    InstallTranslations(*qApp, settings.path(), QStringLiteral("ar"));
    QCOMPARE(QApplication::layoutDirection(), Qt::RightToLeft);
}

void TestArabicUi::init()
{
    // The desktop's formats: a test's data tag names them, or en_US; a tag
    // that says so is the English interface, every other the Arabic.
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const QString desktop = tag.section(u',', 0, 0);
    QLocale::setDefault(QLocale(desktop.isEmpty() ? QStringLiteral("en_US") : desktop));
    const bool english = tag.contains("English interface");
    for (QTranslator *translator : qApp->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(translator);
    if (!english) {
        QTemporaryDir settings;
        InstallTranslations(*qApp, settings.path(), QStringLiteral("ar"));
    }
    QApplication::setLayoutDirection(english ? Qt::LeftToRight : Qt::RightToLeft);
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<TestDialogs>();
    m_printing = std::make_unique<TestPrinting>(m_dir->path());
    QVERIFY(StartProgram(m_program, m_dir->path()));
}

void TestArabicUi::cleanup()
{
    m_program.reset();
    m_printing.reset();
    m_dialogs.reset();
    m_dir.reset();
}

void TestArabicUi::captionsStandRightOfTheirBoxes()
{
    TNewChequeForm &w = m_program->NewChequeForm;
    const QList<QPair<QString, QString>> pairs{
        {"البنك", "BankNameCB"}, {"التاريخ", "DateEd"}, {"المستفيد", "NameED"}, {"المبلغ", "AmountED"}};
    for (const auto &[caption, box] : pairs) {
        QLabel *label = nullptr;
        for (QLabel *l : w.findChildren<QLabel *>())
            if (l->text() == caption)
                label = l;
        QVERIFY2(label, qPrintable(caption));
        QWidget *control = Find<QWidget>(&w, box);
        const QRect l = QRect(label->mapTo(&w, QPoint()), label->size());
        const QRect c = QRect(control->mapTo(&w, QPoint()), control->size());
        QVERIFY2(l.left() >= c.right(),
                 qPrintable(QStringLiteral("%1 at %2, its box at %3").arg(caption).arg(l.left()).arg(c.right())));
        QVERIFY(l.right() < w.width());
    }
    if (!qEnvironmentVariableIsEmpty("CHEQUE_SCREENSHOT"))
        w.grab().save(qEnvironmentVariable("CHEQUE_SCREENSHOT"));
    QCOMPARE(Find<QPushButton>(&w, "PrintBtn")->text(), QStringLiteral("طباعة"));
}

void TestArabicUi::chequesAndFilesDoNotChangeWithTheLanguage()
{
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<QLineEdit>(&w, "DateEd")->setText("3/7/26");
    Find<QLineEdit>(&w, "NameED")->setText("Dorvan Eskel");
    Find<QLineEdit>(&w, "AmountED")->setText("5000");
    Find<QCheckBox>(&w, "AccOnly")->setChecked(true);
    w.PrintBtnClick();
    QCOMPARE(m_printing->jobs.size(), 1);
    const QStringList texts = TextsOf(m_printing->jobs[0]);
    QVERIFY2(texts.contains("Account") && texts.contains("Only") && texts.contains("Thousand,"),
             qPrintable(texts.join(' ')));
    // The register's report is the interface's: Arabic, from the right.
    const QString report = m_dir->filePath("report.pdf");
    SaveRegisterReport(report, "r", *w.chequeRegister()->open().reg, {}, QLocale("ar_AE"));
    const QString letters = LettersOf(report);
    for (const QString &text : {QStringLiteral("سجلالشيكات"), StateText(ChequeState::Printed), QStringLiteral("درهم")})
        QVERIFY2(letters.contains(text), qPrintable(letters));
    QVERIFY(!letters.contains("Dhs"));
    // The workbook export too.
    const QString workbook = m_dir->filePath("export.xlsx");
    QCOMPARE(ExportRegister(*w.chequeRegister()->open().reg, {}, ExportFormat::Workbook, workbook), 1);
    const ListFile sheet = ReadListFile(workbook);
    QVERIFY(sheet.rows.size() == 2 && sheet.rows[0].contains(ListCell::ofText("الحالة"))
            && sheet.rows[1].contains(ListCell::ofText(StateText(ChequeState::Printed)))
            && sheet.rows[1].contains(ListCell::ofText("درهم")));
    // A CSV file keeps English headers unless asked for the interface's.
    const QString csv = m_dir->filePath("export.csv");
    for (const auto format : {ExportFormat::Csv, ExportFormat::CsvInterfaceHeaders}) {
        QCOMPARE(ExportRegister(*w.chequeRegister()->open().reg, {}, format, csv), 1);
        const QString header = QString::fromUtf8(ReadBytes(csv).split('\r').first());
        QCOMPARE(header.contains("الحالة"), format == ExportFormat::CsvInterfaceHeaders);
        QCOMPARE(header.contains("State"), format == ExportFormat::Csv);
    }
    // A reason the program wrote itself, shown in the interface's language.
    QCOMPARE(ReasonShown("replaced by cheque 23"), QStringLiteral("استُبدل بالشيك ⁨23⁩"));
    // The register number, the first column, at the right of the page.
    const QList<Word> words = WordsOf(report);
    const auto payee = std::find_if(words.begin(), words.end(), [](const Word &w) { return w.text == "Dorvan"; });
    const auto number = std::find_if(words.begin(), words.end(), [&](const Word &w) {
        return w.text == "1" && payee != words.end() && std::abs(w.yMin - payee->yMin) < 1;
    });
    QVERIFY(payee != words.end() && number != words.end() && number->xMin > payee->xMax);
    QVERIFY(w.close() || true);
    QVERIFY(ReadBytes(m_dir->filePath("banks.txt")) == QByteArray("SIB\r\n")
            || !QFile::exists(m_dir->filePath("banks.txt")));
}

void TestArabicUi::everyWindowReadsInArabic_data()
{
    // On an American desktop and on one of the Emirates, whose dates and
    // times hold direction marks.
    QTest::addColumn<QString>("desktop");
    QTest::newRow("en_US") << QStringLiteral("en_US");
    QTest::newRow("ar_AE") << QStringLiteral("ar_AE");
    QTest::newRow("en_US, English interface") << QStringLiteral("en_US");
}

void TestArabicUi::everyWindowReadsInArabic()
{
    // Every window and dialog the program opens, in Arabic: no text left in
    // English (bank names, file names and the names of formats aside), none
    // cut; in English, none cut either; one picture of each kept for a
    // person to look at.
    const bool english = QString::fromLatin1(QTest::currentDataTag()).contains("English interface");
    const QString pictures = qEnvironmentVariable("CHEQUE_SCREENSHOTS", QDir::currentPath() + "/screenshots");
    QDir().mkpath(pictures);
    const QStringList allowed{
        "SIB",          "PDF",        "CSV",     "Excel",  "xlsx", "csv",         "txt",
        "pdf",          "PostgreSQL", ".pgpass", "sqlite", "GNU",  m_dir->path(), QDir::currentPath(),
        "Dorvan Eskel", "Noor"};
    QStringList problems;
    const auto look = [&](QWidget *window, const QString &name, const QStringList &also = {}) {
        QVERIFY(window);
        if (!window->isVisible())
            window->show();
        QCoreApplication::processEvents();
        window->grab().save(
            QStringLiteral("%1/%2-%3.png").arg(pictures, name, QString::fromLatin1(QTest::currentDataTag())));
        if (!english)
            for (const QString &text : LatinTexts(window, also + allowed, window->inherits("QFileDialog")))
                problems << name + ": in English: " + text;
        // (The English captions of the windows laid out at true size may be
        // made smaller to fit: whole all the same.)
        for (const QString &text : CutTexts(window, !english))
            problems << name + ": " + text;
        for (const QString &text : UnorderedTexts(window))
            problems << name + ": out of order: " + text;
        for (QMenuBar *bar : english ? QList<QMenuBar *>() : window->findChildren<QMenuBar *>())
            for (QAction *menu : bar->actions())
                if (menu->text().contains(u'&'))
                    problems << name + ": a mnemonic, underlined like a kasra: " + menu->text();
    };
    TNewChequeForm &w = m_program->NewChequeForm;
    // Two cheques in the register, one of them voided.
    for (const char *payee : {"Dorvan Eskel", "محمد أحمد"}) {
        Find<QLineEdit>(&w, "DateEd")->setText("12/7/26");
        Find<QLineEdit>(&w, "NameED")->setText(QString::fromUtf8(payee));
        Find<QLineEdit>(&w, "AmountED")->setText("1250.5");
        w.PrintBtnClick();
    }
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(1);
    w.ManyRGClick();
    // The language menu names each language in itself; the English words
    // line is in English.
    look(&w, "main-window", {"English", Find<QLabel>(&w, "EAmountLB")->text()});
    TChequeForm &d = m_program->ChequeForm;
    d.show();
    d.ChangeBtnClick();
    look(&d, "designer");
    look(&m_program->MoneyForm, "money");
    w.showRegister();
    look(w.registerWindow(), "register");
    w.registerWindow()->showDueDates();
    look(w.registerWindow()->dueWindow(), "due-dates");
    QFile list(m_dir->filePath("list.csv"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("Date,Payee,Amount\n12/7/26,Dorvan Eskel,5000\n12/8/26,Noor,12O\n");
    list.close();
    m_dialogs->fileAnswers << list.fileName();
    w.showBatch();
    look(w.batchWindow(), "list", {list.fileName()});
    ConnectionDialog connection(RegisterConnection(), &w);
    look(&connection, "connection");
    ChequeNumbersDialog numbers(*w.chequeRegister()->open().reg, *w.chequeRegister(), {"SIB"}, &w);
    look(&numbers, "cheque-numbers");

    // The program's own dialogs and Qt's, as they are really shown.
    m_dialogs.reset();
    const auto modal = [&](const QString &name, const std::function<void()> &open, const QStringList &also = {}) {
        bool shown = false;
        const QPointer<QTimer> waiting = WhenModal<QDialog>([&, name](QDialog *dialog) {
            shown = true;
            if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
                // The folder is read in the background.
                files->setDirectory(m_dir->path());
                auto *view = files->findChild<QAbstractItemView *>(QStringLiteral("treeView"));
                QVERIFY(view && QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) > 0; }));
            }
            look(dialog, name, also);
            dialog->reject();
        });
        open();
        if (!shown) {
            problems << name + ": not shown";
            delete waiting.data();
        }
    };
    modal("printer-offsets", [&] { d.editPrinterOffsets(); });
    modal("about", [&] { w.showAbout(); });
    w.registerWindow()->selectRow(0);
    modal("void-question", [&] { Find<QPushButton>(w.registerWindow(), "VoidBtn")->click(); });
    modal("reprint-question", [&] { Find<QPushButton>(w.registerWindow(), "ReprintBtn")->click(); });
    modal("reconcile-without-bank", [&] { w.registerWindow()->reconcile(); });
    modal("schedule", [&] { w.batchWindow()->makeSchedule(); });
    // The file dialogs show the data folder: its files' names are allowed,
    // the desktop's marks of the time of day, and the home folder's name.
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)
        + QStringList{QLocale().amText(), QLocale().pmText(), QDir::home().dirName()};
    modal(
        "open-list", [&] { w.batchWindow()->openFile(); }, files);
    modal(
        "save-export", [&] { w.registerWindow()->exportShown(); }, files);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    if (english)
        return;
    QCOMPARE(w.windowTitle(), QStringLiteral("طباعة شيك"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("إلغاء")); // not Qt's "ألغِ"
}

QTEST_MAIN(TestArabicUi)
#include "tst_arabicui.moc"
