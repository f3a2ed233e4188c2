// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up's and the shut-down's handling of banks.txt and options.txt,
// without a window.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

#include "core/datafile.h"
#include "layout/bankfiles.h"

class TestBankFiles : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatIsThere_data();
    void readsWhatIsThere();
    void unreadableFileIsKeptUnlessTheUserAgrees();
    void randomBytesAreNoBankList();
    void damagedOptionsAreKeptOnce();
    void interruptedSaveIsFinishedFirst();
};

void TestBankFiles::readsWhatIsThere_data()
{
    // clang-format off
    QTest::addColumn<bool>("banks");
    QTest::addColumn<bool>("options");
    QTest::addColumn<QStringList>("expectedBanks");
    QTest::addColumn<bool>("linesRead");
    QTest::newRow("first run") << false << false << QStringList{"SIB"} << false;
    QTest::newRow("both files") << true << true << QStringList{"A", "B"} << true;
    QTest::newRow("banks without options") << true << false << QStringList{"A", "B"} << false;
    QTest::newRow("options without banks") << false << true << QStringList{"SIB"} << false;
    // clang-format on
}

void TestBankFiles::readsWhatIsThere()
{
    QFETCH(bool, banks);
    QFETCH(bool, options);
    QFETCH(QStringList, expectedBanks);
    QFETCH(bool, linesRead);
    QTemporaryDir dir;
    if (banks)
        WriteDataFile(dir.filePath("banks.txt"), {"A", "B"});
    if (options)
        WriteDataFile(dir.filePath("options.txt"), {"line A", "line B"});
    BankFiles files(dir.path());
    const BankFiles::Read read = files.read();
    QCOMPARE(read.banks, expectedBanks);
    QCOMPARE(read.options.has_value(), linesRead);
    if (linesRead)
        QCOMPARE(*read.options, (QStringList{"line A", "line B"}));
    QVERIFY(read.problems.isEmpty());
    // Nothing unreadable: closing writes, changed or not.
    files.started(read.banks, read.options.value_or(QStringList{}));
    QCOMPARE(files.atClose(read.banks, read.options.value_or(QStringList{})), BankFiles::Close::Write);
    QVERIFY(!files.changed(read.banks, read.options.value_or(QStringList{})));
}

void TestBankFiles::unreadableFileIsKeptUnlessTheUserAgrees()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("banks.txt")); // exists, cannot be read
    BankFiles files(dir.path());
    const BankFiles::Read read = files.read();
    QCOMPARE(read.banks, QStringList{"SIB"});
    QVERIFY(!read.options);
    QCOMPARE(read.problems.size(), 1);
    QVERIFY2(read.problems[0].contains("banks.txt") && read.problems[0].contains("\"SIB\""),
             qPrintable(read.problems[0]));
    const QStringList lines{"line"};
    files.started(read.banks, lines);
    QCOMPARE(files.atClose(read.banks, lines), BankFiles::Close::Keep);
    QCOMPARE(files.atClose({"SIB", "FAB"}, lines), BankFiles::Close::AskBeforeWriting);
    QVERIFY(files.replaceQuestion().contains("banks.txt"));
}

void TestBankFiles::randomBytesAreNoBankList()
{
    QTemporaryDir dir;
    QByteArray bytes;
    QRandomGenerator random(34);
    for (int i = 0; i < 4096; ++i)
        bytes += char(random.bounded(256));
    QFile file(dir.filePath("banks.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    BankFiles files(dir.path());
    const BankFiles::Read read = files.read();
    QCOMPARE(read.banks, QStringList{"SIB"});
    QCOMPARE(read.problems.size(), 1);
    QVERIFY2(read.problems[0].contains("banks.txt\" is damaged") && read.problems[0].contains("banks.txt.bak"),
             qPrintable(read.problems[0]));
    QCOMPARE(ReadBytes(dir.filePath("banks.txt.bak")), bytes);
    QCOMPARE(ReadBytes(dir.filePath("banks.txt")), bytes);
    files.started(read.banks, {});
    QCOMPARE(files.atClose(read.banks, {}), BankFiles::Close::Keep); // left as it is
}

void TestBankFiles::damagedOptionsAreKeptOnce()
{
    QTemporaryDir dir;
    BankFiles files(dir.path());
    QVERIFY(!files.keepDamagedOptions()); // no options.txt: nothing to keep
    WriteDataFile(dir.filePath("options.txt"), {"damaged"});
    const QByteArray before = ReadBytes(dir.filePath("options.txt"));
    const auto told = files.keepDamagedOptions();
    QVERIFY(told && told->contains("options.txt.bak"));
    QCOMPARE(ReadBytes(dir.filePath("options.txt.bak")), before);
    WriteDataFile(dir.filePath("options.txt"), {"repaired"});
    QVERIFY(!files.keepDamagedOptions()); // once a run: the copy is the user's file
    QCOMPARE(ReadBytes(dir.filePath("options.txt.bak")), before);
}

void TestBankFiles::interruptedSaveIsFinishedFirst()
{
    QTemporaryDir dir;
    WriteDataFile(dir.filePath("banks.txt"), {"A", "C"});
    WriteDataFile(dir.filePath("options.txt"), {"line A", "line B", "line C"});
    WriteDataFile(dir.filePath("options.txt.new"), {"line A", "line C"});
    QFile marker(dir.filePath("save.pending"));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write(QFileInfo(dir.filePath("options.txt")).canonicalFilePath().toUtf8() + '\n');
    marker.close();
    const BankFiles::Read read = BankFiles(dir.path()).read();
    QCOMPARE(read.banks, (QStringList{"A", "C"}));
    QCOMPARE(*read.options, (QStringList{"line A", "line C"}));
}

QTEST_GUILESS_MAIN(TestBankFiles)
#include "tst_bankfiles.moc"
