// SPDX-License-Identifier: GPL-3.0-or-later
#include <QHash>
#include <QRandomGenerator>
#include <QtTest>

#include "output/amounttext.h"
#include "words/DgToStU.h"
#include "words/detail.h"
#include "wordstest.h"

namespace {

// Reads English number words back into their value, so that a property test
// can check that the words state the amount.
qint64 EnglishValue(const QString &words)
{
    static const QStringList small = {"",         "One",     "Two",     "Three",     "Four",     "Five",    "Six",
                                      "Seven",    "Eight",   "Nine",    "Ten",       "Eleven",   "Twelve",  "Thirteen",
                                      "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
    static const QStringList tens = {"",      "",      "Twenty",  "Thirty", "Forty",
                                     "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"};
    qint64 total = 0;
    qint64 group = 0;
    QString cleaned = words;
    cleaned.replace(u'-', u' ').replace(u',', u' ');
    for (const QString &w : cleaned.split(u' ', Qt::SkipEmptyParts)) {
        if (w == "and")
            continue;
        if (const int i = small.indexOf(w); i > 0)
            group += i;
        else if (const int t = tens.indexOf(w); t > 1)
            group += 10 * t;
        else if (w == "Hundred")
            group *= 100;
        else if (w == "Thousand" || w == "Million" || w == "Billion") {
            total += group * (w == "Thousand" ? 1000 : w == "Million" ? 1000000 : 1000000000);
            group = 0;
        } else
            return -1;
    }
    return total + group;
}

} // namespace

class TestAmountWords : public QObject
{
    Q_OBJECT

private slots:
    void uae_data();
    void uae();
    void syr_data();
    void syr();
    void thousandSubUnits_data();
    void thousandSubUnits();
    void notANumber_data();
    void notANumber();
    void negativeWithLeadingZerosReadsLikeItsValue();
    void zeroFractionAfterCut();
    void everyIntegerConverts();
    void randomAmountsStateTheirValue();
    void replacementsAsReplaceAllMakesThem();
    void currenciesInAnyOrder();
    void markAmountText_data();
    void markAmountText();

private:
    void addRows();
    void check(const MonyType &money);
};

void TestAmountWords::addRows()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("arabic");
}

void TestAmountWords::check(const MonyType &money)
{
    QFETCH(QString, amount);
    QFETCH(QString, english);
    QFETCH(QString, arabic);
    std::string en = "old";
    std::string ar = "old";
    AmountToWords(U8(amount), money, en, ar);
    QCOMPARE(Q(en), english);
    QCOMPARE(Q(ar), arabic);
}

void TestAmountWords::uae_data()
{
    // clang-format off
    addRows();
    QTest::newRow("5000") << "5000" << "Only Five Thousand, Dhs" << "فقط خمسة آلاف درهم";
    QTest::newRow("1") << "1" << "Only One Dhs" << "فقط درهم واحد لا غير";
    QTest::newRow("2") << "2" << "Only Two Dhs" << "فقط درهمان لاغير";
    QTest::newRow("3") << "3" << "Only Three Dhs" << "فقط ثلاثة دراهم";
    QTest::newRow("11") << "11" << "Only Eleven Dhs" << "فقط أحد عشر درهماً";
    QTest::newRow("23") << "23" << "Only Twenty-Three Dhs" << "فقط ثلاثة وعشرون درهماً";
    QTest::newRow("100") << "100" << "Only One Hundred Dhs" << "فقط مائة درهم";
    QTest::newRow("101") << "101" << "Only One Hundred and One Dhs" << "فقط مائة و درهم واحد لا غير";
    QTest::newRow("200") << "200" << "Only Two Hundred Dhs" << "فقط مائتا درهم";
    QTest::newRow("1,000") << "1,000" << "Only One Thousand, Dhs" << "فقط ألف درهم";
    QTest::newRow("2,500") << "2,500" << "Only Two Thousand, Five Hundred Dhs" << "فقط ألفان و خمسمائة درهم";
    QTest::newRow("101000") << "101000" << "Only One Hundred and One Thousand, Dhs" << "فقط مائة وواحد ألف درهم";
    QTest::newRow("300000") << "300000" << "Only Three Hundred Thousand, Dhs" << "فقط ثلاثمائة ألف درهم";
    QTest::newRow("2000000") << "2000000" << "Only Two Million, Dhs" << "فقط مليونا درهم";
    QTest::newRow("5.5") << "5.5" << "Only Five Dhs And Fifty Fils" << "فقط خمسة دراهم و خمسون فلساً";
    QTest::newRow("5.05") << "5.05" << "Only Five Dhs And Five Fils" << "فقط خمسة دراهم و خمسة فلوس";
    QTest::newRow("0.25") << "0.25" << "Only Twenty-Five Fils" << "فقط خمسة وعشرون فلساً";
    QTest::newRow("12.345") << "12.345" << "Only Twelve Dhs And Thirty-Four Fils"
                            << "فقط إثنا عشر درهماً و أربعة وثلاثون فلساً";
    QTest::newRow("-5") << "-5" << "Negative Only Five Dhs" << "سالب فقط خمسة دراهم";
    QTest::newRow("-0.5") << "-0.5" << "Negative Only Fifty Fils" << "سالب فقط خمسون فلساً";
    QTest::newRow("0") << "0" << "-" << "-";
    QTest::newRow("0.00") << "0.00" << "-" << "-";
    QTest::newRow(".5") << ".5" << "-" << "-";
    QTest::newRow("-0") << "-0" << "-" << "-";
    QTest::newRow("2147483648") << "2147483648" << "--" << "--";
    QTest::newRow("empty") << "" << "" << "";
    QTest::newRow("1,,000") << "1,,000" << "Only One Thousand, Dhs" << "فقط ألف درهم";
    QTest::newRow("2147483647") << "2147483647"
                                << "Only Two Billion, One Hundred and Forty-Seven Million, Four Hundred and "
                                   "Eighty-Three Thousand, Six Hundred and Forty-Seven Dhs"
                                << "فقط ملياران ومائة و سبعة وأربعون مليوناً وأربعمائة و ثلاثة وثمانون ألفاً "
                                   "و ستمائة و سبعة وأربعون درهماً";
    QTest::newRow("exponent") << "5e3" << "--" << "--";
    QTest::newRow("sign alone before point") << "-.5" << "--" << "--";
    QTest::newRow("blank before") << " 5" << "--" << "--";
    QTest::newRow("0.001 cut to nothing") << "0.001" << "Only Dhs" << "لا شيء";
    QTest::newRow("leading zeros") << "0005" << "Only Five Dhs" << "فقط خمسة دراهم";
    QTest::newRow("102") << "102" << "Only One Hundred and Two Dhs" << "فقط مائة و درهمان لاغير";
    QTest::newRow("1000000") << "1000000" << "Only One Million, Dhs" << "فقط مليون درهم";
    QTest::newRow("trailing point") << "12." << "Only Twelve Dhs" << "فقط إثنا عشر درهماً";
    // A count of thousands or millions ending in 01 or 02 after hundreds, and
    // "لا غير" before sub-units, read as other sums before they were mended.
    QTest::newRow("102000") << "102000" << "Only One Hundred and Two Thousand, Dhs" << "فقط مائة ألف و ألفا درهم";
    QTest::newRow("101007") << "101007" << "Only One Hundred and One Thousand, Seven Dhs" << "فقط مائة ألف و ألف و سبعة دراهم";
    QTest::newRow("102000000") << "102000000" << "Only One Hundred and Two Million, Dhs" << "فقط مائة ملايين ومليونا درهم";
    QTest::newRow("1.50") << "1.50" << "Only One Dhs And Fifty Fils" << "فقط درهم واحد و خمسون فلساً لا غير";
    QTest::newRow("2.01") << "2.01" << "Only Two Dhs And One Fils" << "فقط درهمان و واحد فلساً لاغير";
    // clang-format on
}

void TestAmountWords::uae() { check(UaeMoney()); }

void TestAmountWords::syr_data()
{
    // clang-format off
    addRows();
    QTest::newRow("1") << "1" << "Only One S.POUND" << "فقط ليرة واحدة لا غير";
    QTest::newRow("2") << "2" << "Only Two S.POUND" << "فقط ليرتان لاغير";
    QTest::newRow("11") << "11" << "Only Eleven S.POUND" << "فقط إحدى عشرة ليرةً";
    QTest::newRow("1,023") << "1,023" << "Only One Thousand, Twenty-Three S.POUND" << "فقط ألف و ثلاث وعشرون ليرةً";
    QTest::newRow("5.5") << "5.5" << "Only Five S.POUND And Fifty QRSH" << "فقط خمس ليرات و خمسون قرشاً";
    QTest::newRow("201000") << "201000" << "Only Two Hundred and One Thousand, S.POUND" << "فقط مائتا ألف و ألف ليرة";
    QTest::newRow("0.02") << "0.02" << "Only Two QRSH" << "فقط قرشان";
    QTest::newRow("1,001.01") << "1,001.01" << "Only One Thousand, One S.POUND And One QRSH"
                              << "فقط ألف و ليرة واحدة و واحد قرشاً لا غير";
    // clang-format on
}

void TestAmountWords::syr() { check(SyrMoney()); }

void TestAmountWords::thousandSubUnits_data()
{
    // clang-format off
    addRows();
    QTest::newRow("5.5") << "5.5" << "Only Five Dhs And Five Hundred Fils" << "فقط خمسة دراهم و خمسمائة فلس";
    QTest::newRow("5.05") << "5.05" << "Only Five Dhs And Fifty Fils" << "فقط خمسة دراهم و خمسون فلساً";
    QTest::newRow("0.005") << "0.005" << "Only Five Fils" << "فقط خمسة فلوس";
    // "لا غير", nothing more, closes the amount: after the fils.
    QTest::newRow("1.2345") << "1.2345" << "Only One Dhs And Two Hundred and Thirty-Four Fils"
                            << "فقط درهم واحد و مائتان و أربعة وثلاثون فلساً لا غير";
    // Two hundred sub-units are the construct before their noun, two the dual.
    QTest::newRow("1.2") << "1.2" << "Only One Dhs And Two Hundred Fils" << "فقط درهم واحد و مائتا فلس لا غير";
    QTest::newRow("0.102") << "0.102" << "Only One Hundred and Two Fils" << "فقط مائة و فلسان";
    // A plus sign and leading zeros: the groups are counted from the digits.
    QTest::newRow("+0102000001.005") << "+0102000001.005" << "Only One Hundred and Two Million, One Dhs And Five Fils"
                                     << "فقط مائة ملايين ومليونان ودرهم واحد و خمسة فلوس لا غير";
    // clang-format on
}

void TestAmountWords::thousandSubUnits()
{
    MonyType money = UaeMoney();
    money.PartDigits = 3;
    check(money);
}

void TestAmountWords::notANumber_data()
{
    // clang-format off
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("shown");
    QTest::newRow("abc") << "abc" << "abc";
    QTest::newRow("commas go first") << "1,2x" << "12x";
    QTest::newRow("inf") << "inf" << "inf";
    QTest::newRow("nan") << "nan" << "nan";
    QTest::newRow("two points") << "1.2.3" << "1.2.3";
    QTest::newRow("point alone") << "." << ".";
    QTest::newRow("bare exponent") << "1e" << "1e";
    QTest::newRow("hex") << "0x10" << "0x10";
    QTest::newRow("arabic-indic") << "٥٠" << "٥٠";
    QTest::newRow("sign alone") << "-" << "-";
    // clang-format on
}

void TestAmountWords::notANumber()
{
    QFETCH(QString, amount);
    QFETCH(QString, shown);
    std::string en = "kept";
    std::string ar = "باق";
    try {
        AmountToWords(U8(amount), UaeMoney(), en, ar);
        QFAIL("no conversion error");
    } catch (const ChequeError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid floating point value").arg(shown));
    }
    QCOMPARE(en, std::string("kept"));
    QCOMPARE(ar, std::string("باق"));
}

void TestAmountWords::negativeWithLeadingZerosReadsLikeItsValue()
{
    std::string en, ar;
    AmountToWords("5", SyrMoney(), en, ar); // leaves Syrian noun forms behind
    AmountToWords("-0000000000023", UaeMoney(), en, ar);
    QCOMPARE(Q(en), QStringLiteral("Negative Only Twenty-Three Dhs"));
    QCOMPARE(Q(ar), QStringLiteral("سالب فقط ثلاثة وعشرون درهماً"));
    AmountToWords("-007.50", UaeMoney(), en, ar);
    QCOMPARE(Q(en), QStringLiteral("Negative Only Seven Dhs And Fifty Fils"));
    QCOMPARE(Q(ar), QStringLiteral("سالب فقط سبعة دراهم و خمسون فلساً"));
    AmountToWords("-00.25", UaeMoney(), en, ar);
    QCOMPARE(Q(en), QStringLiteral("Negative Only Twenty-Five Fils"));
}

void TestAmountWords::zeroFractionAfterCut()
{
    std::string en, ar;
    AmountToWords("7.001", UaeMoney(), en, ar);
    QCOMPARE(Q(en), QStringLiteral("Only Seven Dhs"));
    QCOMPARE(Q(ar), QStringLiteral("فقط سبعة دراهم"));
    // A currency without an Arabic name keeps the number ("فقط " is not
    // "فقط " and the name, which would read as nothing).
    MonyType nameless = UaeMoney();
    nameless.AMoneyName = "";
    for (const auto &[amount, words] : {std::pair{"5", "فقط خمسة دراهم"}, {"2", "فقط إثنان "}, {"1.50", "فقط واحد و خمسون فلساً"}}) {
        AmountToWords(amount, nameless, en, ar);
        QCOMPARE(Q(ar), QString::fromUtf8(words));
    }
}

void TestAmountWords::everyIntegerConverts()
{
    const MonyType monies[] = {UaeMoney(), SyrMoney()};
    for (const MonyType &money : monies) {
        for (int n = 1; n <= 100000; ++n) {
            std::string en, ar;
            AmountToWords(std::to_string(n), money, en, ar);
            if (en == "--" || ar == "--" || en.find("  ") != std::string::npos || ar.find("  ") != std::string::npos)
                QFAIL(qPrintable(QStringLiteral("%1: \"%2\" / \"%3\"").arg(n).arg(Q(en), Q(ar))));
            const QString words = Q(en).mid(5).chopped(int(money.EMoneyName.str().size()) + 1);
            if (EnglishValue(words) != n)
                QFAIL(qPrintable(QStringLiteral("%1 reads back as %2: %3").arg(n).arg(EnglishValue(words)).arg(Q(en))));
            if (!ar.starts_with("فقط ") || ar.find("--") != std::string::npos)
                QFAIL(qPrintable(QStringLiteral("%1: %2").arg(n).arg(Q(ar))));
        }
    }
}

void TestAmountWords::randomAmountsStateTheirValue()
{
    QRandomGenerator rng(20261207);
    const MonyType uae = UaeMoney();
    for (int i = 0; i < 20000; ++i) {
        const qint64 whole = rng.bounded(qint64(1), qint64(2147483648LL));
        const int cents = int(rng.bounded(100));
        const bool negative = rng.bounded(4) == 0;
        const QString amount =
            QStringLiteral("%1%2.%3").arg(negative ? "-" : "").arg(whole).arg(cents, 2, 10, QLatin1Char('0'));
        std::string en, ar;
        AmountToWords(U8(amount), uae, en, ar);
        QString text = Q(en);
        QVERIFY2(!text.contains("  ") && !Q(ar).contains("  "), qPrintable(amount));
        QCOMPARE(text.startsWith("Negative "), negative);
        if (negative)
            text.remove(0, 9);
        QVERIFY2(text.startsWith("Only "), qPrintable(text));
        text.remove(0, 5);
        qint64 wholeRead = 0;
        qint64 centsRead = 0;
        if (cents == 0) {
            QVERIFY2(text.endsWith(" Dhs"), qPrintable(text));
            wholeRead = EnglishValue(text.chopped(4));
        } else {
            const qsizetype cut = text.indexOf(" Dhs And ");
            QVERIFY2(cut > 0 && text.endsWith(" Fils"), qPrintable(text));
            wholeRead = EnglishValue(text.left(cut));
            centsRead = EnglishValue(text.mid(cut + 9).chopped(5));
        }
        QVERIFY2(wholeRead == whole && centsRead == cents, qPrintable(amount + " -> " + Q(en)));
    }
}

// The one-pass search and the replacement list against std::string::find and
// ReplaceAll row after row, on texts of a few bytes (Arabic's two-byte
// letters among them) so that they overlap, repeat and meet at every place.
void TestAmountWords::replacementsAsReplaceAllMakesThem()
{
    QRandomGenerator rng(7);
    const auto randomText = [&](int longest) {
        std::string t;
        for (int n = rng.bounded(longest + 1); n > 0; --n)
            t += "ab \xd8\xa7"[rng.bounded(5)];
        return t;
    };
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::pair<std::string, std::string>> texts(std::size_t(rng.bounded(11)));
        for (auto &row : texts)
            row = {randomText(1 + rng.bounded(12)), randomText(12)}; // in this order
        const std::vector<std::pair<std::string_view, std::string_view>> rows(texts.begin(), texts.end());
        const words::detail::ReplacementList list(rows);
        const std::string in = randomText(300);
        std::string replaced = in, oneByOne = in;
        std::uint32_t expected = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].first.empty() && in.find(rows[i].first) != std::string::npos)
                expected |= std::uint32_t{1} << i;
            ReplaceAll(oneByOne, rows[i].first, rows[i].second);
        }
        QCOMPARE(list.occurring(in), expected);
        list.apply(replaced);
        QCOMPARE(replaced, oneByOne);
    }
}

// Currencies that differ in one name or one gender only: each amount reads
// the same whether another of them was converted just before or not (the
// converter keeps the last few currencies ready; eight others push them out).
void TestAmountWords::currenciesInAnyOrder()
{
    QList<MonyType> currencies(6, SyrMoney());
    currencies[1].MoneyMale = !currencies[0].MoneyMale;
    currencies[2].PartMale = currencies[5].PartMale = !currencies[0].PartMale;
    currencies[3].Money2Name = "ليرتين";
    currencies[4].AMoneyName = "ليرا";
    currencies[5].APartName = "قرشة";
    std::string en, ar;
    const auto words = [&](const MonyType *before, const MonyType &money) {
        MonyType other;
        for (int i = 0; i < 8; ++i) {
            other.AMoneyName = std::to_string(i);
            AmountToWords("1", other, en, ar);
        }
        if (before)
            AmountToWords("2", *before, en, ar);
        QList<std::string> all;
        for (int whole = 1; whole <= 400; ++whole) {
            AmountToWords(std::to_string(whole) + '.' + std::to_string(whole * 7 % 90 + 10), money, en, ar);
            all << ar;
        }
        return all;
    };
    for (const MonyType &then : std::as_const(currencies)) {
        const QList<std::string> alone = words(nullptr, then);
        for (const MonyType &before : std::as_const(currencies))
            QVERIFY(words(&before, then) == alone);
    }
}

void TestAmountWords::markAmountText_data()
{
    // clang-format off
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("arabic");
    QTest::addColumn<bool>("onlyFirst");
    QTest::addColumn<QString>("markedEnglish");
    QTest::addColumn<QString>("markedArabic");
    QTest::newRow("5000 moved") << "Only Five Thousand, Dhs" << "فقط خمسة آلاف درهم" << false
                                << "// Five Thousand, Dhs Only  //" << "// خمسة آلاف درهم فقط  //";
    QTest::newRow("5000 only first") << "Only Five Thousand, Dhs" << "فقط خمسة آلاف درهم" << true
                                     << "// Only Five Thousand, Dhs //" << "// فقط خمسة آلاف درهم //";
    QTest::newRow("empty") << "" << "" << false << "//  //" << "//  //";
    QTest::newRow("zero") << "-" << "-" << false << "// - //" << "// - //";
    QTest::newRow("too large") << "--" << "--" << false << "// -- //" << "// -- //";
    QTest::newRow("negative only wrapped") << "Negative Only Five Dhs" << "سالب فقط خمسة دراهم" << false
                                           << "// Negative Only Five Dhs //" << "// سالب فقط خمسة دراهم //";
    QTest::newRow("marks in names removed") << "Only Five D//hs" << "فقط خمسة در//اهم" << false
                                            << "// Five Dhs Only  //" << "// خمسة دراهم فقط  //";
    QTest::newRow("marks make a closing word") << "//Only Five" << "//فقط خمسة" << false
                                               << "// Five Only  //" << "// خمسة فقط  //";
    QTest::newRow("word without blank stays") << "Only" << "فقط" << false << "// Only //" << "// فقط //";
    QTest::newRow("nothing") << "لا شيء" << "لا شيء" << false << "// لا شيء //" << "// لا شيء //";
    // clang-format on
}

void TestAmountWords::markAmountText()
{
    QFETCH(QString, english);
    QFETCH(QString, arabic);
    QFETCH(bool, onlyFirst);
    QFETCH(QString, markedEnglish);
    QFETCH(QString, markedArabic);
    std::string en = U8(english);
    std::string ar = U8(arabic);
    MarkAmountText(en, ar, onlyFirst);
    QCOMPARE(Q(en), markedEnglish);
    QCOMPARE(Q(ar), markedArabic);
}

QTEST_APPLESS_MAIN(TestAmountWords)
#include "tst_amountwords.moc"
