// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "words/DgToStU.h"
#include "wordstest.h"

class TestTextOps : public QObject
{
    Q_OBJECT

private slots:
    void replaceAll_data();
    void replaceAll();
    void collapseSpaces_data();
    void collapseSpaces();
    void shortNameKeepsNineCharacters_data();
    void shortNameKeepsNineCharacters();
    void unboundedFieldsChangeNoAmountText();
    void strToInt_data();
    void strToInt();
};

void TestTextOps::replaceAll_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("absent") << "فقط خمسة آلاف" << "ألف" << "x" << "فقط خمسة آلاف";
    QTest::newRow("arabic") << "واحد ألفاً و خمسمائة" << "واحد ألفاً" << "ألف" << "ألف و خمسمائة";
    QTest::newRow("no overlap") << "aaa" << "aa" << "b" << "ba";
    QTest::newRow("arabic no overlap") << "ههه" << "هه" << "و" << "وه";
    QTest::newRow("delete keeps blanks") << "a // b // c" << "//" << "" << "a  b  c";
    QTest::newRow("longer replacement containing search") << "xax" << "a" << "aa" << "xaax";
    QTest::newRow("empty search") << "abc" << "" << "z" << "abc";
    QTest::newRow("every occurrence") << "a,b,,c," << "," << "" << "abc";
    QTest::newRow("whole text") << "abc" << "abc" << "" << "";
    // clang-format on
}

void TestTextOps::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    std::string s = U8(text);
    ReplaceAll(s, U8(search), U8(replacement));
    QCOMPARE(Q(s), expected);
}

void TestTextOps::collapseSpaces_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("three blanks") << "Five   Thousand" << "Five Thousand";
    QTest::newRow("leading run") << "  abc" << " abc";
    QTest::newRow("trailing run") << "abc    " << "abc ";
    QTest::newRow("tabs stay") << "a\t\tb  \t c" << "a\t\tb \t c";
    QTest::newRow("only blanks") << "     " << " ";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("arabic") << "فقط  خمسة   دراهم" << "فقط خمسة دراهم";
    QTest::newRow("after deletion") << "a  b  c" << "a b c";
    // clang-format on
}

void TestTextOps::collapseSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Q(CollapseSpaces(U8(text))), expected);
}

void TestTextOps::shortNameKeepsNineCharacters_data()
{
    // clang-format off
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("12 Arabic letters") << "ابتثجحخدذرزس" << "ابتثجحخدذ";
    QTest::newRow("9 Arabic letters") << "ابتثجحخدذ" << "ابتثجحخدذ";
    QTest::newRow("10 latin") << "ABCDEFGHIJ" << "ABCDEFGHI";
    QTest::newRow("mixed") << "Dhs درهم إماراتي" << "Dhs درهم ";
    QTest::newRow("short") << "Dhs" << "Dhs";
    QTest::newRow("empty") << "" << "";
    // clang-format on
}

void TestTextOps::shortNameKeepsNineCharacters()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    MonyType m;
    m.AMoneyName = U8(stored);
    m.Part3Name = U8(stored);
    QCOMPARE(Q(m.AMoneyName), expected);
    QCOMPARE(Q(m.Part3Name), expected);
    QVERIFY(Utf8Length(m.AMoneyName.str()) <= 9);
}

void TestTextOps::unboundedFieldsChangeNoAmountText()
{
    const std::string longName(300, 'X');
    MonyType plain = UaeMoney();
    MonyType odd = UaeMoney();
    odd.MoneySName = longName;
    QCOMPARE(odd.MoneySName.size(), longName.size());
    for (const char *amount : {"1", "2", "2.02", "102.5", "5000", "0.02", "-2.2"}) {
        std::string e1, a1, e2, a2;
        AmountToWords(amount, plain, e1, a1);
        AmountToWords(amount, odd, e2, a2);
        QCOMPARE(Q(e2), Q(e1));
        QCOMPARE(Q(a2), Q(a1));
    }
}

void TestTextOps::strToInt_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("leading zeros") << "000500" << true << 500;
    QTest::newRow("many zeros") << "0000000000000000000023" << true << 23;
    QTest::newRow("max") << "2147483647" << true << 2147483647;
    QTest::newRow("min") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("plus") << "+12" << true << 12;
    QTest::newRow("above max") << "2147483648" << false << 0;
    QTest::newRow("below min") << "-2147483649" << false << 0;
    QTest::newRow("huge") << "99999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("blank before") << " 5" << false << 0;
    QTest::newRow("blank after") << "5 " << false << 0;
    QTest::newRow("hex") << "0x10" << false << 0;
    QTest::newRow("dollar hex") << "$10" << false << 0;
    QTest::newRow("letters") << "12a" << false << 0;
    QTest::newRow("two signs") << "--5" << false << 0;
    QTest::newRow("arabic-indic digit") << "٥" << false << 0;
    // clang-format on
}

void TestTextOps::strToInt()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    if (ok) {
        QCOMPARE(StrToInt(U8(text)), value);
    } else {
        try {
            StrToInt(U8(text));
            QFAIL("no conversion error");
        } catch (const ChequeError &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

QTEST_APPLESS_MAIN(TestTextOps)
#include "tst_textops.moc"
