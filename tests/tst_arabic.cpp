// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "words/DgToStU.h"
#include "wordstest.h"

class TestArabic : public QObject
{
    Q_OBJECT

private slots:
    void numToArabic_data();
    void numToArabic();
    void conversionErrorsRaise();
};

void TestArabic::numToArabic_data()
{
    // clang-format off
    QTest::addColumn<QString>("digits");
    QTest::addColumn<bool>("masculine");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("moneyForm");
    QTest::addColumn<QString>("partForm");

    const QString acc = "درهماً", accP = "فلساً", pl = "دراهم", plP = "فلوس", sg = "درهم", sgP = "فلس";
    QTest::newRow("1 m") << "1" << true << "واحد" << acc << accP;
    QTest::newRow("2 f") << "2" << false << "إثنتان" << acc << accP;
    QTest::newRow("3 m") << "3" << true << "ثلاثة" << pl << plP;
    QTest::newRow("8 f") << "8" << false << "ثمان" << pl << plP;
    QTest::newRow("18 f") << "18" << false << "ثماني عشرة" << acc << accP;
    QTest::newRow("23 m") << "23" << true << "ثلاثة وعشرون" << acc << accP;
    QTest::newRow("23 f") << "23" << false << "ثلاث وعشرون" << acc << accP;
    QTest::newRow("100") << "100" << true << "مائة " << sg << sgP;
    QTest::newRow("101") << "101" << true << "مائة و واحد" << acc << accP;
    QTest::newRow("105") << "105" << true << "مائة و خمسة" << pl << plP;
    QTest::newRow("200") << "200" << true << "مائتان " << sg << sgP;
    QTest::newRow("800") << "800" << true << "ثمانمائة " << sg << sgP;
    QTest::newRow("1000") << "1000" << true << "واحد ألف " << sg << sgP;
    QTest::newRow("1001") << "1001" << true << "ألف و واحد" << acc << accP;
    QTest::newRow("1023 f") << "1023" << false << "ألف و ثلاث وعشرون" << acc << accP;
    QTest::newRow("1500") << "1500" << true << "ألف و خمسمائة " << sg << sgP;
    QTest::newRow("2000") << "2000" << true << "ألفا " << sg << sgP;
    QTest::newRow("2500") << "2500" << true << "ألفان و خمسمائة " << sg << sgP;
    QTest::newRow("5000") << "5000" << true << "خمسة آلاف " << sg << sgP;
    QTest::newRow("13000") << "13000" << true << "ثلاثة عشر ألف " << sg << sgP;
    QTest::newRow("13500") << "13500" << true << "ثلاثة عشر ألفاً و خمسمائة " << sg << sgP;
    QTest::newRow("100000") << "100000" << true << "مائة آلاف " << sg << sgP;
    QTest::newRow("200000") << "200000" << true << "مائتا ألف " << sg << sgP;
    QTest::newRow("1000000") << "1000000" << true << "مليون " << sg << sgP;
    QTest::newRow("1000500") << "1000500" << true << "مليون وخمسمائة " << sg << sgP;
    QTest::newRow("2000000") << "2000000" << true << "مليونان " << sg << sgP;
    QTest::newRow("3000000") << "3000000" << true << "ثلاثة ملايين " << sg << sgP;
    QTest::newRow("101000000") << "101000000" << true << "مائة و مليون " << sg << sgP;
    QTest::newRow("2147483647") << "2147483647" << true
                                << "ملياران ومائة و سبعة وأربعون مليوناً وأربعمائة و ثلاثة وثمانون ألفاً و "
                                   "ستمائة و سبعة وأربعون"
                                << acc << accP;
    QTest::newRow("1000023 f") << "1000023" << false << "مليون وثلاث وعشرون" << acc << accP;
    QTest::newRow("023 f") << "023" << false << "ثلاث وعشرون" << acc << accP;
    QTest::newRow("300 fraction") << "300" << true << "ثلاثمائة " << sg << sgP;
    QTest::newRow("005") << "005" << true << "خمسة" << pl << plP;
    QTest::newRow("111") << "111" << true << "مائة و أحد عشر" << acc << accP;
    QTest::newRow("1005") << "1005" << true << "ألف و خمسة" << pl << plP;
    // clang-format on
}

void TestArabic::numToArabic()
{
    QFETCH(QString, digits);
    QFETCH(bool, masculine);
    QFETCH(QString, expected);
    QFETCH(QString, moneyForm);
    QFETCH(QString, partForm);
    const ArabicNumber number = NumToArabic(U8(digits), UaeMoney(), masculine);
    QCOMPARE(Q(number.words), expected);
    QCOMPARE(Q(number.moneyNoun), moneyForm);
    QCOMPARE(Q(number.partNoun), partForm);
}

void TestArabic::conversionErrorsRaise()
{
    QVERIFY_THROWS_EXCEPTION(ChequeError, NumToArabic("2147483648", UaeMoney(), true));
    QVERIFY_THROWS_EXCEPTION(ChequeError, NumToArabic("", UaeMoney(), true));
    QVERIFY_THROWS_EXCEPTION(ChequeError, NumToArabic("1x3", UaeMoney(), true));
}

QTEST_APPLESS_MAIN(TestArabic)
#include "tst_arabic.moc"
