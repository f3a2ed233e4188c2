// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "controls.h"
#include "testfiles.h"

#include "core/datafile.h"
#include "currency/currencyrecord.h"
#include "currency/moneyfile.h"
#include "gui/currency/monyU.h"
#include "testdialogs.h"
#include "gui/widgets/widgets.h"

namespace {

const QStringList kUae = {"درهم", "DHs", "Dhs", "فلس", "Fils", "درهمان", "فلسان", "دراهم", "فلوس", "2", "T", "T"};
const QStringList kSyr = {"ليرة", "SP", "S.POUND", "قرش", "QRSH", "ليرتان", "قرشان", "ليرات", "قروش", "2", "F", "T"};

QByteArray Bytes(const QStringList &lines) { return EncodeDataLines(lines, "test"); }

void TypeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

} // namespace

class TestMoneyForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstStartWritesTheUaePreset();
    void syrAndOk();
    void syrAndCancel();
    void choseChangesNothing();
    void closeBoxKeepsUnappliedTexts();
    void thousandAndNormalisation();
    void longNamesAreCut();
    void damagedFileIsKeptAndReported_data();
    void damagedFileIsKeptAndReported();
    void unwritableFileKeepsTheWindowOpen();
    void refusesCharactersTheFileCannotHold();
    void enterAndEscape();

private:
    void startUp(); // the program's start-up of this window
    std::optional<QString> m_startProblem;
    QTemporaryDir *m_dir = nullptr;
    CurrencyRecord m_record;
    TMoneyForm *m_form = nullptr;
    TestDialogs *m_dialogs = nullptr;
};

void TestMoneyForm::init()
{
    m_record.setValue(MonyType{});
    m_dir = new QTemporaryDir;
    m_dialogs = new TestDialogs;
    m_form = new TMoneyForm(m_record);
    m_form->setDataDir(m_dir->path() + "/");
}

void TestMoneyForm::cleanup()
{
    delete m_form;
    delete m_dialogs;
    delete m_dir;
}

void TestMoneyForm::startUp() { m_startProblem = m_form->StartUp(m_dir->path() + "/"); }

void TestMoneyForm::firstStartWritesTheUaePreset()
{
    QCOMPARE(Find<RadioGroup>(m_form, "CountryRB")->items(), (QStringList{"Chose", "SYR", "UAE "}));
    startUp();
    QVERIFY(!m_form->isVisible());
    QCOMPARE(ReadBytes(m_form->moneyPath()), Bytes(kUae));
    QVERIFY(m_record.value() == UaeMoney());
    QCOMPARE(Find<RadioGroup>(m_form, "CountryRB")->itemIndex(), 2);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestMoneyForm::syrAndOk()
{
    startUp();
    m_form->show();
    QTest::mouseClick(Find<RadioGroup>(m_form, "CountryRB")->findChildren<QRadioButton *>().at(1), Qt::LeftButton);
    QCOMPARE(Find<QLineEdit>(m_form, "AMoneyNameEd")->text(), QStringLiteral("ليرة"));
    QVERIFY(m_record.value() == UaeMoney()); // only the controls change
    QTest::mouseClick(Find<QPushButton>(m_form, "MonyOkBtn"), Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_record.value() == SyrMoney());
    QCOMPARE(ReadBytes(m_form->moneyPath()), Bytes(kSyr));
}

void TestMoneyForm::syrAndCancel()
{
    startUp();
    m_form->show();
    Find<RadioGroup>(m_form, "CountryRB")->setItemIndex(1);
    m_form->CountryRBClick();
    QTest::mouseClick(Find<QPushButton>(m_form, "BitBtn2"), Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_record.value() == UaeMoney());
    QCOMPARE(Find<QLineEdit>(m_form, "AMoneyNameEd")->text(), QStringLiteral("درهم"));
    QVERIFY(Find<QCheckBox>(m_form, "MoneyMaleChk")->isChecked());
    QCOMPARE(ReadBytes(m_form->moneyPath()), Bytes(kUae));
}

void TestMoneyForm::choseChangesNothing()
{
    startUp();
    Find<QLineEdit>(m_form, "AMoneyNameEd")->setText("typed");
    Find<RadioGroup>(m_form, "CountryRB")->setItemIndex(0);
    m_form->CountryRBClick();
    QCOMPARE(Find<QLineEdit>(m_form, "AMoneyNameEd")->text(), QStringLiteral("typed"));
}

void TestMoneyForm::closeBoxKeepsUnappliedTexts()
{
    startUp();
    m_form->show();
    Find<QLineEdit>(m_form, "EMoneyNameEd")->setText("AED");
    QFile::remove(m_form->moneyPath());
    QVERIFY(m_form->close());
    QVERIFY(m_record.value() == UaeMoney());
    QCOMPARE(ReadBytes(m_form->moneyPath()), Bytes(kUae)); // written, unchanged
    m_form->show();
    QCOMPARE(Find<QLineEdit>(m_form, "EMoneyNameEd")->text(), QStringLiteral("AED"));
}

void TestMoneyForm::thousandAndNormalisation()
{
    QStringList lines = kUae;
    lines[9] = "5";
    lines[10] = "t";
    lines[11] = " T";
    lines << "13"
          << "14"
          << "15";
    WriteDataFile(m_form->moneyPath(), lines);
    startUp();
    QCOMPARE(Find<RadioGroup>(m_form, "CountryRB")->itemIndex(), 0);
    QCOMPARE(m_record.value().PartDigits, 3);
    QStringList expected = kUae;
    expected[9] = "3";
    expected[10] = "F";
    expected[11] = "F";
    QCOMPARE(ReadBytes(m_form->moneyPath()), Bytes(expected));

    m_form->show();
    Find<RadioGroup>(m_form, "PartsRB")->setItemIndex(0);
    m_form->MonyOkBtnClick();
    QCOMPARE(m_record.value().PartDigits, 2);
    QVERIFY(ReadBytes(m_form->moneyPath()).contains("\r\n2\r\nF\r\nF\r\n"));
}

void TestMoneyForm::longNamesAreCut()
{
    startUp();
    m_form->show();
    Find<QLineEdit>(m_form, "AMoneyNameEd")->setText("ابتثجحخدذرزس");
    Find<QLineEdit>(m_form, "MoneySNameEd")->setText(QString(40, u'S'));
    m_form->MonyOkBtnClick();
    QCOMPARE(FromStd(m_record.value().AMoneyName), QStringLiteral("ابتثجحخدذ"));
    QCOMPARE(Find<QLineEdit>(m_form, "AMoneyNameEd")->text(), QStringLiteral("ابتثجحخدذرزس"));
    const QStringList stored = ReadDataFile(m_form->moneyPath());
    QCOMPARE(stored.at(0), QStringLiteral("ابتثجحخدذ"));
    QCOMPARE(stored.at(1), QString(40, u'S'));
}

void TestMoneyForm::damagedFileIsKeptAndReported_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("firstName");
    QByteArray word = Bytes(kSyr);
    word.replace("\r\n2\r\n", "\r\ntwo\r\n");
    QTest::newRow("line 10 a word") << word << "ليرة";
    QTest::newRow("six lines") << Bytes(kSyr.mid(0, 6)) << "ليرة";
    QTest::newRow("binary garbage") << QByteArray("\x00\x01\xff\xfe garbage \x1a\x80", 15) << QString();
    // clang-format on
}

void TestMoneyForm::damagedFileIsKeptAndReported()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, firstName);
    QFile f(m_form->moneyPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    startUp();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages.at(0).contains(QDir::toNativeSeparators(m_form->moneyPath())),
             qPrintable(m_dialogs->messages.at(0)));
    QVERIFY(m_dialogs->messages.at(0).contains("money.txt.bak"));
    QCOMPARE(ReadBytes(m_form->moneyPath() + ".bak"), content);
    QVERIFY(!m_startProblem);     // start-up goes on
    QVERIFY(m_form->isVisible()); // with the window open to check what was read
    QCOMPARE(m_record.value().PartDigits, 2);
    if (!firstName.isEmpty())
        QCOMPARE(FromStd(m_record.value().AMoneyName), firstName);
    QCOMPARE(ReadDataFile(m_form->moneyPath()).size(), 12);
}

void TestMoneyForm::unwritableFileKeepsTheWindowOpen()
{
    startUp();
    const QByteArray before = ReadBytes(m_form->moneyPath());
    // A directory where the temporary file would go: the rename cannot happen.
    QVERIFY(QFile::remove(m_form->moneyPath()));
    QVERIFY(QDir().mkdir(m_form->moneyPath()));
    m_form->show();
    Find<RadioGroup>(m_form, "CountryRB")->setItemIndex(1);
    m_form->CountryRBClick();
    m_form->MonyOkBtnClick();
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages.at(0).contains(QDir::toNativeSeparators(m_form->moneyPath())),
             qPrintable(m_dialogs->messages.at(0)));
    QVERIFY(m_record.value() == SyrMoney()); // applied before the write
    QVERIFY(QFileInfo(m_form->moneyPath()).isDir());
    Q_UNUSED(before);
}

void TestMoneyForm::refusesCharactersTheFileCannotHold()
{
    startUp();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    QLineEdit *edit = Find<QLineEdit>(m_form, "AMoneyNameEd");
    edit->setFocus();
    edit->end(false);
    TypeText(edit, "ش٥");
    QCOMPARE(edit->text(), QStringLiteral("درهمش"));
    QVERIFY(edit->property("rejection").toString().contains("money.txt"));
    edit->insert("yß");
    QCOMPARE(edit->text(), QStringLiteral("درهمش"));
    edit->insert("€é");
    QCOMPARE(edit->text(), QStringLiteral("درهمش€é"));
    TypeText(Find<QLineEdit>(m_form, "MoneySNameEd"), "😀");
    QCOMPARE(Find<QLineEdit>(m_form, "MoneySNameEd")->text(), QStringLiteral("DHs"));
    m_form->MonyOkBtnClick();
    QVERIFY(!ReadBytes(m_form->moneyPath()).contains('\x1a'));
}

void TestMoneyForm::enterAndEscape()
{
    startUp();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    Find<RadioGroup>(m_form, "CountryRB")->setItemIndex(1);
    m_form->CountryRBClick();
    QTest::keyClick(Find<QLineEdit>(m_form, "EMoneyNameEd"), Qt::Key_Escape);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_record.value() == UaeMoney());
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    Find<RadioGroup>(m_form, "CountryRB")->setItemIndex(1);
    m_form->CountryRBClick();
    QTest::keyClick(Find<QLineEdit>(m_form, "EMoneyNameEd"), Qt::Key_Return);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_record.value() == SyrMoney());

    // Enter on Cancel is Cancel: the typed name is not applied.
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    Find<QLineEdit>(m_form, "EPartNameEd")->setText("ZZZ");
    Find<QPushButton>(m_form, "BitBtn2")->setFocus();
    QTest::keyClick(Find<QPushButton>(m_form, "BitBtn2"), Qt::Key_Return);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_record.value() == SyrMoney());
    QCOMPARE(Find<QLineEdit>(m_form, "EPartNameEd")->text(), QStringLiteral("QRSH"));
    QVERIFY(!ReadBytes(m_form->moneyPath()).contains("ZZZ"));
    // Enter on a radio button presses nothing.
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    Find<RadioGroup>(m_form, "PartsRB")->setFocus();
    QTest::keyClick(m_form, Qt::Key_Enter);
    QVERIFY(m_form->isVisible());
}

QTEST_MAIN(TestMoneyForm)
#include "tst_moneyform.moc"
