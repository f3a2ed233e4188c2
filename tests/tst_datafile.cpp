#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

#include "datafile.h"

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ChequeError &e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void lineEnds_data();
    void lineEnds();
    void everyByteRoundTrips();
    void writesCp1256WithCrLf();
    void refusesCharactersTheCodePageLacks_data();
    void refusesCharactersTheCodePageLacks();
    void refusesLineBreaksInsideALine();
    void missingFileNamesTheFile();
    void unwritableTargetKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
};

void TestDataFile::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lf") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("cr") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{"", "", "x", ""};
    QTest::newRow("lf cr is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("arabic") << QByteArray("\xcf\xd1\xe5\xe3\r\nDHs\r\n") << QStringList{"درهم", "DHs"};
}

void TestDataFile::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString path = m_dir.filePath("lines.txt");
    WriteBytes(path, bytes);
    QCOMPARE(ReadDataFile(path), lines);
}

void TestDataFile::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    all += "\r\n";
    const QString in = m_dir.filePath("bytes-in.txt");
    const QString out = m_dir.filePath("bytes-out.txt");
    WriteBytes(in, all);
    const QStringList lines = ReadDataFile(in);
    QCOMPARE(lines.size(), 1);
    WriteDataFile(out, lines);
    QCOMPARE(ReadBytes(out), all);
}

void TestDataFile::writesCp1256WithCrLf()
{
    const QString path = m_dir.filePath("money.txt");
    WriteDataFile(path, {"درهم", "", "€ é", "T"});
    QCOMPARE(ReadBytes(path), QByteArray("\xcf\xd1\xe5\xe3\r\n\r\n\x80 \xe9\r\nT\r\n"));
    WriteDataFile(path, {});
    QCOMPARE(ReadBytes(path), QByteArray());
}

void TestDataFile::refusesCharactersTheCodePageLacks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("arabic-indic digit") << "درهم ٥" << "«٥» (U+0665)";
    QTest::newRow("persian yeh") << "ی" << "«ی» (U+06CC)";
    QTest::newRow("sharp s") << "Straße" << "«ß» (U+00DF)";
    QTest::newRow("emoji") << "ok 😀" << "«😀» (U+1F600)";
    QTest::newRow("arabic thousands separator") << "1٬000" << "«٬» (U+066C)";
}

void TestDataFile::refusesCharactersTheCodePageLacks()
{
    QFETCH(QString, text);
    QFETCH(QString, named);
    const QString path = m_dir.filePath("banks.txt");
    WriteDataFile(path, {"OLD", "درهم"});
    const QByteArray before = ReadBytes(path);
    QVERIFY(FirstUnencodable(text).has_value());
    const QString error = ErrorOf([&] { WriteDataFile(path, {"first", text}); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.contains(named), qPrintable(error));
    QVERIFY2(error.contains("line 2"), qPrintable(error));
    QCOMPARE(ReadBytes(path), before);
    QVERIFY(!ReadBytes(path).contains('\x1a'));
}

void TestDataFile::refusesLineBreaksInsideALine()
{
    const QString path = m_dir.filePath("breaks.txt");
    const QString error = ErrorOf([&] { WriteDataFile(path, {"a\r\nb"}); });
    QVERIFY2(error.contains("line break"), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

void TestDataFile::missingFileNamesTheFile()
{
    const QString path = m_dir.filePath("nothing-here.txt");
    const QString error = ErrorOf([&] { ReadDataFile(path); });
    QVERIFY2(error.startsWith("Cannot read the file") && error.contains(path), qPrintable(error));
    const QString dirError = ErrorOf([&] { ReadDataFile(m_dir.path()); });
    QVERIFY2(dirError.contains(m_dir.path()), qPrintable(dirError));
}

void TestDataFile::unwritableTargetKeepsTheOldFile()
{
    // A directory in the file's place.
    const QString asDir = m_dir.filePath("options.txt");
    QVERIFY(QDir().mkpath(asDir));
    QString error = ErrorOf([&] { WriteDataFile(asDir, {"x"}); });
    QVERIFY2(error.startsWith("Cannot write the file") && error.contains(asDir), qPrintable(error));

    QVERIFY(QFileInfo(asDir).isDir());

    // A file where the directory should be: fails for every user, root included.
    const QString blocker = m_dir.filePath("not-a-dir");
    WriteDataFile(blocker, {"keep me"});
    const QString inside = blocker + "/banks.txt";
    error = ErrorOf([&] { WriteDataFile(inside, {"NEW"}); });
    QVERIFY2(error.contains(QDir::toNativeSeparators(inside)), qPrintable(error));
    QCOMPARE(ReadBytes(blocker), QByteArray("keep me\r\n"));
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
