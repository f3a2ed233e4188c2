// SPDX-License-Identifier: GPL-3.0-or-later
// The amount in words against a copy of what the landed converter wrote:
// every integer from 0 to 1,000,000 and 1,000,000 random amounts with
// sub-units (signs, commas, short and long fractions), for four currencies,
// hashed in blocks of 100,000 amounts. data/words-golden.txt holds the
// digests the first converter gave; a block that differs is named.
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
        try {
            AmountToWords(amount, money, english, arabic);
            line = english + '\t' + arabic + '\n';
        } catch (const ChequeError &error) {
            line = "error\t" + error.message() + '\n';
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
