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

#include "app/program.h"
#include "pdfjob.h"
#include "tests/controls.h"
#include "ui/printing.h"
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
        state.SkipWithError("not every cheque was printed");
    state.counters["s per cheque"] = benchmark::Counter(250.0 * double(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
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
