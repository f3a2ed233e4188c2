// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "words/DgToStU.h"
#include "wordstest.h"

class TestEnglish : public QObject
{
    Q_OBJECT

private slots:
    void numToEnglish_data();
    void numToEnglish();
    void conversionErrors_data();
    void conversionErrors();
    void longStringsGiveNothing();
};

void TestEnglish::numToEnglish_data()
{
    // clang-format off
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << "0" << "";
    QTest::newRow("007") << "007" << "Seven";
    QTest::newRow("000") << "000" << "";
    QTest::newRow("20") << "20" << "Twenty";
    QTest::newRow("23") << "23" << "Twenty-Three";
    QTest::newRow("99") << "99" << "Ninety-Nine";
    QTest::newRow("100") << "100" << "One Hundred";
    QTest::newRow("105") << "105" << "One Hundred and Five";
    QTest::newRow("110") << "110" << "One Hundred and Ten";
    QTest::newRow("123") << "123" << "One Hundred and Twenty-Three";
    QTest::newRow("023") << "023" << "Twenty-Three";
    QTest::newRow("1000") << "1000" << "One Thousand, ";
    QTest::newRow("1001") << "1001" << "One Thousand, One";
    QTest::newRow("1023") << "1023" << "One Thousand, Twenty-Three";
    QTest::newRow("1234") << "1234" << "One Thousand, Two Hundred and Thirty-Four";
    QTest::newRow("5000") << "5000" << "Five Thousand, ";
    QTest::newRow("12345") << "12345" << "Twelve Thousand, Three Hundred and Forty-Five";
    QTest::newRow("999999") << "999999"
                            << "Nine Hundred and Ninety-Nine Thousand, Nine Hundred and Ninety-Nine";
    QTest::newRow("1000500") << "1000500" << "One Million, Five Hundred";
    QTest::newRow("1234567") << "1234567"
                             << "One Million, Two Hundred and Thirty-Four Thousand, Five Hundred and "
                                "Sixty-Seven";
    QTest::newRow("1000500000") << "1000500000" << "One Billion, Five Hundred Thousand, ";
    QTest::newRow("2147483647") << "2147483647"
                                << "Two Billion, One Hundred and Forty-Seven Million, Four Hundred and "
                                   "Eighty-Three Thousand, Six Hundred and Forty-Seven";
    QTest::newRow("0500") << "0500" << "Five Hundred";
    QTest::newRow("000500") << "000500" << "Five Hundred";
    // clang-format on
}

void TestEnglish::numToEnglish()
{
    QFETCH(QString, digits);
    QFETCH(QString, expected);
    QCOMPARE(Q(NumToEnglish(U8(digits))), expected);
}

void TestEnglish::conversionErrors_data()
{
    // clang-format off
    QTest::addColumn<QString>("digits");
    QTest::newRow("2147483648") << "2147483648";
    QTest::newRow("12a") << "12a";
    QTest::newRow("empty") << "";
    QTest::newRow("blank") << " 12";
    QTest::newRow("point") << "1.5";
    // clang-format on
}

void TestEnglish::conversionErrors()
{
    QFETCH(QString, digits);
    QVERIFY_THROWS_EXCEPTION(ChequeError, NumToEnglish(U8(digits)));
}

void TestEnglish::longStringsGiveNothing()
{
    // 13 characters whose value is not a table word: no rule of length.
    QCOMPARE(Q(NumToEnglish("0000000000023")), QString());
    QCOMPARE(Q(NumToEnglish("0000000000005")), QStringLiteral("Five"));
}

QTEST_APPLESS_MAIN(TestEnglish)
#include "tst_english.moc"
