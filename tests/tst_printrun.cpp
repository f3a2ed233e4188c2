// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "output/printrun.h"

class TestPrintRun : public QObject
{
    Q_OBJECT

private slots:
    void datesTypedOnAnArabicKeyboard();
    void rightToLeft_data();
    void rightToLeft();
    void formatAmount_data();
    void formatAmount();
    void parseAmountText_data();
    void parseAmountText();
    void readAmount_data();
    void readAmount();
    void driverText();
    void readShortDate_data();
    void readShortDate();
    void dateRoundTripsInEveryFormat();
    void amountMismatch_data();
    void amountMismatch();
};

void TestPrintRun::rightToLeft_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("rtl");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("Latin") << "Dorvan Eskel" << false;
    QTest::newRow("leading blanks, Latin") << "  ali" << false;
    QTest::newRow("Arabic") << "محمد" << true;
    QTest::newRow("leading blanks, Arabic") << " محمد" << true;
    QTest::newRow("Z") << "Zed" << false;
    QTest::newRow("accented Latin") << "Émile" << false;
    QTest::newRow("tab, Latin") << "\tAli" << false;
    QTest::newRow("digits only") << "123" << false;
    QTest::newRow("Arabic-Indic digits only") << "١٢٣" << false;
    QTest::newRow("right-to-left mark, Latin") << "\u200FAli" << true;
    QTest::newRow("isolated Arabic, Latin") << "\u2067محمد\u2069 Ali" << false;
    // Payees led by what is not a letter: tst_render.
    // clang-format on
}

void TestPrintRun::rightToLeft()
{
    QFETCH(QString, text);
    QFETCH(bool, rtl);
    QCOMPARE(IsRightToLeftText(text), rtl);
}

void TestPrintRun::formatAmount_data()
{
    // clang-format off
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("figure");
    QTest::newRow("5000") << "en_US" << 5000.0 << 2 << "5,000.00";
    QTest::newRow("3 decimals") << "en_US" << 1234567.5 << 3 << "1,234,567.500";
    QTest::newRow("small") << "en_US" << 0.5 << 2 << "0.50";
    QTest::newRow("largest") << "en_US" << 2147483647.99 << 2 << "2,147,483,647.99";
    QTest::newRow("C groups too") << "C" << 5000.0 << 2 << "5,000.00";
    QTest::newRow("decimal comma") << "de_DE" << 5000.5 << 2 << "5.000,50";
    QTest::newRow("en_GB") << "en_GB" << 12345.678 << 3 << "12,345.678";
    // clang-format on
}

void TestPrintRun::formatAmount()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(QString, figure);
    QCOMPARE(FormatAmount(value, digits, QLocale(locale)), figure);
}

void TestPrintRun::parseAmountText_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "5000" << true << 5000.0;
    QTest::newRow("grouped") << "5,000.25" << true << 5000.25;
    QTest::newRow("inner blank") << "5 000" << true << 5000.0;
    QTest::newRow("zero") << "0" << true << 0.0;
    QTest::newRow("negative") << "-5" << true << -5.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("overflow") << "1e400" << false << 0.0;
    // clang-format on
}

void TestPrintRun::parseAmountText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto v = ReadAmountLoosely(text, QLocale("en_US"));
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, value);
}

void TestPrintRun::readAmount_data()
{
    // clang-format off
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "en_US" << "5000" << true << 5000.0;
    QTest::newRow("blanks around") << "en_US" << " 12.5 " << true << 12.5;
    QTest::newRow("grouping refused") << "en_US" << "5,000" << false << 0.0;
    QTest::newRow("inner blank refused") << "en_US" << "5 000" << false << 0.0;
    QTest::newRow("inf refused") << "en_US" << "inf" << false << 0.0;
    QTest::newRow("NaN refused") << "en_US" << "NaN" << false << 0.0;
    QTest::newRow("decimal comma") << "de_DE" << "5000,5" << true << 5000.5;
    QTest::newRow("point in de_DE") << "de_DE" << "5000.5" << false << 0.0;
    // clang-format on
}

void TestPrintRun::readAmount()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto v = ReadAmountStrictly(text, QLocale(locale));
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, value);
}

void TestPrintRun::driverText()
{
    QCOMPARE(NormalizedAmountText("5,000.5", QLocale("en_US")), QStringLiteral("5,000.5"));
    QCOMPARE(NormalizedAmountText("5.000,5", QLocale("de_DE")), QStringLiteral("5,000.5"));
    QCOMPARE(NormalizedAmountText("abc", QLocale("de_DE")), QStringLiteral("abc"));
    // Arabic digits and separators, and the marks before an Arabic minus sign.
    QCOMPARE(NormalizedAmountText("\u061C-١٬٢٣٤٫٥", QLocale("ar_SY")), QStringLiteral("-1,234.5"));
    QCOMPARE(NormalizedAmountText("۱۲۳۴.۵", QLocale("ar_SY")), QStringLiteral("1234.5"));
    QCOMPARE(NormalizedAmountText("\u200E-1,234٫5", QLocale("ar_AE")), QStringLiteral("-1,234.5"));
    // Every reading starts from that form: tolerant, strict, unfinished.
    QCOMPARE(ReadAmountLoosely("١٬٢٣٤٫٥", QLocale("ar_SY")), std::optional<double>(1234.5));
    QCOMPARE(ReadAmountStrictly("1234.5", QLocale("ar_SY")), std::optional<double>(1234.5));
    QCOMPARE(ReadAmountStrictly("1.234,5", QLocale("de_DE")), std::nullopt);
    for (const char *unfinished : {"-", "+", ".", "-.", "1e", "1e-", " "})
        QVERIFY2(IsUnfinishedAmount(unfinished, QLocale("en_US")), unfinished);
    for (const char *done : {"5", "-5", "", "x", "5x", "--", "1e5e", ".e"})
        QVERIFY2(!IsUnfinishedAmount(done, QLocale("en_US")), done);
    QVERIFY(IsUnfinishedAmount(",", QLocale("de_DE")));
}

void TestPrintRun::readShortDate_data()
{
    // clang-format off
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    const QDate none;
    QTest::newRow("en_US two digits") << "en_US" << "3/7/26" << QDate(2026, 3, 7);
    QTest::newRow("en_US four digits") << "en_US" << "3/7/2026" << QDate(2026, 3, 7);
    QTest::newRow("en_US last century") << "en_US" << "1/31/80" << QDate(1980, 1, 31);
    QTest::newRow("en_US 2011") << "en_US" << "1/31/11" << QDate(2011, 1, 31);
    QTest::newRow("en_US 29 Feb 00") << "en_US" << "2/29/00" << QDate(2000, 2, 29);
    QTest::newRow("en_US not a day") << "en_US" << "2/30/26" << none;
    QTest::newRow("en_US letters") << "en_US" << "today" << none;
    QTest::newRow("en_US empty") << "en_US" << "" << none;
    QTest::newRow("en_US three-digit year") << "en_US" << "3/7/202" << none;
    QTest::newRow("en_US year beyond the window") << "en_US" << "3/7/2080" << none;
    QTest::newRow("en_US year before the window") << "en_US" << "3/7/1970" << none;
    QTest::newRow("en_GB far year kept") << "en_GB" << "07/03/2080" << QDate(2080, 3, 7);
    QTest::newRow("en_GB") << "en_GB" << "07/03/2024" << QDate(2024, 3, 7);
    QTest::newRow("en_GB two digits") << "en_GB" << "07/03/24" << QDate(2024, 3, 7);
    QTest::newRow("de_DE") << "de_DE" << "29.02.00" << QDate(2000, 2, 29);
    QTest::newRow("ar_AE with marks") << "ar_AE" << "7\u200F/3\u200F/2024" << QDate(2024, 3, 7);
    QTest::newRow("ar_AE without marks") << "ar_AE" << "7/3/2024" << QDate(2024, 3, 7);
    QTest::newRow("C") << "C" << "7 Mar 2024" << QDate(2024, 3, 7);
    // clang-format on
}

void TestPrintRun::readShortDate()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const auto d = ReadShortDate(text, QLocale(locale), QDate(2026, 12, 7));
    QCOMPARE(d.value_or(QDate()), date);
}

void TestPrintRun::dateRoundTripsInEveryFormat()
{
    // What the desktop's format writes reads back as the same day, for
    // every day of the century window.
    const QDate today(2026, 12, 7);
    for (const char *name : {"en_US", "en_GB", "de_DE", "ar_AE", "C", "fr_FR"}) {
        const QLocale locale(QString::fromLatin1(name));
        for (QDate d(1977, 1, 1); d < QDate(2076, 12, 31); d = d.addDays(13)) {
            const auto back = ReadShortDate(WriteShortDate(d, locale), locale, today);
            QVERIFY2(back && *back == d, qPrintable(QString("%1 %2").arg(name, d.toString(Qt::ISODate))));
        }
    }
}

void TestPrintRun::amountMismatch_data()
{
    // clang-format off
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("problem"); // empty: prints
    QTest::newRow("whole") << "en_US" << "5000" << 2 << "";
    QTest::newRow("two decimals") << "en_US" << "5000.25" << 2 << "";
    QTest::newRow("trailing zeros") << "en_US" << "5000.250" << 2 << "more decimals";
    QTest::newRow("a thousandth of zero") << "en_US" << "1.500" << 2 << "more decimals";
    QTest::newRow("three zeros of three") << "en_US" << "1.500" << 3 << "";
    QTest::newRow("three of three") << "en_US" << "12.345" << 3 << "";
    QTest::newRow("three of two") << "en_US" << "12.345" << 2 << "more decimals";
    QTest::newRow("largest") << "en_US" << "2147483647" << 2 << "";
    QTest::newRow("too large") << "en_US" << "2147483648" << 2 << "too large";
    QTest::newRow("exponent") << "en_US" << "1e3" << 2 << "exponent";
    QTest::newRow("decimal comma") << "de_DE" << "5000,5" << 2 << "";
    QTest::newRow("decimal comma, three") << "de_DE" << "5000,555" << 2 << "more decimals";
    // clang-format on
}

void TestPrintRun::amountMismatch()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, digits);
    QFETCH(QString, problem);
    MonyType money = UaeMoney();
    money.PartDigits = digits;
    const QLocale l(locale);
    const auto value = ReadAmountStrictly(text, l);
    QVERIFY(value);
    const auto why = AmountMismatch(text, *value, money, l);
    if (problem.isEmpty())
        QVERIFY2(!why, qPrintable(why.value_or("")));
    else
        QVERIFY2(why && why->contains(problem), qPrintable(why.value_or("none")));
}

void TestPrintRun::datesTypedOnAnArabicKeyboard()
{
    // Arabic-Indic digits read as the same date as ASCII ones, on an English
    // and an Arabic desktop, in the desktop's form and as yyyy-mm-dd.
    const QDate today(2026, 12, 8), day(2026, 12, 31);
    for (const char *name : {"en_US", "ar_AE", "ar_SY", "de_DE"}) {
        const QLocale locale(name);
        const QString written = WriteShortDate(day, locale);
        QString arabic = written, persian = written;
        for (QChar &c : arabic)
            if (c.isDigit() && c.unicode() < 0x80)
                c = QChar(0x0660 + (c.unicode() - u'0'));
        for (QChar &c : persian)
            if (c.isDigit() && c.unicode() < 0x80)
                c = QChar(0x06F0 + (c.unicode() - u'0'));
        for (const QString &typed : {written, arabic, persian, QStringLiteral("٢٠٢٦-١٢-٣١")})
            QVERIFY2(ReadTypedDate(typed, locale, today) == day, qPrintable(QStringLiteral("%1: %2").arg(name, typed)));
        // Every date written for a person in that one form: a moment, and
        // the day a history event's detail begins with.
        QVERIFY(WriteShortDateTime(QDateTime(day, QTime(9, 30)), locale).startsWith(written));
        QCOMPARE(EventDetailText("2026-12-31: insufficient funds", locale), written + ": insufficient funds");
        QCOMPARE(EventDetailText("2026-12-31", locale), written);
        QCOMPARE(EventDetailText("2026-12-31 was the day", locale), QString("2026-12-31 was the day"));
    }
}

QTEST_APPLESS_MAIN(TestPrintRun)
#include "tst_printrun.moc"
