// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "testfiles.h"

#include "core/datafile.h"
#include "layout/bankbook.h"

namespace {

ChequeLayout Moved(int left)
{
    ChequeLayout l = InitialLayout();
    for (ChequeField &f : l.Fields)
        f.Left = left;
    return l;
}

} // namespace

class TestBankBook : public QObject
{
    Q_OBJECT

private slots:
    void saveFillsLinesAndRunsHooksInOrder();
    void extraLinesAreKept();
    void loadAppliesTheSelectedLine();
    void recoveryStoresTheLayoutOnScreen();
    void emptyFirstLineNeverTakesAnotherBanksLine();
    void noSelectionTouchesNoLine();
    void deleteRemovesBothEntries();
    void filesRoundTrip();
    void filesStayTogetherOnFailure();
};

void TestBankBook::saveFillsLinesAndRunsHooksInOrder()
{
    BankBook book;
    book.Banks = {"SIB", "ADCB", "FAB"};
    book.Selected = 2;
    QStringList calls;
    QObject::connect(&book, &BankBook::saving, [&] { calls << "saving:" + QString::number(book.Options.size()); });
    QObject::connect(&book, &BankBook::saved, [&] { calls << "saved"; });
    book.SaveChequeOptions(InitialLayout());
    QCOMPARE(calls, (QStringList{"saving:0", "saved"}));
    QCOMPARE(book.Options, (QStringList{"", "", OptionLine(InitialLayout())}));
}

void TestBankBook::extraLinesAreKept()
{
    BankBook book;
    book.Banks = {"SIB"};
    book.Options = {"old", "extra 1", "extra 2"};
    book.Selected = 0;
    book.SaveChequeOptions(Moved(5));
    QCOMPARE(book.Options, (QStringList{OptionLine(Moved(5)), "extra 1", "extra 2"}));
}

void TestBankBook::loadAppliesTheSelectedLine()
{
    BankBook book;
    book.Banks = {"A", "B"};
    book.Options = {OptionLine(Moved(10)), OptionLine(Moved(20))};
    book.Selected = 1;
    ChequeLayout shown = InitialLayout();
    book.LoadSelectedLayout(shown);
    QCOMPARE(shown.Fields[3].Left, 20);
    QCOMPARE(book.Options.at(0), OptionLine(Moved(10)));
}

void TestBankBook::recoveryStoresTheLayoutOnScreen()
{
    BankBook book;
    book.Banks = {"A", "B"};
    // Bank B's line: count 3, then a letter where the first kind belongs.
    QString bad = OptionLine(Moved(30));
    bad[0] = u'3';
    bad[8] = u'x';
    book.Options = {OptionLine(Moved(10)), bad};
    book.Selected = 1;
    ChequeLayout shown = Moved(99);
    int saves = 0;
    QObject::connect(&book, &BankBook::saving, [&] { ++saves; });
    book.LoadSelectedLayout(shown);
    QCOMPARE(saves, 1);
    ChequeLayout expected = Moved(99);
    expected.applyLabelsCount(3); // applied before the failure
    QCOMPARE(book.Options.at(1), OptionLine(expected));
    QCOMPARE(shown.LabelsCount, 3);
    QCOMPARE(shown.Fields[0].Left, 99);
    QCOMPARE(book.Options.at(0), OptionLine(Moved(10)));

    // A bank without a line takes over the layout on screen.
    book.Banks << "C";
    book.Selected = 2;
    book.LoadSelectedLayout(shown);
    QCOMPARE(book.Options.size(), 3);
    QCOMPARE(book.Options.at(2), OptionLine(shown));
}

void TestBankBook::emptyFirstLineNeverTakesAnotherBanksLine()
{
    BankBook book;
    book.Banks = {"A", "B", "C"};
    book.Options = {"", OptionLine(Moved(20)), OptionLine(Moved(40))};
    book.Selected = 2;
    ChequeLayout shown = Moved(7);
    book.LoadSelectedLayout(shown);
    QCOMPARE(book.Options.at(2), OptionLine(Moved(40)));
    QCOMPARE(book.Options.at(0), OptionLine(Moved(7)));
    QCOMPARE(shown.Fields[0].Left, 40);

    BankBook missing;
    missing.Banks = {"A", "B"};
    missing.Selected = 1;
    ChequeLayout screen = Moved(3);
    missing.LoadSelectedLayout(screen);
    QCOMPARE(missing.Options, (QStringList{OptionLine(Moved(3)), OptionLine(Moved(3))}));
}

void TestBankBook::noSelectionTouchesNoLine()
{
    BankBook book;
    book.Banks = {"A", "B"};
    book.Options = {"line A", "line B"};
    int mirrored = 0;
    QObject::connect(&book, &BankBook::saving, [&] { ++mirrored; });
    for (int selection : {-1, 2, 7}) {
        book.Selected = selection;
        ChequeLayout shown = Moved(1);
        book.SaveChequeOptions(shown);
        book.LoadChequeOptions(shown);
        book.LoadSelectedLayout(shown);
        QCOMPARE(shown, Moved(1));
        QCOMPARE(book.Options, (QStringList{"line A", "line B"}));
    }
    QVERIFY(mirrored >= 3); // the issue window still gets the bank list
    book.DeleteBank(-1);
    book.DeleteBank(5);
    QCOMPARE(book.Banks.size(), 2);

    BankBook empty;
    ChequeLayout shown = Moved(1);
    empty.Selected = 0;
    empty.LoadSelectedLayout(shown);
    QVERIFY(empty.Options.isEmpty());
}

void TestBankBook::deleteRemovesBothEntries()
{
    BankBook book;
    book.Banks = {"A", "B", "C"};
    book.Options = {"1", "2"};
    book.Selected = 1;
    book.DeleteBank(1);
    QCOMPARE(book.Banks, (QStringList{"A", "C"}));
    QCOMPARE(book.Options, (QStringList{"1"}));
    QCOMPARE(book.Selected, -1);
    book.DeleteBank(1); // a bank without a line
    QCOMPARE(book.Banks, (QStringList{"A"}));
    QCOMPARE(book.Options, (QStringList{"1"}));
    book.AddBank("بنك دبي");
    QCOMPARE(book.Banks.last(), QStringLiteral("بنك دبي"));
}

void TestBankBook::filesRoundTrip()
{
    QTemporaryDir dir;
    const QString banks = dir.filePath(BanksFileName);
    const QString options = dir.filePath(OptionsFileName);
    const QStringList names = {"SIB", "بنك المشرق", ""};
    const QStringList lines = {OptionLine(InitialLayout()), OptionLine(Moved(9)), ""};
    WriteBankFiles(banks, names, options, lines);
    QCOMPARE(ReadBytes(banks), QByteArray("SIB\r\n\xc8\xe4\xdf \xc7\xe1\xe3\xd4\xd1\xde\r\n\r\n"));
    QCOMPARE(ReadDataFile(banks), names);
    QCOMPARE(ReadDataFile(options), lines);
    QVERIFY(ReadBytes(options).endsWith("\r\n\r\n"));
}

void TestBankBook::filesStayTogetherOnFailure()
{
    QTemporaryDir dir;
    const QString banks = dir.filePath(BanksFileName);
    const QString options = dir.filePath(OptionsFileName);
    WriteBankFiles(banks, {"OLD"}, options, {"old line"});

    // A name the code page cannot hold: neither file changes.
    try {
        WriteBankFiles(banks, {"Bank ٥"}, options, {"new"});
        QFAIL("written");
    } catch (const ChequeError &e) {
        QVERIFY(QString::fromUtf8(e.what()).contains(banks));
    }
    QCOMPARE(ReadBytes(banks), QByteArray("OLD\r\n"));
    QCOMPARE(ReadBytes(options), QByteArray("old line\r\n"));

    // options.txt cannot be written: banks.txt keeps its old text.
    QVERIFY(QFile::remove(options));
    QVERIFY(QDir().mkdir(options));
    try {
        WriteBankFiles(banks, {"NEW"}, options, {"new"});
        QFAIL("written");
    } catch (const ChequeError &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(options), e.what());
    }
    QCOMPARE(ReadBytes(banks), QByteArray("OLD\r\n"));
}

QTEST_GUILESS_MAIN(TestBankBook)
#include "tst_bankbook.moc"
