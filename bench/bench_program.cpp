// SPDX-License-Identifier: GPL-3.0-or-later
// The issue window at work: one keystroke in the amount box until both words
// labels are updated; a run of 250 cheques, each its own PDF job, through the
// real print run, against an empty one-page PDF job in the same run; a list
// of 250 cheques printed the same way; reading and checking a list of
// 10,000 rows (CSV and workbook).

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QTest>

#include "benchmain.h"
#include "pdfjob.h"

#include "batch/chequebatch.h"
#include "gui/issue/program.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/printing.h"
#include "gui/widgets/widgets.h"
#include "register/workbookwriter.h"
#include "tests/controls.h"

namespace {

// Every job to its own PDF file; the print dialog confirmed.
class PdfJobs final : public PrintService
{
public:
    int jobs = 0;
    bool setup(QWidget *, QPrinter &) override { return true; }
    void preview(QWidget *, QPrinter &, const Paint &) override {}
    void print(QPrinter &printer, const Paint &paint) override
    {
        // Each job its own file, as a printer takes each job; the printer is
        // left as the program set it (a run to a chosen PDF file is one file).
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Dir().filePath(QStringLiteral("cheque-%1.pdf").arg(jobs++ % 250)));
        paint(&printer);
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
    }
};

// Every question answered Yes (the same cheque again, in each run).
class YesDialogs final : public Dialogs
{
public:
    YesDialogs() { setDialogs(this); }
    void showMessage(QWidget *, const QString &, const QString &text, Tone) override
    {
        qWarning("%s", qPrintable(text));
    }
    bool askYesNo(QWidget *, const QString &, const QString &, Default) override { return true; }
    std::optional<QString> askText(QWidget *, const QString &, const QString &, const QString &, Echo) override
    {
        return std::nullopt;
    }
    std::optional<QFont> askFont(QWidget *, const QFont &) override { return std::nullopt; }
    Changes askSaveChanges(QWidget *, const QString &, const QString &) override { return Changes::Discard; }
    std::optional<QString> askSaveFile(QWidget *, const QString &, const QString &, const QString &, QString *) override
    {
        return std::nullopt;
    }
    std::optional<QString> askOpenFile(QWidget *, const QString &, const QString &) override { return std::nullopt; }
};

ChequeProgram &Program()
{
    static ChequeProgram *program = [] {
        static YesDialogs yes;
        auto *p = new ChequeProgram;
        p->NewChequeForm.setExeName(Dir().filePath(QStringLiteral("cheque-printer")));
        p->NewChequeForm.show();
        QCoreApplication::processEvents();
        return p;
    }();
    return *program;
}

void BM_AmountKeystroke(benchmark::State &state)
{
    TNewChequeForm &w = Program().NewChequeForm;
    QLineEdit *amount = Find<QLineEdit>(&w, "AmountED");
    const QLabel *arabic = Find<QLabel>(&w, "AAmountLB");
    amount->setText(QStringLiteral("1234567"));
    amount->setFocus();
    amount->end(false);
    bool add = true;
    for (auto _ : state) {
        // Typing a digit, then taking it back: both change the words.
        QTest::keyClick(amount, add ? Qt::Key_8 : Qt::Key_Backspace);
        add = !add;
        benchmark::DoNotOptimize(arabic->text().size());
    }
    if (Find<QLabel>(&w, "EAmountLB")->text().size() < 10)
        state.SkipWithError("the words were not updated");
}
BENCHMARK(BM_AmountKeystroke)->Unit(benchmark::kMicrosecond);

void BM_RunOf250(benchmark::State &state)
{
    PdfJobs jobs;
    setPrintService(&jobs);
    TNewChequeForm &w = Program().NewChequeForm;
    Find<QLineEdit>(&w, "DateEd")->setText(QStringLiteral("1/31/26"));
    Find<QLineEdit>(&w, "NameED")->setText(QStringLiteral("Dorvan Eskel Trading L.L.C."));
    Find<QLineEdit>(&w, "AmountED")->setText(QStringLiteral("5000"));
    Find<RadioGroup>(&w, "ManyRG")->setItemIndex(1);
    Find<QSpinBox>(&w, "CountED")->setValue(250);
    for (auto _ : state)
        w.PrintBtnClick();
    setPrintService(nullptr);
    if (jobs.jobs != 250 * int(state.iterations()))
        state.SkipWithError(
            qPrintable(QStringLiteral("%1 of %2 cheques were printed").arg(jobs.jobs).arg(250 * state.iterations())));
    state.counters["s per cheque"] = benchmark::Counter(250.0 * double(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RunOf250)->Unit(benchmark::kMillisecond)->Iterations(2);

// A list of `rows` cheques, Arabic and Latin payees, as CSV or a workbook.
QString ListFile(int rows, bool workbook)
{
    const QString path = Dir().filePath(QStringLiteral("list-%1.%2").arg(rows).arg(workbook ? "xlsx" : "csv"));
    if (QFile::exists(path))
        return path;
    if (workbook) {
        WorkbookWriter book(path, true);
        book.row({WorkbookCell::text("Date"), WorkbookCell::text("Payee"), WorkbookCell::text("Amount"),
                  WorkbookCell::text("Memo")});
        for (int i = 0; i < rows; ++i)
            book.row({WorkbookCell::date(QDate(2026, 1, 31).addDays(i % 300)),
                      WorkbookCell::text(i % 2 ? QStringLiteral("Dorvan Eskel Trading L.L.C.")
                                               : QStringLiteral("شركة النور للتجارة")),
                      WorkbookCell::amount(QStringLiteral("%1.25").arg(1000 + i), 2), WorkbookCell::text("invoice")});
        book.commit();
        return path;
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("Date,Payee,Amount,Memo\r\n");
    for (int i = 0; i < rows; ++i)
        file.write(
            QStringLiteral("%1,%2,%3.25,invoice\r\n")
                .arg(QDate(2026, 1, 31).addDays(i % 300).toString(Qt::ISODate),
                     i % 2 ? QStringLiteral("Dorvan Eskel Trading L.L.C.") : QStringLiteral("شركة النور للتجارة"))
                .arg(1000 + i)
                .toUtf8());
    return path;
}

void BM_ReadAndCheckList(benchmark::State &state, int count, bool workbook)
{
    const QString path = ListFile(count, workbook);
    const BatchContext context = Program().NewChequeForm.batchContext();
    for (auto _ : state) {
        const QList<BatchRow> rows = CheckList(ReadListFile(path), context);
        if (TotalsOf(rows).good != count)
            state.SkipWithError("a row was refused");
    }
}
BENCHMARK_CAPTURE(BM_ReadAndCheckList, Csv10k, 10000, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAndCheckList, Workbook10k, 10000, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadAndCheckList, Csv250, 250, false)->Unit(benchmark::kMillisecond);

// The floor of checking a list: Python's csv module reading the same rows
// and nothing more, timed inside Python (its start-up left out), once per
// iteration. Skipped where Python is not installed.
void BM_PythonCsvReader10k(benchmark::State &state)
{
    const QString path = ListFile(10000, false);
    const int runs = 30;
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, sys, time\n"
                                 "for _ in range(int(sys.argv[2])):\n"
                                 "    t = time.perf_counter()\n"
                                 "    with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "        rows = list(csv.reader(f))\n"
                                 "    assert len(rows) == 10001\n"
                                 "    print(time.perf_counter() - t)\n"),
                  path, QString::number(runs)});
    if (!python.waitForFinished(120000) || python.exitCode() != 0) {
        state.SkipWithError("python3 cannot read the list");
        return;
    }
    const QList<QByteArray> seconds = python.readAllStandardOutput().trimmed().split('\n');
    int i = 0;
    for (auto _ : state)
        state.SetIterationTime(seconds.value(i++ % seconds.size()).toDouble());
}
BENCHMARK(BM_PythonCsvReader10k)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

void BM_ListOf250(benchmark::State &state)
{
    PdfJobs jobs;
    setPrintService(&jobs);
    TNewChequeForm &w = Program().NewChequeForm;
    const QList<BatchRow> rows = CheckList(ReadListFile(ListFile(250, false)), w.batchContext());
    for (auto _ : state)
        w.PrintList(rows, &w);
    setPrintService(nullptr);
    if (jobs.jobs != 250 * int(state.iterations()))
        state.SkipWithError(
            qPrintable(QStringLiteral("%1 of %2 cheques were printed").arg(jobs.jobs).arg(250 * state.iterations())));
    state.counters["s per cheque"] = benchmark::Counter(250.0 * double(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ListOf250)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

CHEQUE_BENCHMARK_MAIN()
