// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include "controls.h"
#include "fits.h"
#include "layouttest.h"
#include "pdftext.h"
#include "programfixture.h"
#include "testdialogs.h"
#include "testfiles.h"
#include "testprinting.h"
#include "whenmodal.h"

#include "batch/chequebatch.h"
#include "core/datafile.h"
#include "currency/moneyfile.h"
#include "gui/issue/program.h"
#include "gui/widgets/webpanel.h"
#include "gui/widgets/widgets.h"
#include "output/printrun.h"

namespace {

QByteArray Lines(const QStringList &lines) { return EncodeDataLines(lines, QStringLiteral("expected")); }

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstRunInAnEmptyDirectory();
    void threeBanksComeBackUnchanged();
    void banksWithoutOptionsTakeTheInitialLayout();
    void optionsWithoutBanksAreReplaced();
    void unreadableBankFileIsKept();
    void unreadableBankFileReplacedWhenTheUserAgrees();
    void unwritableFilesAtCloseNeverTrapTheUser();
    void unreadableMoneyFileIsKept();
    void liveWordsOnEveryKeystroke();
    void smallControls();
    void bankChoiceDrivesTheDesigner();
    void typicalCheque();
    void cancelledPrintDialogPrintsNothing();
    void previewShowsWithoutDialog();
    void runOfThreeMonths();
    void runWithPreviewGoesToThePrinter();
    void badAmountsAndDates_data();
    void badAmountsAndDates();
    void amountWhoseWordsDifferIsNeverPrinted_data();
    void amountWhoseWordsDifferIsNeverPrinted();
    void payeeLanguage_data();
    void payeeLanguage();
    void accountOnly();
    void printerThatCannotBeOpened();
    void decimalCommaDesktop();
    void markupIsShownAsText();
    void markupInAMessageLoadsNothing();
    void damagedLayoutIsKeptAndReported();
    void unreadableMoneyFileOnlyOkWrites();
    void damagedMoneyFileStaysOpenForChecking();
    void utf8OptionsKeepTheirLayouts();
    void interruptedSaveIsFinishedBeforeReading();
    void fifoInPlaceOfAFile_data();
    void fifoInPlaceOfAFile();
    void manyBanksWithoutOptions();
    void arabicDesktopDates_data();
    void arabicDesktopDates();
    void runToAPdfFileKeepsEveryCheque();
    void decimalMarks_data();
    void decimalMarks();
    void checksComeBeforeThePrintDialog();
    void unfinishedNumbersRaiseNoMessage_data();
    void unfinishedNumbersRaiseNoMessage();
    void tabOrder();
    void countBox_data();
    void countBox();
    void noTextIsCut();
    void longBankNamesAreNotCutAtTheirStart();
    void printingLeavesTheLayoutsAsTheyAre();
    void saveOptionsWritesTheFilesAtOnce();

private:
    void start();
    void write(const char *name, const QStringList &lines);
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    bool closeMain();
    /// Types a cheque into the issue window; a count above 0 selects "Many".
    void fill(const QString &date, const QString &name, const QString &amount, int count = 0);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDialogs> m_dialogs;
    std::unique_ptr<TestPrinting> m_printing;
    std::unique_ptr<ChequeProgram> m_program;
};

void TestProgram::initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }

void TestProgram::init()
{
    // A directory with blanks and Arabic letters in its name.
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/cheque dir شيك-XXXXXX"));
    QVERIFY(m_dir->isValid());
    m_dialogs = std::make_unique<TestDialogs>();
    m_printing = std::make_unique<TestPrinting>(m_dir->path());
}

void TestProgram::cleanup()
{
    m_program.reset();
    m_printing.reset();
    m_dialogs.reset();
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    m_dir.reset();
}

void TestProgram::write(const char *name, const QStringList &lines) { WriteDataFile(path(name), lines); }

void TestProgram::start() { QVERIFY(StartProgram(m_program, m_dir->path())); }

void TestProgram::fill(const QString &date, const QString &name, const QString &amount, int count)
{
    FillIssueWindow(m_program->NewChequeForm, date, name, amount, count);
}

bool TestProgram::closeMain()
{
    QSignalSpy closed(&m_program->NewChequeForm, &TNewChequeForm::closed);
    m_program->NewChequeForm.close();
    return closed.count() == 1;
}

void TestProgram::firstRunInAnEmptyDirectory()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    QCOMPARE(w.dataFolder(), m_dir->path() + "/");
    QCOMPARE(ReadBytes(path("money.txt")), Lines(MoneyToLines(UaeMoney())));
    QVERIFY(!QFile::exists(path("banks.txt")));
    QVERIFY(!m_program->MoneyForm.isVisible());
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->count(), 1);
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->currentText(), QStringLiteral("SIB"));
    QCOMPARE(Find<QComboBox>(&m_program->ChequeForm, "BankNameCB")->currentIndex(), 0);
    QCOMPARE(m_program->ChequeForm.Layout(), InitialLayout());
    QCOMPARE(w.focusWidget(), Find<QLineEdit>(&w, "DateEd"));
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("----"));
    QCOMPARE(Find<QLabel>(&w, "AAmountLB")->text(), QStringLiteral("-----"));
    QCOMPARE(Find<WebPanel>(&w, "WebBrowser2")->navigations(), 1);
    QCOMPARE(Find<WebPanel>(&w, "WebBrowser2")->lastAddress(), QUrl(ProductPageURL));
    QVERIFY(m_dialogs->messages.isEmpty());

    QVERIFY(closeMain());
    QCOMPARE(ReadBytes(path("banks.txt")), QByteArray("SIB\r\n"));
    QCOMPARE(ReadBytes(path("options.txt")), Lines({OptionLine(InitialLayout())}));
}

void TestProgram::threeBanksComeBackUnchanged()
{
    const QStringList banks{"SIB", "بنك دبي", "ADCB"};
    const QStringList options{OptionLine(Shifted(3)), OptionLine(Shifted(-20)), OptionLine(Shifted(40))};
    write("banks.txt", banks);
    write("options.txt", options);
    const QByteArray banksBytes = ReadBytes(path("banks.txt"));
    const QByteArray optionsBytes = ReadBytes(path("options.txt"));
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->count(), 3);
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->itemText(1), QStringLiteral("بنك دبي"));
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->currentIndex(), 0);
    QCOMPARE(m_program->ChequeForm.Layout(), Shifted(3));
    QVERIFY(closeMain());
    QCOMPARE(ReadBytes(path("banks.txt")), banksBytes);
    QCOMPARE(ReadBytes(path("options.txt")), optionsBytes);
}

void TestProgram::banksWithoutOptionsTakeTheInitialLayout()
{
    write("banks.txt", {"A", "B", "C"});
    start();
    QCOMPARE(m_program->ChequeForm.Book.Options, QStringList(3, OptionLine(InitialLayout())));
    QCOMPARE(Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->currentIndex(), 0);
    QVERIFY(closeMain());
    QCOMPARE(ReadBytes(path("options.txt")), Lines(QStringList(3, OptionLine(InitialLayout()))));
}

void TestProgram::optionsWithoutBanksAreReplaced()
{
    write("options.txt", {OptionLine(Shifted(5)), OptionLine(Shifted(6))});
    start();
    QCOMPARE(m_program->ChequeForm.Book.Banks, QStringList{"SIB"});
    QCOMPARE(m_program->ChequeForm.Layout(), InitialLayout());
    QVERIFY(closeMain());
    QCOMPARE(ReadBytes(path("options.txt")), Lines({OptionLine(InitialLayout())}));
}

void TestProgram::unreadableBankFileIsKept()
{
    // A directory where banks.txt belongs: it exists and cannot be read.
    QVERIFY(QDir(m_dir->path()).mkdir("banks.txt"));
    write("options.txt", {OptionLine(Shifted(5))});
    const QByteArray options = ReadBytes(path("options.txt"));
    start();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains("banks.txt"), qPrintable(m_dialogs->messages[0]));
    // The start-up went on: currency, bank, web page.
    QVERIFY(QFile::exists(path("money.txt")));
    QCOMPARE(Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->currentText(), QStringLiteral("SIB"));
    QCOMPARE(Find<WebPanel>(&m_program->NewChequeForm, "WebBrowser2")->navigations(), 1);
    // Nothing changed: nothing is written, nothing asked.
    QVERIFY(closeMain());
    QVERIFY(m_dialogs->questions.isEmpty());
    QVERIFY(QFileInfo(path("banks.txt")).isDir());
    QCOMPARE(ReadBytes(path("options.txt")), options);
}

void TestProgram::unreadableBankFileReplacedWhenTheUserAgrees()
{
    QVERIFY(QDir(m_dir->path()).mkdir("banks.txt"));
    write("options.txt", {OptionLine(Shifted(5))});
    const QByteArray options = ReadBytes(path("options.txt"));
    start();
    m_dialogs->textAnswers.enqueue(QStringLiteral("FAB"));
    m_program->ChequeForm.NewBtnClick();

    m_dialogs->yesNoAnswers.enqueue(false);        // keep the files
    QVERIFY(m_program->NewChequeForm.FormClose()); // may close, without writing
    QCOMPARE(ReadBytes(path("options.txt")), options);
    QVERIFY(m_dialogs->questions.last().contains("banks.txt"));

    QVERIFY(QDir(m_dir->path()).rmdir("banks.txt")); // the user mended it
    m_dialogs->yesNoAnswers.enqueue(true);
    QVERIFY(closeMain());
    QCOMPARE(ReadBytes(path("banks.txt")), QByteArray("SIB\r\nFAB\r\n"));
    QCOMPARE(ReadBytes(path("options.txt")), Lines(m_program->ChequeForm.Book.Options));
}

void TestProgram::unwritableFilesAtCloseNeverTrapTheUser()
{
    write("banks.txt", {"A", "B"});
    write("options.txt", {OptionLine(Shifted(1)), OptionLine(Shifted(2))});
    const QByteArray banks = ReadBytes(path("banks.txt"));
    start();
    m_dialogs->textAnswers.enqueue(QStringLiteral("C"));
    m_program->ChequeForm.NewBtnClick();
    // options.txt cannot be replaced now.
    QVERIFY(QFile::remove(path("options.txt")));
    QVERIFY(QDir(m_dir->path()).mkdir("options.txt"));
    m_dialogs->yesNoAnswers.enqueue(true);  // try again: fails again
    m_dialogs->yesNoAnswers.enqueue(false); // close without saving
    QVERIFY(closeMain());
    QCOMPARE(m_dialogs->questions.size(), 3); // "Bank Name" and twice "Try again?"
    QVERIFY2(m_dialogs->questions[1].contains("options.txt"), qPrintable(m_dialogs->questions[1]));
    // banks.txt was not replaced without its options.
    QCOMPARE(ReadBytes(path("banks.txt")), banks);
}

void TestProgram::unreadableMoneyFileIsKept()
{
    QVERIFY(QDir(m_dir->path()).mkdir("money.txt"));
    start();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages[0].contains("money.txt"));
    QVERIFY(QFileInfo(path("money.txt")).isDir());
    QCOMPARE(m_program->MonyRec.value().EMoneyName, UaeMoney().EMoneyName);
    QVERIFY(!m_program->MoneyForm.isVisible());
    QCOMPARE(Find<WebPanel>(&m_program->NewChequeForm, "WebBrowser2")->navigations(), 1);
}

void TestProgram::liveWordsOnEveryKeystroke()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    QTest::keyClicks(Find<QLineEdit>(&w, "AmountED"), "5");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Five Dhs Only  //"));
    QTest::keyClicks(Find<QLineEdit>(&w, "AmountED"), "000");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Five Thousand, Dhs Only  //"));
    QCOMPARE(Find<QLabel>(&w, "AAmountLB")->text(), QStringLiteral("// خمسة آلاف درهم فقط  //"));
    Find<QCheckBox>(&m_program->ChequeForm, "OnlyFirstChk")->setChecked(true);
    Find<QLineEdit>(&w, "AmountED")->setText("5000");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Five Thousand, Dhs Only  //")); // no change yet
    Find<QLineEdit>(&w, "AmountED")->setText("5000 ");
    Find<QLineEdit>(&w, "AmountED")->setText("5000");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Only Five Thousand, Dhs //"));
    QCOMPARE(Find<QLabel>(&w, "AAmountLB")->text(), QStringLiteral("// فقط خمسة آلاف درهم //"));
    Find<QLineEdit>(&w, "AmountED")->clear();
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("//  //"));
    // Letters: one message per change, the labels keep their texts.
    Find<QLineEdit>(&w, "AmountED")->setText("0");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// - //"));
    Find<QLineEdit>(&w, "AmountED")->setText("12a");
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages[0].contains("12a"));
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// - //"));
    Find<QLineEdit>(&w, "AmountED")->setText("99999999999");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// -- //"));
}

void TestProgram::smallControls()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    QCOMPARE(w.windowTitle(), QStringLiteral("Print Cheque"));
    w.SpeedButton1Click();
    QCOMPARE(Find<QLineEdit>(&w, "DateEd")->text(),
             QLocale().toString(QDate::currentDate().addDays(30), QLocale::ShortFormat));
    QVERIFY(Find<QWidget>(&w, "ManyPanel")->isHidden());
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(1);
    w.ManyRGClick();
    QVERIFY(!Find<QWidget>(&w, "ManyPanel")->isHidden());
    Find<QSpinBox>(&w, "CountED")->clear();
    w.ManyRGClick();
    QCOMPARE(Find<QSpinBox>(&w, "CountED")->cleanText(), QStringLiteral("1"));
    QCOMPARE(Find<QSpinBox>(&w, "CountED")->maximum(), 250);
    QTest::mouseClick(Find<QPushButton>(&w, "BitBtn2"), Qt::LeftButton);
    QVERIFY(m_program->ChequeForm.isVisible());
    QVERIFY(!m_program->ChequeForm.editing());
    QVERIFY(w.isVisible());
}

void TestProgram::bankChoiceDrivesTheDesigner()
{
    write("banks.txt", {"A", "B"});
    write("options.txt", {OptionLine(Shifted(1)), OptionLine(Shifted(9))});
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<QComboBox>(&w, "BankNameCB")->setCurrentIndex(1);
    QCOMPARE(Find<QComboBox>(&m_program->ChequeForm, "BankNameCB")->currentIndex(), 1);
    QCOMPARE(m_program->ChequeForm.Layout(), Shifted(9));
    // Adding a bank in the designer reaches the issue window's list.
    m_dialogs->textAnswers.enqueue(QStringLiteral("C"));
    m_program->ChequeForm.NewBtnClick();
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->count(), 3);
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->itemText(2), QStringLiteral("C"));
    // The next start opens on the bank used last.
    QVERIFY(w.close());
    start();
    QCOMPARE(Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->currentText(), QStringLiteral("B"));
    QCOMPARE(m_program->ChequeForm.Layout(), Shifted(9));
}

void TestProgram::typicalCheque()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    // The date box shows how this desktop writes a date, and reads ISO dates too.
    QCOMPARE(Find<QLineEdit>(&w, "DateEd")->placeholderText(), "e.g. " + WriteShortDate(QDate::currentDate()));
    QTest::keyClicks(Find<QLineEdit>(&w, "DateEd"), "2026-03-07");
    // The payee's box holds no more than a cheque carries.
    QTest::keyClicks(Find<QLineEdit>(&w, "NameED"), QString(MaxPayeeChars, u'x') + "more");
    QCOMPARE(Find<QLineEdit>(&w, "NameED")->text(), QString(MaxPayeeChars, u'x'));
    Find<QLineEdit>(&w, "NameED")->clear();
    QTest::keyClicks(Find<QLineEdit>(&w, "NameED"), "Dorvan Eskel");
    QTest::keyClicks(Find<QLineEdit>(&w, "AmountED"), "5000");
    QTest::mouseClick(Find<QCheckBox>(&w, "AccOnly"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>(&w, "PrintBtn"), Qt::LeftButton);

    QCOMPARE(m_printing->setups, 1);
    QCOMPARE(m_printing->jobs.size(), 1);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(Find<QLineEdit>(&w, "DateEd")->text(), QStringLiteral("3/7/26"));
    QCOMPARE(w.status(), QStringLiteral("Cheque No. 1 of SIB printed to the default printer."));
    QCOMPARE(Find<WebPanel>(&w, "WebBrowser2")->navigations(), 2);
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Five Thousand, Dhs Only  //"));
    QCOMPARE(Find<QLabel>(&w, "AAmountLB")->text(), QStringLiteral("// خمسة آلاف درهم فقط  //")); // each its own

    const QString pdf = m_printing->jobs[0];
    QCOMPARE(PageSize(pdf), QStringLiteral("684 x 297"));
    const QList<Word> words = WordsOf(pdf);
    // Every word lies in the box of the field that holds it (1 px = 25.4 / 96
    // mm; margins 0): date, payee, figure, words, "Account Only".
    const ChequeLayout layout = m_program->ChequeForm.Layout();
    const QStringList expected[FieldCount] = {{"3/7/26"},
                                              {"Dorvan", "Eskel"},
                                              {"#5,000.00#"},
                                              {"//", "Five", "Thousand,", "Dhs", "Only", "//"},
                                              {"Account", "Only"}};
    constexpr double mm = 25.4 / 96;
    for (int n = 0; n < FieldCount; ++n) {
        const ChequeField &f = layout.Fields[std::size_t(n)];
        const QRectF box(f.Left * mm, f.Top * mm, f.Width * mm, f.Height * mm);
        QStringList inBox;
        double right = 0;
        for (const Word &word : words) {
            const QRectF r(QPointF(word.xMin, word.yMin), QPointF(word.xMax, word.yMax));
            if (box.adjusted(-0.2, -0.2, 0.2, 0.2).contains(r)) {
                inBox << word.text;
                right = std::max(right, word.xMax);
            }
        }
        QStringList sortedIn = inBox, sortedExpected = expected[n];
        sortedIn.sort();
        sortedExpected.sort();
        QVERIFY2(sortedIn == sortedExpected, qPrintable(QString("field %1: %2").arg(n + 1).arg(inBox.join(' '))));
        if (f.Right) // set against the right edge of its box
            QVERIFY2(box.right() - right < 3.0, qPrintable(QString::number(box.right() - right)));
    }
    QCOMPARE(words.size(), 12);
    QCOMPARE(Find<ChequeFieldEdit>(&m_program->ChequeForm, "ChequeEdit2")->text(), QStringLiteral("Dorvan Eskel"));
    QVERIFY(!Find<QCheckBox>(&m_program->ChequeForm, "RightChk2")->isChecked());
}

void TestProgram::cancelledPrintDialogPrintsNothing()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    const ChequeLayout before = m_program->ChequeForm.Layout();
    Find<QLineEdit>(&w, "DateEd")->setText("3/7/26");
    Find<QLineEdit>(&w, "AmountED")->setText("5000");
    m_printing->setupAnswers.enqueue(false);
    w.PrintBtnClick();
    QCOMPARE(m_printing->setups, 1);
    QVERIFY(m_printing->jobs.isEmpty());
    QCOMPARE(m_printing->previews, 0);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_program->ChequeForm.Layout(), before);
    QCOMPARE(Find<WebPanel>(&w, "WebBrowser2")->navigations(), 2);
}

void TestProgram::previewShowsWithoutDialog()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<QCheckBox>(&m_program->ChequeForm, "previewChk")->setChecked(true);
    Find<QLineEdit>(&w, "DateEd")->setText("3/7/2026");
    Find<QLineEdit>(&w, "AmountED")->setText("5000");
    w.PrintBtnClick();
    QCOMPARE(Find<QLineEdit>(&w, "DateEd")->text(), QStringLiteral("3/7/26")); // normalised
    QCOMPARE(m_printing->setups, 0);
    QCOMPARE(m_printing->previews, 1);
    QVERIFY(m_printing->jobs.isEmpty());
    QCOMPARE(m_program->PrintChequeForm.lastPage().labels[0].caption, QStringLiteral("3/7/26"));
}

void TestProgram::runOfThreeMonths()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill("1/31/11", "Dorvan", "250.5", 3);
    w.PrintBtnClick();
    QCOMPARE(m_printing->setups, 1);
    QCOMPARE(m_printing->jobs.size(), 3);
    const QStringList dates{"1/31/11", "2/28/11", "3/31/11"};
    for (int i = 0; i < 3; ++i) {
        const QStringList texts = TextsOf(m_printing->jobs[i]);
        QVERIFY2(texts.contains(dates[i]), qPrintable(texts.join(' ')));
        QVERIFY(texts.contains("#250.50#"));
    }
    QCOMPARE(Find<QLineEdit>(&w, "DateEd")->text(), QStringLiteral("1/31/11"));
    QCOMPARE(Find<WebPanel>(&w, "WebBrowser2")->navigations(), 2);
}

void TestProgram::runWithPreviewGoesToThePrinter()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<QCheckBox>(&m_program->ChequeForm, "previewChk")->setChecked(true);
    fill("1/31/11", "", "10", 2);
    w.PrintBtnClick();
    QCOMPARE(m_printing->setups, 1);
    QCOMPARE(m_printing->previews, 0);
    QCOMPARE(m_printing->jobs.size(), 2);
    QVERIFY(Find<QCheckBox>(&m_program->ChequeForm, "previewChk")->isChecked());
    // A cancelled run prints nothing and keeps "preview".
    m_printing->setupAnswers.enqueue(false);
    w.PrintBtnClick();
    QCOMPARE(m_printing->jobs.size(), 2);
    QVERIFY(Find<QCheckBox>(&m_program->ChequeForm, "previewChk")->isChecked());
}

void TestProgram::badAmountsAndDates_data()
{
    // clang-format off
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("count"); // 0: One
    QTest::addColumn<QStringList>("messages");
    // "Error", then what is wrong, and how a date is written on this desktop.
    const QString error = "Print Cheque: Error\n\n";
    const QString forms = "write it as " + WriteShortDate(QDate::currentDate()) + " (the desktop's short date) or as " +
                          QDate::currentDate().toString(Qt::ISODate);
    const QString amount = "Print Cheque: Error in Amount, it must be >0";
    QTest::newRow("letters") << "3/7/26" << "abc" << 0 << QStringList{error + "The amount \"abc\" is not a number."};
    QTest::newRow("empty amount") << "3/7/26" << "" << 0 << QStringList{error + "There is no amount."};
    QTest::newRow("inf") << "3/7/26" << "inf" << 0 << QStringList{error + "The amount \"inf\" is not a number."};
    QTest::newRow("empty date") << "" << "5000" << 0 << QStringList{error + "There is no date: " + forms + "."};
    QTest::newRow("not a day") << "2/30/26" << "5000" << 0
                               << QStringList{error + "The date \"2/30/26\" cannot be read: " + forms + "."};
    QTest::newRow("day first") << "14/12/2026" << "5000" << 0
                               << QStringList{error + "The date \"14/12/2026\" cannot be read: " + forms + "."};
    QTest::newRow("neither") << "x" << "" << 0
                             << QStringList{error + "The date \"x\" cannot be read: " + forms + ".\n\nThere is no amount."};
    QTest::newRow("zero") << "3/7/26" << "0" << 0 << QStringList{amount};
    QTest::newRow("negative") << "3/7/26" << "-5" << 0 << QStringList{amount};
    QTest::newRow("grouped") << "3/7/26" << "5,000" << 0
                             << QStringList{amount + ". The amount \"5,000\" cannot be read: it has a grouping separator "
                                                     "(\",\"); type the amount without it."};
    QTest::newRow("inner blank") << "3/7/26" << "5 000" << 0
                                 << QStringList{amount + ". The amount \"5 000\" cannot be read: it has a blank inside."};
    QTest::newRow("zero, run of 4") << "3/7/26" << "0" << 4 << QStringList(4, amount);
    // clang-format on
}

void TestProgram::badAmountsAndDates()
{
    QFETCH(QString, date);
    QFETCH(QString, amount);
    QFETCH(int, count);
    QFETCH(QStringList, messages);
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill(date, "", amount, count);
    m_dialogs->messages.clear(); // the live words' own message for letters
    w.PrintBtnClick();
    QCOMPARE(m_dialogs->messages, messages);
    QVERIFY(m_printing->jobs.isEmpty());
    // A number written otherwise than Print reads it is told before a
    // printer is chosen.
    if (amount.contains(u',') || amount.contains(u' '))
        QCOMPARE(m_printing->setups, 0);
    QCOMPARE(Find<WebPanel>(&w, "WebBrowser2")->navigations(),
             messages.first().startsWith("Print Cheque: Error\n") ? 1 : 2);
}

void TestProgram::amountWhoseWordsDifferIsNeverPrinted_data()
{
    // clang-format off
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("problem");
    QTest::newRow("rounded figure") << "12.345" << 0 << "more decimals";
    QTest::newRow("rounded figure, run of 3") << "12.345" << 3 << "more decimals";
    QTest::newRow("too large") << "3000000000" << 0 << "too large";
    QTest::newRow("exponent") << "5e3" << 0 << "exponent";
    // clang-format on
}

void TestProgram::amountWhoseWordsDifferIsNeverPrinted()
{
    QFETCH(QString, amount);
    QFETCH(int, count);
    QFETCH(QString, problem);
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill("3/7/26", "", amount, count);
    w.PrintBtnClick();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains(problem), qPrintable(m_dialogs->messages[0]));
    QVERIFY(m_printing->jobs.isEmpty());
    QCOMPARE(Find<ChequeFieldEdit>(&m_program->ChequeForm, "ChequeEdit3")->text(), SampleText(FieldKind::Amount));
}

void TestProgram::payeeLanguage_data()
{
    // clang-format off
    QTest::addColumn<QString>("payee");
    QTest::addColumn<bool>("arabic");
    QTest::newRow("Latin") << "Dorvan Eskel" << false;
    QTest::newRow("Arabic") << "محمد علي" << true;
    QTest::newRow("digit, Latin") << "5 Stars LLC" << false;
    QTest::newRow("quotation mark, Arabic") << "\"الأمل\" للتجارة" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("leading blanks") << "   Ali" << false;
    // clang-format on
}

void TestProgram::payeeLanguage()
{
    QFETCH(QString, payee);
    QFETCH(bool, arabic);
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    TChequeForm &d = m_program->ChequeForm;
    // Field 1 becomes a second payee field: both Name fields follow the payee.
    Find<RadioGroup>(&d, "KindRG1")->setItemIndex(int(FieldKind::Name));
    Find<QCheckBox>(&d, "previewChk")->setChecked(true);
    fill("3/7/26", payee, "5000");
    w.PrintBtnClick();
    QCOMPARE(m_printing->previews, 1);
    const QString words =
        arabic ? QStringLiteral("// خمسة آلاف درهم فقط  //") : QStringLiteral("// Five Thousand, Dhs Only  //");
    QCOMPARE(Find<ChequeFieldEdit>(&d, "ChequeEdit4")->text(), words); // Ar Text Amount
    // The word lines each in their own language, whichever was printed.
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Five Thousand, Dhs Only  //"));
    QCOMPARE(Find<QLabel>(&w, "AAmountLB")->text(), QStringLiteral("// خمسة آلاف درهم فقط  //"));
    for (int n : {0, 1}) {
        QCOMPARE(Find<ChequeFieldEdit>(&d, QStringLiteral("ChequeEdit%1").arg(n + 1))->text(), payee); // blanks kept
        QCOMPARE(Find<QCheckBox>(&d, QStringLiteral("RightChk%1").arg(n + 1))->isChecked(), arabic);
        QCOMPARE(Find<ChequeFieldEdit>(&d, QStringLiteral("ChequeEdit%1").arg(n + 1))->layoutDirection(),
                 arabic ? Qt::RightToLeft : Qt::LeftToRight);
    }
    QCOMPARE(m_program->PrintChequeForm.lastPage().labels[1].rightToLeft, arabic);
}

void TestProgram::accountOnly()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill("3/7/26", "Dorvan", "5000");
    w.PrintBtnClick();
    QVERIFY(Find<ChequeFieldEdit>(&m_program->ChequeForm, "ChequeEdit5")->isHidden());
    QVERIFY(!TextsOf(m_printing->jobs[0]).contains("Account"));
    Find<QCheckBox>(&w, "AccOnly")->setChecked(true);
    m_dialogs->yesNoAnswers << true; // the same payment again: printed all the same
    w.PrintBtnClick();
    QCOMPARE(m_dialogs->questions.size(), 1);
    QVERIFY(!Find<ChequeFieldEdit>(&m_program->ChequeForm, "ChequeEdit5")->isHidden());
    const QStringList texts = TextsOf(m_printing->jobs[1]);
    QVERIFY2(texts.contains("Account") && texts.contains("Only"), qPrintable(texts.join(' ')));
}

void TestProgram::printerThatCannotBeOpened()
{
    start();
    m_printing->unwritable = true;
    fill("1/31/11", "Dorvan", "5000", 3);
    m_program->NewChequeForm.PrintBtnClick();
    // One message naming the output, and the run stops there.
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains("missing/job-1.pdf"), qPrintable(m_dialogs->messages[0]));
    QCOMPARE(m_printing->jobs.size(), 1);
    QVERIFY(!QFile::exists(m_printing->jobs[0]));
}

void TestProgram::decimalCommaDesktop()
{
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill("07.03.26", "Dorvan", "5000,5");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Five Thousand, Dhs And Fifty Fils Only  //"));
    w.PrintBtnClick();
    QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(m_dialogs->messages.join('\n')));
    QCOMPARE(m_printing->jobs.size(), 1);
    const QStringList texts = TextsOf(m_printing->jobs[0]);
    QVERIFY2(texts.contains("#5.000,50#") && texts.contains("Fifty") && texts.contains("07.03.26"),
             qPrintable(texts.join(' ')));
}

void TestProgram::markupIsShownAsText()
{
    QStringList money = MoneyToLines(UaeMoney());
    money[2] = "<i>Dh</i>"; // the English currency name, 9 characters
    write("money.txt", money);
    write("banks.txt", {"<i>SIB</i>"});
    write("options.txt", {OptionLine(InitialLayout())});
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    // Every label of every window shows its text as it stands.
    for (QWidget *window : std::initializer_list<QWidget *>{&w, &m_program->ChequeForm, &m_program->MoneyForm})
        for (QLabel *label : window->findChildren<QLabel *>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->text()));
    fill("3/7/26", "Payee <b>x</b>", "5");
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("// Five <i>Dh</i> Only  //"));
    QCOMPARE(Find<QComboBox>(&w, "BankNameCB")->currentText(), QStringLiteral("<i>SIB</i>"));
    w.PrintBtnClick();
    QCOMPARE(m_printing->jobs.size(), 1);
    const QString printed = TextsOf(m_printing->jobs[0]).join(' ');
    QVERIFY2(printed.contains("Payee <b>x</b>") && printed.contains("<i>Dh</i>"), qPrintable(printed));
    // Markup in the date box is a date that does not read.
    Find<QLineEdit>(&w, "DateEd")->setText("<img src=\"/dev/zero\">");
    w.PrintBtnClick();
    QVERIFY(m_dialogs->messages.last().startsWith(
        "Print Cheque: Error\n\nThe date \"<img src=\"/dev/zero\">\" cannot be read"));
}

void TestProgram::markupInAMessageLoadsNothing()
{
    start();
    // Qt's own message box this time: a text that looks like markup would be
    // laid out as HTML and its picture read from the file (which never ends).
    setDialogs(nullptr);
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        shown = box->text();
        format = box->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
    Find<QLineEdit>(&m_program->NewChequeForm, "AmountED")->setText("<img src=\"/dev/zero\">");
    setDialogs(m_dialogs.get());
    QCOMPARE(format, Qt::PlainText);
    QVERIFY2(shown.contains("'<img src=\"/dev/zero\">' is not a valid floating point value"), qPrintable(shown));

    // A one-word message leaves room for its window's title.
    setDialogs(nullptr);
    int width = 0, title = 0;
    WhenModal<QMessageBox>([&](QMessageBox *box) {
        width = box->width();
        title = box->fontMetrics().horizontalAdvance(box->windowTitle());
        box->button(QMessageBox::Ok)->click();
    });
    m_program->NewChequeForm.PrintBtnClick(); // "Error": no date, no amount
    setDialogs(m_dialogs.get());
    QVERIFY2(width > title + 100, qPrintable(QString("%1 for a title of %2").arg(width).arg(title)));
}

void TestProgram::damagedLayoutIsKeptAndReported()
{
    QString damaged = OptionLine(Shifted(4));
    QVERIFY(damaged.contains("/516/"));
    damaged.replace("/516/", "/5O6/"); // a letter in field 1's left
    write("banks.txt", {"SIB", "ADCB"});
    write("options.txt", {OptionLine(Shifted(1)), damaged});
    const QByteArray before = ReadBytes(path("options.txt"));
    start();
    QVERIFY(m_dialogs->messages.isEmpty());
    Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->setCurrentIndex(1);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains("\"ADCB\"") && m_dialogs->messages[0].contains("5O6")
                 && m_dialogs->messages[0].contains("options.txt.bak"),
             qPrintable(m_dialogs->messages[0]));
    QCOMPARE(ReadBytes(path("options.txt.bak")), before);
    // Once: the line holds a layout now.
    Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->setCurrentIndex(0);
    Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->setCurrentIndex(1);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(closeMain());
    QCOMPARE(ReadBytes(path("options.txt.bak")), before);
    QVERIFY(ReadBytes(path("options.txt")) != before);
}

void TestProgram::unreadableMoneyFileOnlyOkWrites()
{
    // A file the program cannot read: not UTF-8, too large, or (here) a folder.
    QVERIFY(QDir(m_dir->path()).mkdir("money.txt"));
    start();
    TMoneyForm &money = m_program->MoneyForm;
    money.show();
    money.BitBtn2Click(); // Cancel
    money.show();
    money.close(); // the close box
    QVERIFY(QFileInfo(path("money.txt")).isDir());
    QCOMPARE(m_dialogs->messages.size(), 1); // the start-up's, nothing since
    // OK is the user's choice of a currency: it writes (here it cannot).
    money.show();
    money.MonyOkBtnClick();
    QCOMPARE(m_dialogs->messages.size(), 2);
    QVERIFY2(m_dialogs->messages[1].contains("money.txt"), qPrintable(m_dialogs->messages[1]));
}

void TestProgram::damagedMoneyFileStaysOpenForChecking()
{
    QStringList money = MoneyToLines(SyrMoney());
    money[9] = "<b>two</b>";
    write("money.txt", money);
    start();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains("check them in this window"), qPrintable(m_dialogs->messages[0]));
    QVERIFY(m_program->MoneyForm.isVisible());
    QCOMPARE(m_program->MonyRec.value().EMoneyName, SyrMoney().EMoneyName);
    QVERIFY(QFile::exists(path("money.txt.bak")));
}

void TestProgram::utf8OptionsKeepTheirLayouts()
{
    // Saved by another editor: UTF-8 with a byte-order mark.
    const QStringList banks{"بنك دبي", "ADCB"};
    const QStringList options{OptionLine(Shifted(7)), OptionLine(Shifted(9))};
    for (const char *name : {"banks.txt", "options.txt"}) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF" + (QString(name) == "banks.txt" ? banks : options).join("\r\n").toUtf8() + "\r\n");
    }
    start();
    QCOMPARE(Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->itemText(0), banks[0]);
    QCOMPARE(m_program->ChequeForm.Layout(), Shifted(7));
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(closeMain());
    QCOMPARE(ReadBytes(path("banks.txt")), Lines(banks));
    QCOMPARE(ReadBytes(path("options.txt")), Lines(options));
}

void TestProgram::interruptedSaveIsFinishedBeforeReading()
{
    // A close killed right after banks.txt was replaced: the new banks.txt
    // is in place, the new options.txt beside its target, the marker written.
    write("banks.txt", {"A", "C"});
    write("options.txt", {OptionLine(Shifted(1)), OptionLine(Shifted(2)), OptionLine(Shifted(3))});
    write("options.txt.new", {OptionLine(Shifted(1)), OptionLine(Shifted(3))});
    QFile marker(path("save.pending"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write((QFileInfo(path("banks.txt")).canonicalFilePath() + '\n'
                  + QFileInfo(path("options.txt")).canonicalFilePath() + '\n')
                     .toUtf8());
    marker.close();
    start();
    TChequeForm &d = m_program->ChequeForm;
    QCOMPARE(d.Book.Banks, (QStringList{"A", "C"}));
    QCOMPARE(d.Book.Options, (QStringList{OptionLine(Shifted(1)), OptionLine(Shifted(3))}));
    Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->setCurrentIndex(1);
    QCOMPARE(d.Layout(), Shifted(3)); // C's own layout, not B's
    QVERIFY(!QFile::exists(path("save.pending")));
    QVERIFY(!QFile::exists(path("options.txt.new")));
}

void TestProgram::fifoInPlaceOfAFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("banks.txt") << "banks.txt";
    QTest::newRow("settings.ini") << "settings.ini";
}

void TestProgram::fifoInPlaceOfAFile()
{
    QFETCH(QString, name);
    QVERIFY(::mkfifo(QFile::encodeName(m_dir->filePath(name)).constData(), 0644) == 0);
    start(); // does not wait for a writer
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains(name) && m_dialogs->messages[0].contains("not a regular file"),
             qPrintable(m_dialogs->messages[0]));
    QCOMPARE(Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->currentText(), QStringLiteral("SIB"));
    // A cheque prints, and is recorded, all the same.
    fill("12/7/26", "Dorvan", "5");
    m_program->NewChequeForm.PrintBtnClick();
    QCOMPARE(m_printing->jobs.size(), 1);
    QVERIFY(closeMain());
    QVERIFY(!QFileInfo(m_dir->filePath(name)).isFile());
}

void TestProgram::manyBanksWithoutOptions()
{
    QStringList banks;
    for (int i = 0; i < 2000; ++i)
        banks << QString::number(i);
    write("banks.txt", banks);
    start();
    QCOMPARE(m_program->ChequeForm.Book.Options, QStringList(2000, OptionLine(InitialLayout())));
    QCOMPARE(Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->count(), 2000);
    QCOMPARE(Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB")->currentIndex(), 0);
    QCOMPARE(Find<QComboBox>(&m_program->ChequeForm, "BankNameCB")->currentIndex(), 0);
}

void TestProgram::arabicDesktopDates_data()
{
    // clang-format off
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date"); // 6 January 2027, as the cheque must carry it
    QTest::newRow("ar_AE") << "ar_AE" << "6/1/2027";
    QTest::newRow("ar_SA") << "ar_SA" << "٦/١/٢٠٢٧";
    QTest::newRow("ar_EG") << "ar_EG" << "٦/١/٢٠٢٧";
    QTest::newRow("ar_SY") << "ar_SY" << "٦/١/٢٠٢٧";
    // clang-format on
}

void TestProgram::arabicDesktopDates()
{
    QFETCH(QString, locale);
    QFETCH(QString, date);
    QLocale::setDefault(QLocale(locale));
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    const QRegularExpression marks("[\u200E\u200F\u061C]");
    w.SpeedButton1Click();
    QVERIFY2(!Find<QLineEdit>(&w, "DateEd")->text().contains(marks), qPrintable(Find<QLineEdit>(&w, "DateEd")->text()));
    QCOMPARE(ReadShortDate(Find<QLineEdit>(&w, "DateEd")->text()), QDate::currentDate().addDays(30));

    fill(date, "Dorvan", "5000", 2);
    w.PrintBtnClick();
    QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(m_dialogs->messages.join('\n')));
    QCOMPARE(m_printing->jobs.size(), 2);
    QVERIFY2(TextsOf(m_printing->jobs[0]).contains(date), qPrintable(TextsOf(m_printing->jobs[0]).join(' ')));
    const QString second = WriteShortDate(QDate(2027, 2, 6));
    QVERIFY(!second.contains(marks));
    QVERIFY2(TextsOf(m_printing->jobs[1]).contains(second), qPrintable(TextsOf(m_printing->jobs[1]).join(' ')));
    QCOMPARE(Find<QLineEdit>(&w, "DateEd")->text(), date); // the start date, as the cheque has it
}

namespace {

// The print dialog answered as a user with no printer installed answers it:
// "Print to File (PDF)", a file name, Print.
class PrintToFile final : public PrintService
{
public:
    explicit PrintToFile(QString file) : m_file(std::move(file)) { setPrintService(this); }
    ~PrintToFile() override { setPrintService(nullptr); }
    bool setup(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_file);
        return true;
    }
    void preview(QWidget *, QPrinter &, const Paint &) override {}
    void print(QPrinter &printer, const Paint &paint) override { paint(&printer); }

private:
    QString m_file;
};

} // namespace

void TestProgram::runToAPdfFileKeepsEveryCheque()
{
    start();
    const QString file = m_dir->filePath("run.pdf");
    PrintToFile toFile(file);
    fill("1/31/11", "Dorvan", "250.5", 3);
    m_program->NewChequeForm.PrintBtnClick();
    QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(m_dialogs->messages.join('\n')));
    QCOMPARE(PageCount(file), 3);
    QCOMPARE(PageSize(file), QStringLiteral("684 x 297"));
    const QStringList dates{"1/31/11", "2/28/11", "3/31/11"};
    for (int page = 1; page <= 3; ++page) {
        const QStringList texts = TextsOf(file, page);
        QVERIFY2(texts.contains(dates[page - 1]) && texts.contains("#250.50#"), qPrintable(texts.join(' ')));
    }
    // A single cheque afterwards is a file of its own again.
    fill("3/7/26", "Dorvan", "10");
    Find<RadioGroup>(&m_program->NewChequeForm, "ManyRG")->setItemIndex(0);
    m_program->NewChequeForm.PrintBtnClick();
    QCOMPARE(PageCount(file), 1);
    QVERIFY(TextsOf(file).contains("3/7/26"));
}

void TestProgram::decimalMarks_data()
{
    // clang-format off
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("figure"); // printed; empty when Print refuses
    QTest::addColumn<QString>("words");  // live, English
    const QString words = "// One Thousand, Two Hundred and Thirty-Four Dhs And Fifty Fils Only  //";
    const QStringList texts{"1234.5", "1234٫5", "١٢٣٤٫٥"};
    for (const QString locale : {"en_US", "ar_AE"})
        for (const QString &text : texts)
            QTest::addRow("%s %s", qPrintable(locale), qPrintable(text)) << locale << text << "#1,234.50#" << words;
    for (const QString &text : texts)
        QTest::addRow("ar_SY %s", qPrintable(text)) << "ar_SY" << text << "#١٬٢٣٤٫٥٠#" << words;
    QTest::newRow("de_DE 1234,5") << "de_DE" << "1234,5" << "#1.234,50#" << words;
    QTest::newRow("de_DE 1234٫5") << "de_DE" << "1234٫5" << "#1.234,50#" << words;
    QTest::newRow("de_DE ١٢٣٤٫٥") << "de_DE" << "١٢٣٤٫٥" << "#1.234,50#" << words;
    // "." groups thousands there: the words ignore it, and a cheque's figure
    // may not hold it (as "5,000" on an English desktop).
    QTest::newRow("de_DE 1234.5") << "de_DE" << "1234.5" << ""
                                  << "// Twelve Thousand, Three Hundred and Forty-Five Dhs Only  //";
    // clang-format on
}

void TestProgram::decimalMarks()
{
    QFETCH(QString, locale);
    QFETCH(QString, amount);
    QFETCH(QString, figure);
    QFETCH(QString, words);
    QLocale::setDefault(QLocale(locale));
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill(WriteShortDate(QDate(2026, 3, 7)), "Dorvan", amount);
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), words);
    QVERIFY(m_dialogs->messages.isEmpty());
    w.PrintBtnClick();
    if (figure.isEmpty()) {
        QCOMPARE(m_dialogs->messages.size(), 1);
        QVERIFY2(m_dialogs->messages[0].startsWith("Print Cheque: Error in Amount, it must be >0. The amount")
                     && m_dialogs->messages[0].contains("grouping separator (\".\")"),
                 qPrintable(m_dialogs->messages[0]));
        QVERIFY(m_printing->jobs.isEmpty());
        return;
    }
    QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(m_dialogs->messages.join('\n')));
    QCOMPARE(m_printing->jobs.size(), 1);
    const QStringList texts = TextsOf(m_printing->jobs[0]);
    QVERIFY2(texts.contains(figure) && texts.contains("Thirty-Four"), qPrintable(texts.join(' ')));
}

void TestProgram::checksComeBeforeThePrintDialog()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill("3/7/26", "Dorvan", "12.345");
    w.PrintBtnClick();
    QCOMPARE(m_printing->setups, 0);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains("more decimals"), qPrintable(m_dialogs->messages[0]));
    // The Print button's own check still follows the dialog.
    Find<QLineEdit>(&w, "AmountED")->setText("0");
    w.PrintBtnClick();
    QCOMPARE(m_printing->setups, 1);
    QCOMPARE(m_dialogs->messages.last(), QStringLiteral("Print Cheque: Error in Amount, it must be >0"));
    // Words that would not fit their box: refused at once, a run once.
    fill("3/7/26", "Dorvan", "177777777.77", 3);
    w.PrintBtnClick();
    QCOMPARE(m_printing->setups, 1);
    QCOMPARE(m_dialogs->messages.size(), 3);
    QVERIFY2(m_dialogs->messages.last().contains("(field 4) does not fit")
                 && m_dialogs->messages.last().contains("Setup"),
             qPrintable(m_dialogs->messages.last()));
    QVERIFY(m_printing->jobs.isEmpty());
}

void TestProgram::unfinishedNumbersRaiseNoMessage_data()
{
    // clang-format off
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("words");
    QTest::newRow("-250") << "en_US" << "-250" << "// Negative Only Two Hundred and Fifty Dhs //";
    QTest::newRow("+7") << "en_US" << "+7" << "// Seven Dhs Only  //";
    QTest::newRow(".5") << "en_US" << ".5" << "// - //";
    QTest::newRow("-.5") << "en_US" << "-.5" << "// -- //";
    QTest::newRow("1e3") << "en_US" << "1e3" << "// -- //";
    QTest::newRow("de_DE -,5") << "de_DE" << "-,5" << "// -- //";
    // clang-format on
}

void TestProgram::unfinishedNumbersRaiseNoMessage()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QString, words);
    QLocale::setDefault(QLocale(locale));
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<QLineEdit>(&w, "AmountED")->setFocus();
    for (int i = 0; i < typed.size(); ++i) {
        QTest::keyClicks(Find<QLineEdit>(&w, "AmountED"), typed.mid(i, 1));
        QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(typed.left(i + 1)));
        if (i == 0 && !typed.at(0).isDigit())
            QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), QStringLiteral("//  //")); // the words of nothing yet
    }
    QCOMPARE(Find<QLineEdit>(&w, "AmountED")->text(), typed);
    QCOMPARE(Find<QLabel>(&w, "EAmountLB")->text(), words);
    // A text no typing can mend is still reported, once per change.
    QTest::keyClicks(Find<QLineEdit>(&w, "AmountED"), "x");
    QCOMPARE(m_dialogs->messages.size(), 1);
}

void TestProgram::tabOrder()
{
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    w.activateWindow();
    auto order = [&w] {
        QStringList names;
        Find<QLineEdit>(&w, "DateEd")->setFocus();
        for (int i = 0; i < 8; ++i) {
            QWidget *f = QApplication::focusWidget();
            names << (f == Find<QLineEdit>(&w, "DateEd")                   ? "Date"
                          : f == Find<QLineEdit>(&w, "NameED")             ? "Name"
                          : f == Find<QLineEdit>(&w, "AmountED")           ? "Amount"
                          : f == Find<QSpinBox>(&w, "CountED")             ? "Count"
                          : f == Find<RadioGroup>(&w, "ManyRG")->button(0) ? "One"
                          : f == Find<RadioGroup>(&w, "ManyRG")->button(1) ? "Many"
                          : f == Find<QCheckBox>(&w, "AccOnly")            ? "Account Only"
                          : f == Find<QComboBox>(&w, "BankNameCB")         ? "Bank"
                          : f                                              ? f->metaObject()->className()
                                                                           : "none");
            if (f == Find<QComboBox>(&w, "BankNameCB"))
                break;
            QTest::keyClick(f, Qt::Key_Tab);
        }
        return names;
    };
    QCOMPARE(order(), (QStringList{"Date", "Name", "Amount", "One", "Account Only", "Bank"}));
    QTest::mouseClick(Find<RadioGroup>(&w, "ManyRG")->button(1), Qt::LeftButton);
    QCOMPARE(order(), (QStringList{"Date", "Name", "Amount", "Count", "Many", "Account Only", "Bank"}));
}

void TestProgram::countBox_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("tip"); // while typed
    QTest::newRow("37") << "37" << 37 << "";
    QTest::newRow("250") << "250" << 250 << "";
    QTest::newRow("251") << "251" << 250 << "251 becomes 250";
    QTest::newRow("999") << "999" << 250 << "999 becomes 250";
    QTest::newRow("0") << "0" << 1 << "0 becomes 1";
    QTest::newRow("emptied") << "" << 1 << "";
    // clang-format on
}

void TestProgram::countBox()
{
    QFETCH(QString, typed);
    QFETCH(int, count);
    QFETCH(QString, tip);
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    w.activateWindow();
    QTest::mouseClick(Find<RadioGroup>(&w, "ManyRG")->button(1), Qt::LeftButton);
    Find<QSpinBox>(&w, "CountED")->setValue(7);
    Find<QSpinBox>(&w, "CountED")->setFocus();
    Find<QSpinBox>(&w, "CountED")->selectAll();
    QTest::keyClick(Find<QSpinBox>(&w, "CountED"), Qt::Key_Delete);
    QTest::keyClicks(Find<QSpinBox>(&w, "CountED"), typed);
    QCOMPARE(Find<QSpinBox>(&w, "CountED")->text(), typed); // every key kept
    if (!tip.isEmpty())
        QVERIFY2(Find<QSpinBox>(&w, "CountED")->toolTip().contains(tip),
                 qPrintable(Find<QSpinBox>(&w, "CountED")->toolTip()));
    QTest::keyClick(Find<QSpinBox>(&w, "CountED"), Qt::Key_Tab); // leaving the box
    QCOMPARE(Find<QSpinBox>(&w, "CountED")->value(), count);
    QCOMPARE(Find<QSpinBox>(&w, "CountED")->text(), QString::number(count));
    QVERIFY(Find<QSpinBox>(&w, "CountED")->toolTip().isEmpty());
}

void TestProgram::noTextIsCut()
{
    start();
    TChequeForm &d = m_program->ChequeForm;
    d.show();
    d.ChangeBtnClick(); // every panel of the designer shown
    TNewChequeForm &w = m_program->NewChequeForm;
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(1);
    w.ManyRGClick();
    m_program->MoneyForm.show();
    QStringList cut;
    for (QWidget *window : std::initializer_list<QWidget *>{&w, &d, &m_program->MoneyForm})
        cut += CutTexts(window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join('\n')));
    // The pictures come with the program, whatever the desktop's icon theme.
    QVERIFY(!Find<QPushButton>(&w, "PrintBtn")->icon().availableSizes().isEmpty());
    QVERIFY(!Find<QPushButton>(&w, "BitBtn2")->icon().availableSizes().isEmpty());
}

void TestProgram::longBankNamesAreNotCutAtTheirStart()
{
    const QString name = "بنك سورية الدولي الإسلامي";
    write("banks.txt", {name, "SIB"});
    write("options.txt", {OptionLine(InitialLayout()), OptionLine(InitialLayout())});
    start();
    TChequeForm &d = m_program->ChequeForm;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QComboBox *choice = Find<QComboBox>(&d, "BankNameCB"); // 79 px: the name is far wider
    QCOMPARE(choice->toolTip(), name);
    QVERIFY(choice->fontMetrics().horizontalAdvance(name) > choice->width());
    // Its first word is drawn whole at the right end of the box, where an
    // Arabic name begins: the ink there is that of the word drawn alone.
    const QImage shot = choice->grab().toImage();
    QStyleOptionComboBox option;
    option.initFrom(choice);
    const QRect field =
        choice->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, choice);
    QImage alone(shot.size(), QImage::Format_RGB32);
    alone.fill(Qt::white);
    {
        QPainter painter(&alone);
        painter.setFont(choice->font());
        painter.setPen(Qt::black);
        painter.drawText(field.adjusted(2, 0, -2, 0), Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, "بنك");
    }
    const int wordWidth = choice->fontMetrics().horizontalAdvance("بنك");
    int differ = 0, ink = 0;
    for (int x = field.right() - 2 - wordWidth; x <= field.right(); ++x)
        for (int y = field.top(); y <= field.bottom(); ++y) {
            const bool a = qGray(shot.pixel(x, y)) < 100, b = qGray(alone.pixel(x, y)) < 100;
            ink += b;
            differ += a != b;
        }
    QVERIFY(ink > 0);
    QVERIFY2(differ * 5 < ink, qPrintable(QString("%1 of %2 pixels differ").arg(differ).arg(ink)));
    // The open list is as wide as the name.
    choice->showPopup();
    QVERIFY(choice->view()->width() >= choice->fontMetrics().horizontalAdvance(name));
    choice->hidePopup();
}

void TestProgram::printingLeavesTheLayoutsAsTheyAre()
{
    // Field 4 reads right to left, and follows field 2 on the page: an
    // English payee turns it left to right on screen, but no change of the
    // user's is made, nor saved.
    write("banks.txt", {"SIB", "ADCB"});
    write("options.txt", {OptionLine(InitialLayout()), OptionLine(Shifted(4))});
    const QByteArray options = ReadBytes(path("options.txt"));
    start();
    TNewChequeForm &w = m_program->NewChequeForm;
    fill("12/7/26", "Dorvan Eskel", "5000");
    w.PrintBtnClick();
    fill("12/7/26", "Noor Trading", "750", 3);
    w.PrintBtnClick();
    QList<BatchRow> rows =
        CheckList(ParseCsv("Date,Payee,Amount,Bank\n12/7/26,Eskel,10,SIB\n12/8/26,Dorvan,20,ADCB\n", "list.csv"),
                  w.batchContext());
    QCOMPARE(w.PrintList(rows, &w), 2);
    QCOMPARE(m_printing->jobs.size(), 6);
    QVERIFY(!m_program->ChequeForm.hasUnsavedChanges());
    QVERIFY(closeMain());
    QCOMPARE(m_dialogs->changesAsked, QStringList());
    QCOMPARE(ReadBytes(path("options.txt")), options);
}

void TestProgram::saveOptionsWritesTheFilesAtOnce()
{
    // A bank added and saved survives a process killed right after.
    QProcess program;
    program.start(SAVEBANKKILL_EXE, {m_dir->path(), "بنك الإمارات"});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    QCOMPARE(ReadDataFile(path("banks.txt")), QStringList({"SIB", "بنك الإمارات"}));
    QCOMPARE(ReadDataFile(path("options.txt")).size(), 2);
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
