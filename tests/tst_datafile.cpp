// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "errorof.h"
#include "testfiles.h"

#include "core/datafile.h"
#include "core/datafolder.h"

namespace {

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT

private slots:
    void savedNamesTakeTheFiltersSuffix();
    void lineEnds_data();
    void lineEnds();
    void everyByteRoundTrips();
    void writesCp1256WithCrLf();
    void refusesCharactersTheCodePageLacks_data();
    void refusesCharactersTheCodePageLacks();
    void refusesLineBreaksInsideALine();
    void missingFileNamesTheFile();
    void unwritableTargetKeepsTheOldFile();
    void specialFilesAreNeverReadNorReplaced();
    void oversizedFileIsNotRead();
    void danglingLinkIsNotFollowed();
    void linkToAFileIsWrittenThrough();
    void utf8Files_data();
    void utf8Files();
    void saveKilledAtEveryStepLeavesOnePair_data();
    void saveKilledAtEveryStepLeavesOnePair();
    void leftoversOfInterruptedSavesAreRemoved();
    void systemProgramFolders_data();
    void systemProgramFolders();
    void dataFolderChoice();
    void defaultsCopiedOnceIntoTheUserFolder();

private:
    QTemporaryDir m_dir;
};

void TestDataFile::lineEnds_data()
{
    // clang-format off
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
    // clang-format on
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
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("arabic-indic digit") << "درهم ٥" << "«٥» (U+0665)";
    QTest::newRow("persian yeh") << "ی" << "«ی» (U+06CC)";
    QTest::newRow("sharp s") << "Straße" << "«ß» (U+00DF)";
    QTest::newRow("emoji") << "ok 😀" << "«😀» (U+1F600)";
    QTest::newRow("arabic thousands separator") << "1٬000" << "«٬» (U+066C)";
    // Dropped by the encoder without an error: found by reading it back.
    QTest::newRow("zero-width no-break space") << "a\uFEFFb" << "U+FEFF";
    // clang-format on
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

void TestDataFile::specialFilesAreNeverReadNorReplaced()
{
    // A FIFO would hang the reader until someone writes to it; a device never ends.
    const QString fifo = m_dir.filePath("fifo-banks.txt");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
    const QString zero = m_dir.filePath("zero-banks.txt");
    QVERIFY(QFile::link("/dev/zero", zero));
    for (const QString &path : {fifo, zero}) {
        QString error = ErrorOf([&] { ReadDataFile(path); });
        QVERIFY2(error.contains(path) && error.contains("not a regular file"), qPrintable(error));
        error = ErrorOf([&] { WriteDataFile(path, {"x"}); });
        QVERIFY2(error.contains(path) && error.contains("not a regular file"), qPrintable(error));
    }
    QVERIFY(QFileInfo(fifo).isSymLink() || !QFileInfo(fifo).isFile()); // still the FIFO
    QVERIFY(QFileInfo(zero).isSymLink());
}

void TestDataFile::oversizedFileIsNotRead()
{
    // Sparse: no disk is used for it.
    const QString path = m_dir.filePath("huge-options.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(MaxDataFileBytes + 1));
    f.close();
    const QString error = ErrorOf([&] { ReadDataFile(path); });
    QVERIFY2(error.contains(path) && error.contains("larger"), qPrintable(error));
}

void TestDataFile::danglingLinkIsNotFollowed()
{
    // The link points into a folder that exists: following it would create a
    // file there.
    const QString elsewhere = m_dir.filePath("elsewhere");
    QVERIFY(QDir().mkpath(elsewhere));
    const QString link = m_dir.filePath("dangling-money.txt");
    QVERIFY(QFile::link(elsewhere + "/money.txt", link));
    const QString error = ErrorOf([&] { WriteDataFile(link, {"x"}); });
    QVERIFY2(error.contains(link) && error.contains("does not exist"), qPrintable(error));
    QVERIFY(!QFile::exists(elsewhere + "/money.txt"));
    QVERIFY(QFileInfo(link).isSymLink());
}

void TestDataFile::linkToAFileIsWrittenThrough()
{
    const QString real = m_dir.filePath("real-banks.txt");
    WriteDataFile(real, {"OLD"});
    const QString link = m_dir.filePath("linked-banks.txt");
    QVERIFY(QFile::link(real, link));
    const QString otherReal = m_dir.filePath("real-options.txt");
    WriteDataFile(otherReal, {"old line"});
    const QString otherLink = m_dir.filePath("linked-options.txt");
    QVERIFY(QFile::link(otherReal, otherLink));
    WriteDataFiles({{link, {"NEW"}}, {otherLink, {"new line"}}});
    QVERIFY(QFileInfo(link).isSymLink() && QFileInfo(otherLink).isSymLink());
    QCOMPARE(ReadBytes(real), QByteArray("NEW\r\n"));
    QCOMPARE(ReadBytes(otherReal), QByteArray("new line\r\n"));
}

void TestDataFile::utf8Files_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "51#000\r\n") << QStringList{"51#000"};
    QTest::newRow("byte-order mark, Arabic")
        << QByteArray("\xEF\xBB\xBF\xD8\xAF\xD8\xB1\xD9\x87\xD9\x85\r\nDHs\r\n") << QStringList{"درهم", "DHs"};
    QTest::newRow("UTF-8 without mark")
        << QByteArray("\xD9\x84\xD9\x8A\xD8\xB1\xD8\xA9\nSP\n") << QStringList{"ليرة", "SP"};
    QTest::newRow("Windows-1256") << QByteArray("\xe1\xed\xd1\xc9\r\nSP\r\n") << QStringList{"ليرة", "SP"};
    QTest::newRow("ASCII") << QByteArray("SIB\r\n") << QStringList{"SIB"};
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QStringList{};
    // clang-format on
}

void TestDataFile::utf8Files()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString path = m_dir.filePath("utf8.txt");
    WriteBytes(path, bytes);
    QCOMPARE(ReadDataFile(path), lines);
    // Written back in the program's code page.
    WriteDataFile(path, lines);
    QCOMPARE(ReadBytes(path), EncodeDataLines(lines, path));
    QCOMPARE(ReadDataFile(path), lines);
}

namespace {

const QStringList kOldBanks{"A", "B", "C"};
const QStringList kOldOptions{"line A", "line B", "line C"};
const QStringList kNewBanks{"A", "C"};
const QStringList kNewOptions{"line A", "line C"};

} // namespace

void TestDataFile::saveKilledAtEveryStepLeavesOnePair_data()
{
    // clang-format off
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("replaced"); // the new pair after the next start
    QTest::newRow("banks.txt staged") << "staged:0" << false;
    QTest::newRow("options.txt staged") << "staged:1" << false;
    QTest::newRow("marker written") << "marked:0" << true;
    QTest::newRow("banks.txt replaced") << "replaced:0" << true;
    QTest::newRow("options.txt replaced") << "replaced:1" << true;
    QTest::newRow("done") << "done:0" << true;
    // clang-format on
}

void TestDataFile::saveKilledAtEveryStepLeavesOnePair()
{
    QFETCH(QString, step);
    QFETCH(bool, replaced);
    QTemporaryDir dir;
    const QString banks = dir.filePath("banks.txt");
    const QString options = dir.filePath("options.txt");
    WriteDataFiles({{banks, kOldBanks}, {options, kOldOptions}});

    // A real process writes the pair and is killed (SIGKILL) after the step.
    QProcess saver;
    saver.start(SAVEKILL_EXE, {dir.path(), step});
    QVERIFY(saver.waitForFinished(30000));
    QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

    const SaveRecovery recovery = FinishInterruptedSave(dir.path(), {"banks.txt", "options.txt"});
    QCOMPARE(ReadDataFile(banks), replaced ? kNewBanks : kOldBanks);
    QCOMPARE(ReadDataFile(options), replaced ? kNewOptions : kOldOptions);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"banks.txt", "options.txt"}));
    if (step.startsWith("marked") || step == "replaced:0")
        QVERIFY(!recovery.finished.isEmpty());
}

void TestDataFile::leftoversOfInterruptedSavesAreRemoved()
{
    QTemporaryDir dir;
    WriteDataFile(dir.filePath("banks.txt"), {"A"});
    const QStringList leftovers{"banks.txt.Ab3xYz", "options.txt.new", "options.txt.new.q1W2e3", "money.txt.Z9z9Z9"};
    const QStringList kept{"banks.txt", "banks.txt.backup", "banks.txt.bak", "money.txt.bak", "notes.txt.Ab3xYz"};
    for (const QString &name : leftovers + kept)
        if (name != "banks.txt")
            WriteBytes(dir.filePath(name), "x");
    const SaveRecovery recovery = FinishInterruptedSave(dir.path(), {"banks.txt", "options.txt", "money.txt"});
    QStringList removed = recovery.removed;
    removed.sort();
    QStringList expected = leftovers;
    expected.sort();
    QCOMPARE(removed, expected);
    QStringList left = QDir(dir.path()).entryList(QDir::Files);
    left.sort();
    QStringList sortedKept = kept;
    sortedKept.sort();
    QCOMPARE(left, sortedKept);
}

void TestDataFile::systemProgramFolders_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<bool>("system");
    QTest::newRow("/usr/bin") << "/usr/bin" << true;
    QTest::newRow("trailing slash") << "/usr/bin/" << true;
    QTest::newRow("/bin") << "/bin" << true;
    QTest::newRow("/usr/local/bin") << "/usr/local/bin" << true;
    QTest::newRow("/usr/../usr/sbin") << "/usr/../usr/sbin" << true;
    QTest::newRow("/usr") << "/usr" << false;
    QTest::newRow("/usr/lib") << "/usr/lib" << false;
    QTest::newRow("/usr/bin/x") << "/usr/bin/x" << false;
    QTest::newRow("temporary") << QDir::tempPath() << false;
}

void TestDataFile::systemProgramFolders()
{
    QFETCH(QString, dir);
    QFETCH(bool, system);
    QCOMPARE(IsSystemProgramFolder(dir), system);
}

// Root can write /usr/bin, yet a program installed there keeps its files in
// the user's folder; a folder given on the command line wins over both.
void TestDataFile::dataFolderChoice()
{
    QTemporaryDir exe, home;
    const QString user = home.filePath("share/cheque-printer");

    DataFolder folder = ChooseDataFolder(exe.path(), {}, user);
    QCOMPARE(folder.path, exe.path() + '/');
    QVERIFY(folder.problem.isEmpty());
    QVERIFY(!QFileInfo::exists(user));

    folder = ChooseDataFolder("/usr/bin", {}, user);
    QCOMPARE(folder.path, user + '/');
    QVERIFY(folder.problem.isEmpty());
    QVERIFY(QFileInfo(user).isDir());
    QVERIFY(folder.copied.isEmpty());

    const QString given = home.filePath("given/folder");
    folder = ChooseDataFolder("/usr/bin", given, user);
    QCOMPARE(folder.path, given + '/');
    QVERIFY(QFileInfo(given).isDir());

    WriteBytes(home.filePath("a file"), "x");
    folder = ChooseDataFolder(exe.path(), home.filePath("a file"), user);
    QVERIFY(folder.problem.contains("a file"));
}

void TestDataFile::defaultsCopiedOnceIntoTheUserFolder()
{
    if (::geteuid() == 0)
        QSKIP("root writes every folder; the installed-package test covers this as another user");
    QTemporaryDir exe, home;
    const QString user = home.filePath("data");
    WriteBytes(exe.filePath("banks.txt"), "Bank\r\n");
    WriteBytes(exe.filePath("money.txt"), "money\r\n");
    QVERIFY(QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::ExeOwner));

    DataFolder folder = ChooseDataFolder(exe.path(), {}, user);
    QCOMPARE(folder.path, user + '/');
    QCOMPARE(folder.copied, (QStringList{"banks.txt", "money.txt"}));
    QCOMPARE(ReadBytes(user + "/banks.txt"), QByteArray("Bank\r\n"));
    QVERIFY(QFileInfo(user + "/banks.txt").isWritable());

    // The user's own changes are never replaced by the defaults again.
    WriteBytes(user + "/banks.txt", "Mine\r\n");
    QVERIFY(QFile::remove(user + "/money.txt"));
    folder = ChooseDataFolder(exe.path(), {}, user);
    QVERIFY(folder.copied.isEmpty());
    QCOMPARE(ReadBytes(user + "/banks.txt"), QByteArray("Mine\r\n"));
    QVERIFY(!QFileInfo::exists(user + "/money.txt"));
    QCOMPARE(ReadBytes(exe.filePath("banks.txt")), QByteArray("Bank\r\n"));
    QFile::setPermissions(exe.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestDataFile::savedNamesTakeTheFiltersSuffix()
{
    // The filter chosen decides what is written: a name without its suffix
    // gets the filter's first; one with any of its suffixes keeps it.
    const QString filters[] = {"Excel workbooks (*.xlsx)", "CSV files (*.csv *.txt)", "All files (*)"};
    QCOMPARE(WithSuffixOf("/tmp/cheques", filters[0]), QStringLiteral("/tmp/cheques.xlsx"));
    QCOMPARE(WithSuffixOf("/tmp/cheques.csv", filters[0]), QStringLiteral("/tmp/cheques.csv.xlsx"));
    QCOMPARE(WithSuffixOf("/tmp/cheques.XLSX", filters[0]), QStringLiteral("/tmp/cheques.XLSX"));
    QCOMPARE(WithSuffixOf("/tmp/list.txt", filters[1]), QStringLiteral("/tmp/list.txt"));
    QCOMPARE(WithSuffixOf("/tmp/list", filters[1]), QStringLiteral("/tmp/list.csv"));
    QCOMPARE(WithSuffixOf("/tmp/list", filters[2]), QStringLiteral("/tmp/list"));
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
