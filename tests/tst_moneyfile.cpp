// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

#include "core/datafile.h"
#include "currency/moneyfile.h"

namespace {

QByteArray Cp1256(const QStringList &lines) { return EncodeDataLines(lines, "test"); }

const QStringList kUaeLines = {"درهم", "DHs", "Dhs", "فلس", "Fils", "درهمان", "فلسان", "دراهم", "فلوس", "2", "T", "T"};
const QStringList kSyrLines = {"ليرة",  "SP",    "S.POUND", "قرش", "QRSH", "ليرتان",
                               "قرشان", "ليرات", "قروش",    "2",   "F",    "T"};

} // namespace

class TestMoneyFile : public QObject
{
    Q_OBJECT

private slots:
    void presetsWriteTheirTwelveLines_data();
    void presetsWriteTheirTwelveLines();
    void readsWhatItWrites();
    void genderLines_data();
    void genderLines();
    void lineCounts();
    void namesAreCutShortNameIsNot();
    void damagedLineTen_data();
    void damagedLineTen();
    void namesWithControlCharactersAreDamage_data();
    void namesWithControlCharactersAreDamage();

private:
    QTemporaryDir m_dir;
};

void TestMoneyFile::presetsWriteTheirTwelveLines_data()
{
    // clang-format off
    QTest::addColumn<bool>("syrian");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("UAE") << false << kUaeLines;
    QTest::newRow("SYR") << true << kSyrLines;
    // clang-format on
}

void TestMoneyFile::presetsWriteTheirTwelveLines()
{
    QFETCH(bool, syrian);
    QFETCH(QStringList, lines);
    const QString path = m_dir.filePath(MoneyFileName);
    WriteMoneyFile(path, syrian ? SyrMoney() : UaeMoney());
    QCOMPARE(ReadBytes(path), Cp1256(lines));
    QVERIFY(ReadBytes(path).endsWith("T\r\n"));
    QCOMPARE(ReadBytes(path).count("\r\n"), 12);
}

void TestMoneyFile::readsWhatItWrites()
{
    const QString path = m_dir.filePath(MoneyFileName);
    for (const MonyType &m : {UaeMoney(), SyrMoney()}) {
        WriteMoneyFile(path, m);
        const MoneyRead read = ReadMoneyFile(path);
        QVERIFY(!read.damage);
        QVERIFY(read.money == m);
    }
}

void TestMoneyFile::genderLines_data()
{
    // clang-format off
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("male");
    QTest::newRow("T") << "T" << true;
    QTest::newRow("F") << "F" << false;
    QTest::newRow("lower-case t") << "t" << false;
    QTest::newRow("True") << "True" << false;
    QTest::newRow("blank before") << " T" << false;
    QTest::newRow("blank after") << "T " << false;
    QTest::newRow("empty") << "" << false;
    // clang-format on
}

void TestMoneyFile::genderLines()
{
    QFETCH(QString, line);
    QFETCH(bool, male);
    QStringList lines = kUaeLines;
    lines[10] = line;
    lines[11] = line;
    const MoneyRead read = MoneyFromLines(lines, "money.txt");
    QCOMPARE(read.money.MoneyMale, male);
    QCOMPARE(read.money.PartMale, male);
    QCOMPARE(MoneyToLines(read.money).mid(10), (QStringList{male ? "T" : "F", male ? "T" : "F"}));
}

void TestMoneyFile::lineCounts()
{
    QStringList fifteen = kSyrLines;
    fifteen << "extra 13"
            << "extra 14"
            << "extra 15";
    MoneyRead read = MoneyFromLines(fifteen, "money.txt");
    QVERIFY(!read.damage);
    QVERIFY(read.money == SyrMoney());
    QCOMPARE(MoneyToLines(read.money), kSyrLines);

    read = MoneyFromLines(kUaeLines.mid(0, 10), "money.txt");
    QVERIFY(!read.damage);
    QVERIFY(!read.money.MoneyMale && !read.money.PartMale);
    QCOMPARE(read.money.PartDigits, 2);

    QStringList five = kUaeLines;
    five[9] = "5";
    read = MoneyFromLines(five, "money.txt");
    QVERIFY(!read.damage);
    QCOMPARE(read.money.PartDigits, 3); // the nearest the window offers
    five[9] = "0";
    QCOMPARE(MoneyFromLines(five, "money.txt").money.PartDigits, 2);
}

void TestMoneyFile::namesAreCutShortNameIsNot()
{
    QStringList lines = kUaeLines;
    lines[0] = "ابتثجحخدذرزس"; // 12 letters
    lines[1] = QString(500, u'S');
    const MoneyRead read = MoneyFromLines(lines, "money.txt");
    QCOMPARE(QString::fromStdString(read.money.AMoneyName), QStringLiteral("ابتثجحخدذ"));
    QCOMPARE(read.money.MoneySName.size(), size_t(500));
    QCOMPARE(MoneyToLines(read.money).at(0), QStringLiteral("ابتثجحخدذ"));
}

void TestMoneyFile::damagedLineTen_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("mentions");
    QStringList word = kSyrLines;
    word[9] = "two";
    QTest::newRow("word") << word << "'two' is not a valid integer value";
    QStringList blank = kSyrLines;
    blank[9] = " 2";
    QTest::newRow("blank") << blank << "line 10";
    QTest::newRow("nine lines") << kSyrLines.mid(0, 9) << "only 9 lines";
    // clang-format on
}

void TestMoneyFile::damagedLineTen()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, mentions);
    const MoneyRead read = MoneyFromLines(lines, "/data/money.txt");
    QVERIFY(read.damage);
    QVERIFY2(read.damage->contains("/data/money.txt"), qPrintable(*read.damage));
    QVERIFY2(read.damage->contains(mentions), qPrintable(*read.damage));
    QCOMPARE(read.money.PartDigits, 2);
    QCOMPARE(QString::fromStdString(read.money.AMoneyName), lines.value(0));
    QCOMPARE(read.money.PartMale, lines.value(11) == "T");
}

void TestMoneyFile::namesWithControlCharactersAreDamage_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected"); // the record, as its 12 lines
    QTest::addColumn<QStringList>("mentions");
    const QStringList uae = MoneyToLines(UaeMoney());
    // What a file of random bytes gave: names that are control bytes.
    QStringList garbage{"\x18", "\x1d", "", "\x01\x02", "", "", "", "", "", "7", "T", "F"};
    QTest::newRow("garbage") << garbage << uae << QStringList{"line 1", "line 2", "line 4", "UAE dirham"};
    QTest::newRow("empty file") << QStringList{} << uae << QStringList{"only 0 lines", "UAE dirham"};
    QStringList one = kSyrLines;
    one[2] = "S.PO\x07UND";
    QStringList kept = kSyrLines;
    kept[2] = "";
    QTest::newRow("one name") << one << kept << QStringList{"line 3 (the English currency name)"};
    QStringList longLine = kSyrLines;
    longLine[0] = QString(5 * 1024 * 1024, u'ل');
    kept = kSyrLines;
    kept[0] = "";
    QTest::newRow("a name of 5 MB") << longLine << kept << QStringList{"line 1 (the Arabic currency name) is 5242880 characters long"};
    // clang-format on
}

void TestMoneyFile::namesWithControlCharactersAreDamage()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, mentions);
    const MoneyRead read = MoneyFromLines(lines, "money.txt");
    QVERIFY(read.damage);
    for (const QString &m : mentions)
        QVERIFY2(read.damage->contains(m), qPrintable(*read.damage));
    QCOMPARE(MoneyToLines(read.money), expected);
}

QTEST_GUILESS_MAIN(TestMoneyFile)
#include "tst_moneyfile.moc"
