// SPDX-License-Identifier: GPL-3.0-or-later
// A run of three cheques through a real CUPS queue with the CUPS-PDF printer
// (started by cups_print.sh): Qt's own print dialog, answered by the test,
// then one job per cheque, read back from the printer's PDF files.

#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "controls.h"
#include "pdftext.h"
#include "testdialogs.h"
#include "whenmodal.h"

#include "gui/issue/program.h"
#include "output/printeroffsets.h"
#include "gui/widgets/widgets.h"

class TestCups : public QObject
{
    Q_OBJECT

private slots:
    void runOfThreeThroughTheQueue();
};

void TestCups::runOfThreeThroughTheQueue()
{
    const QString out = qEnvironmentVariable("CHEQUE_CUPS_OUT");
    const QString queue = qEnvironmentVariable("CHEQUE_CUPS_QUEUE");
    if (out.isEmpty())
        QSKIP("run by cups_print.sh, which starts the CUPS queue");
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    QTemporaryDir dir;
    TestDialogs dialogs; // messages only; the print dialog is Qt's own
    ChequeProgram program;
    TNewChequeForm &w = program.NewChequeForm;
    w.setExeName(dir.filePath(QStringLiteral("cheque-printer")));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    Find<QLineEdit>(&w, "DateEd")->setText(QStringLiteral("1/31/11"));
    Find<QLineEdit>(&w, "NameED")->setText(QStringLiteral("Dorvan Eskel"));
    Find<QLineEdit>(&w, "AmountED")->setText(QStringLiteral("5000"));
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(1);
    Find<QSpinBox>(&w, "CountED")->setValue(3);
    int dialogsShown = 0;
    WhenModal<QPrintDialog>([&dialogsShown](QPrintDialog *d) {
        ++dialogsShown;
        d->accept();
    });
    w.PrintBtnClick();
    QCOMPARE(dialogsShown, 1);
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join('\n')));
    QCOMPARE(program.PrintChequeForm.printer().printerName(), queue);
    QCOMPARE(program.PrintChequeForm.printer().outputFormat(), QPrinter::NativeFormat);

    // The printer writes one PDF per job, on Envelope No. 10 paper. (It
    // turns the page through PostScript, which leaves the glyphs but not
    // their letters: the words are read from the jobs themselves below.)
    QDir outDir(out);
    QTRY_COMPARE_WITH_TIMEOUT(outDir.entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), 3, 90000);
    for (const QFileInfo &pdf : outDir.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
        // The last file may still be being written: read once it is whole.
        QString size;
        QTRY_VERIFY2_WITH_TIMEOUT((size = PageSize(pdf.filePath())) == QLatin1String("297 x 684")
                                      || size == QLatin1String("684 x 297"),
                                  qPrintable(size), 30000);
        QVERIFY(WordsOf(pdf.filePath()).size() >= 10);
    }

    // What the queue received: three one-page documents, one per cheque.
    const QDir spool(qEnvironmentVariable("CHEQUE_CUPS_SPOOL"));
    const QFileInfoList jobs = spool.entryInfoList({QStringLiteral("d*")}, QDir::Files, QDir::Name);
    QCOMPARE(jobs.size(), 3);
    QStringList dates;
    for (const QFileInfo &job : jobs) {
        QCOMPARE(PageSize(job.filePath()), QStringLiteral("684 x 297"));
        const QStringList texts = TextsOf(job.filePath());
        QVERIFY2(texts.contains(QStringLiteral("#5,000.00#")) && texts.contains(QStringLiteral("Dorvan")),
                 qPrintable(texts.join(' ')));
        dates << texts.first();
    }
    QCOMPARE(dates, (QStringList{"1/31/11", "2/28/11", "3/31/11"}));

    // The printer's offset, +2.5 mm across and 1.0 mm up, moves every word
    // of the next page sent to it by exactly that; the designer's fields
    // stay where they are.
    program.PrintChequeForm.setOffset(queue, PrinterOffset{25, -10, true});
    const ChequeLayout screen = program.ChequeForm.Layout();
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(0);
    Find<QLineEdit>(&w, "DateEd")->setText(QStringLiteral("1/31/11"));
    dialogs.yesNoAnswers << true; // the same cheque again
    WhenModal<QPrintDialog>([](QPrintDialog *d) { d->accept(); });
    w.PrintBtnClick();
    QCOMPARE(program.PrintChequeForm.lastOffset(), QPointF(2.5, -1.0));
    QCOMPARE(OptionLine(program.ChequeForm.Layout()), OptionLine(screen)); // fields in place
    QTRY_COMPARE_WITH_TIMEOUT(spool.entryInfoList({QStringLiteral("d*")}, QDir::Files).size(), 4, 30000);
    const QFileInfoList all = spool.entryInfoList({QStringLiteral("d*")}, QDir::Files, QDir::Name);
    const QList<Word> before = WordsOf(all[0].filePath());
    const QList<Word> after = WordsOf(all[3].filePath());
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        QCOMPARE(after[i].text, before[i].text);
        QVERIFY2(qAbs(after[i].xMin - before[i].xMin - 2.5) < 0.02 && qAbs(after[i].yMin - before[i].yMin + 1.0) < 0.02,
                 qPrintable(QStringLiteral("%1: %2, %3 → %4, %5")
                                .arg(before[i].text)
                                .arg(before[i].xMin)
                                .arg(before[i].yMin)
                                .arg(after[i].xMin)
                                .arg(after[i].yMin)));
    }
}

QTEST_MAIN(TestCups)
#include "tst_cups.moc"
