// SPDX-License-Identifier: GPL-3.0-or-later
// The Arabic amount in words read back, by a reader that knows the grammar
// of Arabic numbers and not the converter's tables: every whole amount to
// 1,000,000, every amount from 0.01 to 2,999.99 and a million random
// amounts up to the largest a cheque takes, for both presets with two and
// three sub-unit digits, read back to their amount.

#include <QRandomGenerator>
#include <QtTest>

#include "arabicreader.h"
#include "wordstest.h"

#include "words/DgToStU.h"

Q_DECLARE_METATYPE(MonyType)

class TestArabicWords : public QObject
{
    Q_OBJECT

private slots:
    void theReaderReadsAsACashierDoes_data();
    void theReaderReadsAsACashierDoes();
    void everyAmountReadsBackToItself_data();
    void everyAmountReadsBackToItself();
};

void TestArabicWords::theReaderReadsAsACashierDoes_data()
{
    // clang-format off
    QTest::addColumn<QString>("words");
    QTest::addColumn<qint64>("fils"); // -1: not an amount
    QTest::addColumn<QString>("currency"); // "": UAE; 3 digits: "UAE3", "SYR3", "OMR"
    QTest::newRow("thousands") << "فقط خمسة آلاف درهم" << 500000LL << "";
    QTest::newRow("teens and tens") << "فقط ثلاثة عشر ألفاً و ثلاثة وعشرون درهماً" << 1302300LL << "";
    QTest::newRow("a count of hundred and one") << "فقط مائة وواحد ألف درهم" << 10100000LL << "";
    QTest::newRow("hundreds as two words") << "فقط ثلاث مائة درهم" << 30000LL << "";
    QTest::newRow("the one after its noun") << "فقط مائة و درهم واحد و خمسون فلساً لا غير" << 10150LL << "";
    QTest::newRow("the dual noun") << "فقط ألف و درهمان لاغير" << 100200LL << "";
    QTest::newRow("sub-units alone") << "فقط خمسة وعشرون فلساً" << 25LL << "";
    QTest::newRow("a hundred, then two thousand") << "فقط مائة و ألفا درهم" << -1LL << "";
    QTest::newRow("a thousand after a hundred") << "فقط مائة و ألف و سبعة دراهم" << -1LL << "";
    QTest::newRow("closing words before the sub-units") << "فقط درهم واحد لا غير و خمسون فلساً" << -1LL << "";
    QTest::newRow("a dual with a count") << "فقط ثلاثة ألفان درهم" << -1LL << "";
    QTest::newRow("not a number") << "فقط كثير درهم" << -1LL << "";
    // Grammar the reader refuses: what the converter wrote before its mends,
    // and forms a fault in it would write.
    QTest::newRow("free dual of 200 before sub-units") << "فقط مائتان فلس" << -1LL << "UAE3";
    QTest::newRow("after whole units") << "فقط درهم واحد و مائتان فلس لا غير" << -1LL << "UAE3";
    QTest::newRow("a pound's piastres") << "فقط مائتان قرش" << -1LL << "SYR3";
    QTest::newRow("a feminine sub-unit") << "فقط مائتان بيسة" << -1LL << "OMR";
    QTest::newRow("two sub-units as a count") << "فقط إثنان فلساً" << -1LL << "";
    QTest::newRow("after two thousand and two") << "فقط ألفان و درهمان و إثنان فلساً لاغير" << -1LL << "";
    QTest::newRow("two piastres as a count") << "فقط إثنان قرشاً" << -1LL << "SYR3";
    QTest::newRow("after a hundred") << "فقط مائة و إثنان فلساً" << -1LL << "UAE3";
    QTest::newRow("two feminine sub-units as a count") << "فقط إثنتان بيسةً" << -1LL << "OMR";
    QTest::newRow("a milliard from the sign's place") << "فقط ملياراً ومائة و مليونان ودرهم واحد و خمسة فلوس لا غير" << -1LL << "UAE3";
    QTest::newRow("accusative after three") << "فقط ثلاثة درهماً" << -1LL << "";
    QTest::newRow("plural after twenty") << "فقط عشرون دراهم" << -1LL << "";
    QTest::newRow("plural after a hundred") << "فقط مائة دراهم" << -1LL << "";
    QTest::newRow("a thousand's singular after three") << "فقط ثلاثة ألف درهم" << -1LL << "";
    QTest::newRow("thousands' plural after eleven") << "فقط أحد عشر آلاف درهم" << -1LL << "";
    QTest::newRow("free dual before the noun") << "فقط ألفان درهم" << -1LL << "";
    QTest::newRow("three in the noun's gender") << "فقط ثلاث دراهم" << -1LL << "";
    QTest::newRow("three in the noun's gender, feminine") << "فقط ثلاثة ليرات" << -1LL << "SYR3";
    QTest::newRow("a teen of two genders") << "فقط أحد عشرة درهماً" << -1LL << "";
    // The mended forms.
    QTest::newRow("construct dual of 200") << "فقط درهم واحد و مائتا فلس لا غير" << 1200LL << "UAE3";
    QTest::newRow("dual sub-units") << "فقط ألفان و درهمان و فلسان لاغير" << 200202LL << "";
    QTest::newRow("feminine dual sub-units") << "فقط مائة و بيستان" << 102LL << "OMR";
    QTest::newRow("three in the other gender, feminine") << "فقط ثلاث ليرات" << 3000LL << "SYR3";
    // clang-format on
}

void TestArabicWords::theReaderReadsAsACashierDoes()
{
    QFETCH(QString, words);
    QFETCH(qint64, fils);
    QFETCH(QString, currency);
    MonyType money = currency.startsWith("SYR") ? SyrMoney() : UaeMoney();
    if (currency == "OMR")
        money = {"ريال", "Rial", "بيسة", "Baisa", "ريالان", "بيستان", "ريالات", "بيسات", 3, true, false, "OMR"};
    money.PartDigits = currency.isEmpty() ? 2 : 3;
    const auto read = arabic_reader::ReadArabicAmount(U8(words), money);
    QCOMPARE(read.value_or(-1), fils);
}

void TestArabicWords::everyAmountReadsBackToItself_data()
{
    QTest::addColumn<MonyType>("money");
    for (int digits : {2, 3}) {
        MonyType uae = UaeMoney(), syr = SyrMoney();
        uae.PartDigits = syr.PartDigits = digits;
        QTest::addRow("UAE, %d digits", digits) << uae;
        QTest::addRow("SYR, %d digits", digits) << syr;
    }
}

void TestArabicWords::everyAmountReadsBackToItself()
{
    QFETCH(MonyType, money);
    qint64 scale = 1;
    for (int i = 0; i < money.PartDigits; ++i)
        scale *= 10;
    std::string english, arabic;
    int wrong = 0;
    const auto check = [&](const std::string &amount, qint64 expected) {
        AmountToWords(amount, money, english, arabic);
        const auto read = arabic_reader::ReadArabicAmount(arabic, money);
        if (read != expected && ++wrong <= 10)
            qWarning().noquote() << QString::fromStdString(amount) << "reads as"
                                 << (read ? QString::number(*read) : QStringLiteral("no amount")) << ":" << Q(arabic);
    };
    // The sanitizer build runs some twenty times slower: it walks one amount
    // in 17 (every last two digits still come) of the sweeps and of the
    // random amounts, the release build all of them.
#ifdef __SANITIZE_ADDRESS__
    constexpr int step = 17;
#else
    constexpr int step = 1;
#endif
    // Every whole amount to a million.
    for (qint64 n = 1; n <= 1000000; n += step)
        check(std::to_string(n), n * scale);
    // Every amount with sub-units up to 2,999.99.
    for (qint64 cents = 1; cents < 300000; cents += step) {
        const std::string amount = std::to_string(cents / 100) + '.' + std::to_string(100 + cents % 100).substr(1);
        check(amount, cents / 100 * scale + cents % 100 * scale / 100);
    }
    // A million random amounts, up to the largest a cheque takes.
    QRandomGenerator random(20261207);
    for (int i = 0; i < 1000000 / step; ++i) {
        const qint64 limit = qint64(1) << random.bounded(1, 32); // every size of number
        const qint64 whole = random.bounded(std::min(limit, qint64(2147483648LL)));
        const qint64 part = random.bounded(scale);
        if (whole == 0 && part == 0)
            continue;
        const std::string amount = std::to_string(whole) + '.' + std::to_string(scale + part).substr(1);
        check(amount, whole * scale + part);
    }
    QVERIFY2(wrong == 0, qPrintable(QString::number(wrong) + " amounts do not read back to themselves"));
}

QTEST_APPLESS_MAIN(TestArabicWords)
#include "tst_arabicwords.moc"
