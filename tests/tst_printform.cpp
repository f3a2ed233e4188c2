#include <QApplication>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "whenmodal.h"

#include "PrintChequeU.h"
#include "chequepage.h"


class TestPrintForm : public QObject
{
    Q_OBJECT

private slots:
    void printsOneJobOfOnePage();
    void previewReturnsWhenClosedAndPrintsNothing();
    void setupConfirmedAndCancelled();

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

QTEST_MAIN(TestPrintForm)
#include "tst_printform.moc"
