// SPDX-License-Identifier: GPL-3.0-or-later
// One cheque from what was typed to the texts of the fields, without a window.

#include <QtTest>

#include "layouttest.h"

#include "output/cheque.h"

class TestCheque : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void madeAsTyped();
    void refused_data();
    void refused();
    void digitsAsTypedHaveTheFiguresWords();
    void fieldsTakeTheChequeByKind_data();
    void fieldsTakeTheChequeByKind();
};

void TestCheque::madeAsTyped()
{
    const ChequeOrProblem made = MakeCheque("ADCB", "3/7/26", "Dorvan Eskel", "5000.5", true, UaeMoney(), "#", false);
    QVERIFY2(made.cheque, qPrintable(made.problem));
    const Cheque &c = *made.cheque;
    QCOMPARE(c.bank, QStringLiteral("ADCB"));
    QCOMPARE(c.figure, QStringLiteral("#5,000.50#"));
    QCOMPARE(c.minorUnits, 500050);
    QCOMPARE(c.amountText(), QStringLiteral("5000.50"));
    QCOMPARE(c.english, QStringLiteral("// Five Thousand, Dhs And Fifty Fils Only  //"));
    QCOMPARE(c.arabic, QStringLiteral("// خمسة آلاف درهم و خمسون فلساً فقط  //"));
    QCOMPARE(c.words(), c.english); // a Latin payee
    QVERIFY(c.accountOnly);
    // "Only First", three decimals, an Arabic payee.
    MonyType kwd = UaeMoney();
    kwd.PartDigits = 3;
    const Cheque arabic = *MakeCheque("", "", "محمد", "0.125", false, kwd, "", true).cheque;
    QCOMPARE(arabic.figure, QStringLiteral("0.125"));
    QCOMPARE(arabic.amountText(), QStringLiteral("0.125"));
    QCOMPARE(arabic.words(), QStringLiteral("// فقط مائة و خمسة وعشرون فلساً //"));
}

void TestCheque::refused_data()
{
    // clang-format off
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("problem");
    QTest::newRow("zero") << "0" << "Error in Amount, it must be >0";
    QTest::newRow("negative") << "-5" << "Error in Amount, it must be >0";
    QTest::newRow("grouped") << "5,000" << "Error in Amount, it must be >0";
    QTest::newRow("letters") << "5x" << "Error in Amount, it must be >0";
    QTest::newRow("more decimals") << "12.345" << "more decimals";
    QTest::newRow("too large") << "3000000000" << "too large";
    // clang-format on
}

void TestCheque::refused()
{
    QFETCH(QString, amount);
    QFETCH(QString, problem);
    const ChequeOrProblem made = MakeCheque("SIB", "3/7/26", "A", amount, false, UaeMoney(), "#", false);
    QVERIFY(!made.cheque);
    QVERIFY2(made.problem.contains(problem), qPrintable(made.problem));
}

// Whole digits with at most the currency's decimals are taken without
// converting the figure again: their words must be the figure's.
void TestCheque::digitsAsTypedHaveTheFiguresWords()
{
    QRandomGenerator random(7);
    for (int digits : {2, 3}) {
        MonyType money = UaeMoney();
        money.PartDigits = digits;
        for (int i = 0; i < 20000; ++i) {
            const QString whole = QString::number(random.bounded(1 + (i % 4) * 700000)).prepend(QString(i % 3, u'0'));
            const int decimals = random.bounded(digits + 1);
            QString typed = whole;
            if (decimals > 0)
                typed += u'.' + QString::number(random.bounded(1000) + 1000).right(decimals);
            const ChequeAmount read = ReadChequeAmount(typed, money);
            if (read.refusal) {
                QVERIFY2(read.value == 0, qPrintable(typed));
                continue;
            }
            std::string english, arabic;
            AmountToWords(QString::number(read.value, 'f', digits).toStdString(), money, english, arabic);
            QVERIFY2(read.words.english == english && read.words.arabic == arabic, qPrintable(typed));
        }
    }
}

void TestCheque::fieldsTakeTheChequeByKind_data()
{
    // clang-format off
    QTest::addColumn<QString>("payee");
    QTest::addColumn<bool>("accountOnly");
    QTest::newRow("Latin payee, account only") << "Dorvan" << true;
    QTest::newRow("Arabic payee") << "محمد علي" << false;
    QTest::newRow("blanks only") << "   " << false;
    // clang-format on
}

void TestCheque::fieldsTakeTheChequeByKind()
{
    QFETCH(QString, payee);
    QFETCH(bool, accountOnly);
    const Cheque c = *MakeCheque("SIB", "1/31/11", payee, "250", accountOnly, UaeMoney(), "*", false).cheque;
    // Every kind once, and a second payee field that read left to right.
    ChequeLayout layout = Shifted(0);
    layout.Fields[0].Kind = FieldKind::Name;
    layout.Fields[0].Right = false;
    layout.Fields[4].Kind = FieldKind::EnTextAmount;
    const ChequeLayout filled = FillCheque(layout, c);
    const bool rightToLeft = payee.trimmed().isEmpty() ? false : !payee.at(0).isLetter() || payee.at(0).unicode() > 127;
    QCOMPARE(filled.Fields[0].Text, payee);
    QCOMPARE(filled.Fields[0].Right, rightToLeft);
    QCOMPARE(filled.Fields[1].Text, payee);
    QCOMPARE(filled.Fields[1].Right, rightToLeft);
    QCOMPARE(filled.Fields[2].Text, QStringLiteral("*250.00*"));
    QCOMPARE(filled.Fields[3].Text, c.words());
    QCOMPARE(filled.Fields[4].Text, c.words());
    QCOMPARE(c.words(), rightToLeft ? c.arabic : c.english);
    // Nothing but texts, directions of payee fields and visibility changes.
    for (int i = 0; i < FieldCount; ++i) {
        ChequeField a = filled.Fields[std::size_t(i)], b = layout.Fields[std::size_t(i)];
        a.Text = b.Text;
        a.Right = b.Right;
        QCOMPARE(a, b);
    }
    // The Account Only field shows only for an account-only cheque.
    layout.Fields[4].Kind = FieldKind::AccountOnly;
    const ChequeLayout withAccount = FillCheque(layout, c);
    QCOMPARE(withAccount.Fields[4].Visible, accountOnly);
    QCOMPARE(withAccount.Fields[4].Text, QStringLiteral("Account Only"));
}

QTEST_GUILESS_MAIN(TestCheque)
#include "tst_cheque.moc"
