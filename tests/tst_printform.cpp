// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "testdialogs.h"
#include "whenmodal.h"

#include "gui/printer/PrintChequeU.h"
#include "output/chequepage.h"

class TestPrintForm : public QObject
{
    Q_OBJECT

private slots:
    void printsOneJobOfOnePage();
    void previewReturnsWhenClosedAndPrintsNothing();
    void setupConfirmedAndCancelled();
    void printerThatCannotBeOpenedIsReported();

private:
    QTemporaryDir m_dir;
};

void TestPrintForm::printsOneJobOfOnePage()
{
    TPrintChequeForm form;
    const QString pdf = m_dir.filePath("job.pdf");
    form.printer().setOutputFormat(QPrinter::PdfFormat);
    form.printer().setOutputFileName(pdf);
    ChequeLayout layout = InitialLayout();
    form.Output(PageFromLayout(layout), false, nullptr);
    QVERIFY(QFile::exists(pdf));
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(out.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(out));
    QVERIFY(out.contains("684 x 297 pts"));
    QCOMPARE(form.lastPage().labels[2].caption, QStringLiteral("#5000#"));
}

void TestPrintForm::previewReturnsWhenClosedAndPrintsNothing()
{
    TPrintChequeForm form;
    const QString pdf = m_dir.filePath("preview.pdf");
    form.printer().setOutputFormat(QPrinter::PdfFormat);
    form.printer().setOutputFileName(pdf);
    bool shown = false;
    WhenModal<QPrintPreviewDialog>([&shown](QPrintPreviewDialog *d) {
        shown = true;
        d->close();
    });
    ChequeLayout layout = InitialLayout();
    form.Output(PageFromLayout(layout), true, nullptr);
    QVERIFY(shown);
    QVERIFY(!QFile::exists(pdf));
}

void TestPrintForm::setupConfirmedAndCancelled()
{
    TPrintChequeForm form;
    form.printer().setOutputFormat(QPrinter::PdfFormat);
    form.printer().setOutputFileName(m_dir.filePath("setup.pdf"));
    WhenModal<QPrintDialog>([](QPrintDialog *d) { d->accept(); });
    QVERIFY(form.PrintSetup(nullptr));
    QCOMPARE(form.printer().pageLayout().pageSize().id(), QPageSize::Envelope10);
    WhenModal<QPrintDialog>([](QPrintDialog *d) { d->reject(); });
    QVERIFY(!form.PrintSetup(nullptr));
    QCOMPARE(form.printer().pageLayout().pageSize().id(), QPageSize::Envelope10);
}

void TestPrintForm::printerThatCannotBeOpenedIsReported()
{
    // No CUPS server answers in the tests: there is no printer at all.
    TestDialogs dialogs;
    TPrintChequeForm form;
    ChequeLayout layout = InitialLayout();
    form.Output(PageFromLayout(layout), false, nullptr);
    QVERIFY(form.lastOutputFailed());
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY2(dialogs.messages[0].contains("no printer is set up"), qPrintable(dialogs.messages[0]));
    // The printer takes new settings afterwards; a PDF file in a folder that
    // does not exist.
    form.printer().setOutputFormat(QPrinter::PdfFormat);
    form.printer().setOutputFileName(m_dir.filePath("missing/cheque.pdf"));
    form.Output(PageFromLayout(layout), false, nullptr);
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY2(dialogs.messages[1].contains("missing/cheque.pdf"), qPrintable(dialogs.messages[1]));
    // And after that, a good file prints.
    form.printer().setOutputFileName(m_dir.filePath("after.pdf"));
    form.Output(PageFromLayout(layout), false, nullptr);
    QVERIFY(!form.lastOutputFailed());
    QVERIFY(QFile::exists(m_dir.filePath("after.pdf")));
    // A preview never reports.
    WhenModal<QPrintPreviewDialog>([](QPrintPreviewDialog *d) { d->close(); });
    form.Output(PageFromLayout(layout), true, nullptr);
    QVERIFY(!form.lastOutputFailed());
    QCOMPARE(dialogs.messages.size(), 2);
}

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
