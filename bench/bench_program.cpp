// The issue window at work: one keystroke in the amount box until both words
// labels are updated; a run of 250 cheques, each its own PDF job, through the
// real print run, against an empty one-page PDF job in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QTest>

#include "pdfjob.h"
#include "ui/printing.h"
#include "app/program.h"
#include "ui/widgets.h"

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
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Dir().filePath(QStringLiteral("cheque-%1.pdf").arg(jobs++ % 250)));
        paint(&printer);
    }
};

ChequeProgram &Program()
{
    static ChequeProgram *program = [] {
        auto *p = new ChequeProgram;
        p->NewChequeForm.ExeName = Dir().filePath(QStringLiteral("cheque-printer"));
        p->NewChequeForm.show();
        QCoreApplication::processEvents();
        return p;
    }();
    return *program;
}

void BM_AmountKeystroke(benchmark::State &state)
{
    TNewChequeForm &w = Program().NewChequeForm;
    w.AmountED->setText(QStringLiteral("1234567"));
    w.AmountED->setFocus();
    w.AmountED->end(false);
    bool add = true;
    for (auto _ : state) {
        // Typing a digit, then taking it back: both change the words.
        if (add)
            QTest::keyClick(w.AmountED, Qt::Key_8);
        else
            QTest::keyClick(w.AmountED, Qt::Key_Backspace);
        add = !add;
        benchmark::DoNotOptimize(w.AAmountLB->text().size());
    }
    if (w.EAmountLB->text().size() < 10)
        state.SkipWithError("the words were not updated");
}
BENCHMARK(BM_AmountKeystroke)->Unit(benchmark::kMicrosecond);

void BM_RunOf250(benchmark::State &state)
{
    PdfJobs jobs;
    setPrintService(&jobs);
    TNewChequeForm &w = Program().NewChequeForm;
    w.DateEd->setText(QStringLiteral("1/31/26"));
    w.NameED->setText(QStringLiteral("Dorvan Eskel Trading L.L.C."));
    w.AmountED->setText(QStringLiteral("5000"));
    w.ManyRG->setItemIndex(1);
    w.CountED->setValue(250);
    for (auto _ : state)
        w.PrintBtnClick();
    setPrintService(nullptr);
    if (jobs.jobs != 250 * int(state.iterations()))
        state.SkipWithError("not every cheque was printed");
    state.counters["s per cheque"] =
        benchmark::Counter(250.0 * double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RunOf250)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
