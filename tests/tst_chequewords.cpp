// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <QFile>
#include <QStringDecoder>

#include <random>

#include "tools/wordsline.h"

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run ChequeWords(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(CHEQUE_WORDS_EXE, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestChequeWords : public QObject
{
    Q_OBJECT

private slots:
    void amountsFromArguments();
    void amountsReadAsPrintReadsThem_data();
    void amountsReadAsPrintReadsThem();
    void amountsFromStandardInput();
    void presetsAndDigits();
    void moneyFile();
    void badOptions_data();
    void badOptions();
    void oneLinePerAmountWhateverItHolds_data();
    void oneLinePerAmountWhateverItHolds();
    void specialMoneyFilesAreRefused();
    void escapesReadBack();
};

void TestChequeWords::amountsFromArguments()
{
    const Run r = ChequeWords({"--as-typed", "5000", "abc", "-5", "2147483648"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out,
             QStringLiteral("Only Five Thousand, Dhs\tفقط خمسة آلاف درهم\n"
                            "error\t'abc' is not a valid floating point value\n"
                            "Negative Only Five Dhs\tسالب فقط خمسة دراهم\n"
                            "--\t--\n"));
    QCOMPARE(ChequeWords({"1", "2"}).status, 0);
    QCOMPARE(ChequeWords({"--as-typed", "--", "--5"}).out,
             QStringLiteral("error\t'--5' is not a valid floating point value\n"));
}

void TestChequeWords::amountsReadAsPrintReadsThem_data()
{
    // clang-format off
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("commas inside") << "1,2,3" << "it has a grouping separator";
    QTest::newRow("hexadecimal") << "0x10" << "«x» (U+0078), which is not part of an amount";
    QTest::newRow("quoted") << "\" 12 \"" << "«\"» (U+0022)";
    QTest::newRow("trailing zero") << "12.340" << "more decimals than the currency's 2";
    QTest::newRow("three decimals") << "12.345" << "more decimals than the currency's 2";
    QTest::newRow("a half fil") << "1.005" << "more decimals";
    QTest::newRow("a thousandth") << "0.001" << "more decimals";
    QTest::newRow("exponent") << "1e3" << "written with an exponent";
    QTest::newRow("too large") << "2147483648" << "too large";
    QTest::newRow("zero") << "0" << "Error in Amount, it must be >0";
    // clang-format on
}

void TestChequeWords::amountsReadAsPrintReadsThem()
{
    QFETCH(QString, amount);
    QFETCH(QString, refusal);
    const Run r = ChequeWords({"5", amount, "1234.5"});
    QCOMPARE(r.status, 1);
    const QStringList lines = r.out.split('\n');
    QCOMPARE(lines.size(), 4);
    QVERIFY2(lines[1].startsWith("error\t") && lines[1].contains(refusal), qPrintable(lines[1]));
    // Amounts Print takes have the words they have while typed.
    QCOMPARE(lines[0] + '\n' + lines[2] + '\n', ChequeWords({"--as-typed", "5", "1234.5"}).out);
}

void TestChequeWords::amountsFromStandardInput()
{
    const Run r = ChequeWords({"--as-typed"}, "2\r\n0\n\n5.5");
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out,
             QStringLiteral("Only Two Dhs\tفقط درهمان لاغير\n-\t-\n\t\nOnly Five Dhs And Fifty Fils\t"
                            "فقط خمسة دراهم و خمسون فلساً\n"));
}

void TestChequeWords::presetsAndDigits()
{
    QCOMPARE(ChequeWords({"--preset", "syr", "1"}).out, QStringLiteral("Only One S.POUND\tفقط ليرة واحدة لا غير\n"));
    QCOMPARE(ChequeWords({"--preset=uae", "--digits", "3", "0.005"}).out,
             QStringLiteral("Only Five Fils\tفقط خمسة فلوس\n"));
}

void TestChequeWords::moneyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("my money.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // SYR lines in Windows-1256, LF ends
    f.write("\xe1\xed\xd1\xc9\nSP\nS.POUND\n\xde\xd1\xd4\nQRSH\n\xe1\xed\xd1\xca\xc7\xe4\n\xde\xd1\xd4\xc7\xe4\n"
            "\xe1\xed\xd1\xc7\xca\n\xde\xd1\xe6\xd4\n2\nF\nT\n");
    f.close();
    Run r = ChequeWords({"--money", path, "11"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("Only Eleven S.POUND\tفقط إحدى عشرة ليرةً\n"));

    r = ChequeWords({"--money", dir.filePath("missing.txt"), "1"});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains("missing.txt") && r.err.count('\n') == 1, qPrintable(r.err));
    QVERIFY(r.out.isEmpty());

    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("\x01\x02garbage\xff\r\n");
    f.close();
    r = ChequeWords({"--money", path, "1"});
    QCOMPARE(r.status, 2);
    QVERIFY2(r.err.contains("damaged"), qPrintable(r.err));
}

void TestChequeWords::badOptions_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown option") << QStringList{"--currency", "x", "1"};
    QTest::newRow("unknown preset") << QStringList{"--preset", "usd", "1"};
    QTest::newRow("digits 4") << QStringList{"--digits", "4", "1"};
    QTest::newRow("missing value") << QStringList{"--digits"};
    QTest::newRow("preset and money") << QStringList{"--preset", "syr", "--money", "m.txt"};
    QTest::newRow("twice") << QStringList{"--digits", "2", "--digits", "3"};
    // clang-format on
}

void TestChequeWords::badOptions()
{
    QFETCH(QStringList, args);
    const Run r = ChequeWords(args, "1\n");
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains("usage: cheque-words"), qPrintable(r.err));
}

void TestChequeWords::oneLinePerAmountWhateverItHolds_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("out");
    const QString invalid = "error\t'%1' is not a valid floating point value\n";
    QTest::newRow("NUL from standard input") << QStringList{} << QByteArray("12\0x\n", 5)
                                             << invalid.arg("12\\x00x");
    QTest::newRow("line break in an argument") << QStringList{"1\n2"} << QByteArray() << invalid.arg("1\\x0a2");
    QTest::newRow("TAB and escape") << QStringList{"\t\x1b[31m"} << QByteArray() << invalid.arg("\\x09\\x1b[31m");
    QTest::newRow("backslash") << QStringList{"5\\n"} << QByteArray() << invalid.arg("5\\\\n");
    QTest::newRow("not UTF-8") << QStringList{} << QByteArray("\xff\xfe" "5\n") << invalid.arg("\\xff\\xfe5");
    QTest::newRow("Arabic kept") << QStringList{"٥"} << QByteArray() << invalid.arg("٥");
    // clang-format on
}

void TestChequeWords::oneLinePerAmountWhateverItHolds()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QString, out);
    const Run r = ChequeWords(QStringList{"--as-typed"} + args, input);
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, out);
}

void TestChequeWords::specialMoneyFilesAreRefused()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("money.txt");
    QVERIFY(QProcess::execute("mkfifo", {fifo}) == 0);
    for (const QString &file : {QStringLiteral("/dev/zero"), fifo}) {
        const Run r = ChequeWords({"--money", file, "5"});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(file) && r.err.contains("not a regular file"), qPrintable(r.err));
    }
}

QTEST_GUILESS_MAIN(TestChequeWords)
// Whatever bytes a line holds, its escaped form is UTF-8 without control
// characters, reads back to those bytes, and leaves UTF-8 text without
// control characters or backslashes as it is.
void TestChequeWords::escapesReadBack()
{
    std::mt19937 random(11);
    const std::vector<std::string> pieces{"a",
                                          "Dhs ",
                                          "\\",
                                          "\x7f",
                                          "\t",
                                          "\n",
                                          "\xd8\xaf",
                                          "\xd9",
                                          "\xe2\x80",
                                          "\xe2\x80\x8f",
                                          "\xed\xa0\x80",
                                          "\xf0\x9f\x98\x80",
                                          "\xf4\x90\x80\x80",
                                          "\xc0\xaf",
                                          "\xc1\xbf",
                                          "\xff",
                                          "\x80",
                                          std::string(1, '\0'),
                                          "Only Five Thousand"};
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = int(random() % 12); n > 0; --n)
            text += pieces[random() % pieces.size()];
        const std::string out = Printable(text);
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8(QByteArray::fromStdString(out));
        QVERIFY(!utf8.hasError());
        QVERIFY(std::none_of(decoded.begin(), decoded.end(),
                             [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }));
        std::string back;
        for (std::size_t i = 0; i < out.size(); ++i) {
            if (out[i] != '\\') {
                back += out[i];
            } else if (out[++i] == '\\') {
                back += '\\';
            } else {
                QCOMPARE(out[i], 'x');
                back += char(std::stoi(out.substr(i + 1, 2), nullptr, 16));
                i += 2;
            }
        }
        QCOMPARE(back, text);
        const QString asText = QString::fromUtf8(text);
        if (asText.toUtf8().toStdString() == text && text.find_first_of("\\\x7f\t\n") == std::string::npos
            && text.find('\0') == std::string::npos)
            QCOMPARE(out, text);
    }
}

#include "tst_chequewords.moc"
