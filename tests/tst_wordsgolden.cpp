// SPDX-License-Identifier: GPL-3.0-or-later
// The amount in words against a copy of what the landed converter wrote:
// every integer from 0 to 1,000,000 and 1,000,000 random amounts with
// sub-units (signs, commas, short and long fractions), for four currencies,
// hashed in blocks of 100,000 amounts. data/words-golden.txt holds the
// digests the first converter gave; a block that differs is named. The
// amounts whose Arabic words were mended (they read as another sum) are
// left out of the digests, which the first converter gave without them:
// every other amount is written as it always was.
//   tst_wordsgolden [--write FILE]   writes the digests of the code at hand

#include <cstdio>

#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

#include "words/DgToStU.h"

Q_DECLARE_METATYPE(MonyType)

namespace {

constexpr int kBlock = 100000;

struct Currency
{
    const char *name;
    MonyType money;
};

QList<Currency> Currencies()
{
    MonyType kwd = {"دينار", "KD", "فلس", "Fils", "ديناران", "فلسان", "دنانير", "فلوس", 3, true, true, "KWD"};
    MonyType syr3 = SyrMoney();
    syr3.PartDigits = 3;
    syr3.APartName = "ليرة";
    syr3.Part3Name = "ليرات";
    syr3.PartMale = false;
    return {{"uae", UaeMoney()}, {"syr", SyrMoney()}, {"kwd", kwd}, {"syr3f", syr3}};
}

// A fixed sequence (splitmix64), the same on every machine.
struct Sequence
{
    quint64 state = 20261207;
    quint64 next()
    {
        quint64 z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
};

// Amount i of the random half: up to ten digits, often with sub-units.
std::string RandomAmount(Sequence &s)
{
    std::string text;
    if (s.below(10) == 0)
        text += '-';
    const int digits = 1 + s.below(10);
    for (int d = 0; d < digits; ++d)
        text += char('0' + s.below(10));
    if (s.below(8) == 0 && text.size() > 4)
        text = text.substr(0, text.size() - 3) + "," + text.substr(text.size() - 3);
    if (s.below(4) != 0) {
        text += '.';
        const int fraction = s.below(5);
        for (int d = 0; d < fraction; ++d)
            text += char('0' + s.below(10));
    }
    return text;
}

std::string AmountAt(qint64 i, Sequence &s) { return i <= 1000000 ? std::to_string(i) : RandomAmount(s); }

// The amounts whose Arabic words were mended, by their pattern:
// - a count of thousands ending in 02 after hundreds (102,000 was "مائة و
//   ألفا", 2,100), in 01 after two hundred (201,000: "مائتان و ألف"), or in
//   01 after hundreds with whole units following (101,007: "مائة و ألف و
//   سبعة", 1,107); the same for millions but the last;
// - a whole part ending in 01 or 02 with sub-units after it (1.50 was "درهم
//   واحد لا غير و خمسون فلساً": "nothing more" before the fils);
// - sub-units ending in 02, now their dual (0.02 was "إثنان فلساً"), and 200
//   of a thousand, now the construct ("مائتان فلس" before).
bool Mended(const std::string &amount, int partDigits)
{
    std::string text;
    for (char c : amount)
        if (c != ',' && c != '-')
            text += c;
    const std::size_t point = text.find('.');
    const std::string integer = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (fraction.size() == 1)
        fraction += '0';
    if (partDigits == 3 && fraction.size() == 2)
        fraction += '0';
    if (fraction.size() > std::size_t(partDigits))
        fraction.resize(std::size_t(partDigits));
    const bool subUnits = fraction.find_first_not_of('0') != std::string::npos;
    if (subUnits && (std::stoi(fraction) % 100 == 2 || std::stoi(fraction) == 200))
        return true;
    if (integer.empty() || integer.size() > 10 || std::stoll(integer) > 2147483647LL)
        return false;
    const qint64 v = std::stoll(integer);
    if (v != 0 && subUnits && (v % 100 == 1 || v % 100 == 2))
        return true;
    const auto count = [v](qint64 group, bool thousands) {
        const qint64 hundreds = group / 100, rest = group % 100;
        return (rest == 2 && hundreds >= 1) || (rest == 1 && hundreds == 2)
            || (thousands && rest == 1 && hundreds >= 1 && v % 1000 != 0);
    };
    return count(v / 1000 % 1000, true) || count(v / 1000000 % 1000, false);
}

// The digests of every block, in order: integers 0..1,000,000 (block 10 has
// the one amount 1,000,000), then the random amounts.
QStringList Digests(const MonyType &money)
{
    QStringList digests;
    Sequence sequence;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::string line, english, arabic;
    const qint64 total = 1000001 + 1000000;
    for (qint64 i = 0; i < total; ++i) {
        const std::string amount = AmountAt(i, sequence);
        if (Mended(amount, money.PartDigits)) {
            line = "mended\n";
        } else {
            try {
                AmountToWords(amount, money, english, arabic);
                line = english + '\t' + arabic + '\n';
            } catch (const ChequeError &error) {
                line = "error\t" + error.message() + '\n';
            }
        }
        hash.addData(QByteArrayView(line.data(), qsizetype(line.size())));
        if ((i + 1) % kBlock == 0 || i + 1 == total) {
            digests << QString::fromLatin1(hash.result().toHex());
            hash.reset();
        }
    }
    return digests;
}

} // namespace

class TestWordsGolden : public QObject
{
    Q_OBJECT

private slots:
    void sameAsTheFirstConverter_data();
    void sameAsTheFirstConverter();
};

void TestWordsGolden::sameAsTheFirstConverter_data()
{
    // clang-format off
    QTest::addColumn<MonyType>("money");
    QTest::addColumn<QStringList>("expected");
    QFile file(QFINDTESTDATA("data/words-golden.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QMap<QString, QStringList> golden;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            golden[QString::fromLatin1(parts[0])] << QString::fromLatin1(parts[1]);
    }
    for (const Currency &c : Currencies())
        QTest::newRow(c.name) << c.money << golden.value(c.name);
    // clang-format on
}

void TestWordsGolden::sameAsTheFirstConverter()
{
    QFETCH(MonyType, money);
    QFETCH(QStringList, expected);
    const QStringList digests = Digests(money);
    QCOMPARE(digests.size(), expected.size());
    for (int block = 0; block < digests.size(); ++block)
        QVERIFY2(digests[block] == expected[block],
                 qPrintable(QString("amounts %1 to %2 (%3) are not written as before")
                                .arg(qint64(block) * kBlock)
                                .arg(qint64(block + 1) * kBlock - 1)
                                .arg(block < 11 ? "integers" : "random amounts")));
}

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--write") {
        QFile out(QString::fromLocal8Bit(argv[2]));
        if (!out.open(QIODevice::WriteOnly))
            return 1;
        for (const Currency &c : Currencies())
            for (const QString &d : Digests(c.money))
                out.write(QByteArray(c.name) + ' ' + d.toLatin1() + '\n');
        return 0;
    }
    TestWordsGolden test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wordsgolden.moc"
