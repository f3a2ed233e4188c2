// SPDX-License-Identifier: GPL-3.0-or-later
// One cheque rendered to PDF, against an empty one-page PDF job in the same
// run; the check of a cheque's page before it is recorded (every text
// whole in its box, every character drawn), against the page's rendering;
// and a run of 250 cheques as 250 separate jobs.

#include "benchmain.h"

#include <QApplication>
#include <QPrinter>

#include "output/chequepage.h"
#include "output/reportpage.h"
#include "pdfjob.h"

namespace {

ReportPage ChequePage()
{
    ChequeLayout layout = InitialLayout();
    layout.Fields[0].Text = "07/12/2026";
    layout.Fields[1].Text = "Dorvan Eskel Trading L.L.C.";
    layout.Fields[2].Text = "#5,000.00#";
    layout.Fields[3].Text = "// خمسة آلاف درهم فقط  //";
    layout.Fields[4].Kind = FieldKind::EnTextAmount;
    layout.Fields[4].Text = "// Five Thousand, Dhs Only  //";
    return PageFromLayout(layout);
}

void BM_ChequePdfJob(benchmark::State &state)
{
    const ReportPage page = ChequePage();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Dir().filePath("cheque.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderChequePage(printer, page));
}
BENCHMARK(BM_ChequePdfJob)->Unit(benchmark::kMicrosecond);

// The page laid out on the device that prints it: the text engine's work,
// which checking and painting share.
void BM_PageLayout(benchmark::State &state)
{
    const ReportPage page = ChequePage();
    QPaintDevice *device = ReferencePageDevice(page.portrait);
    for (auto _ : state)
        benchmark::DoNotOptimize(LaidOutPage(page, device));
}
BENCHMARK(BM_PageLayout)->Unit(benchmark::kMicrosecond);

// The check alone, on a page already laid out.
void BM_PageCheck(benchmark::State &state)
{
    const ReportPage page = ChequePage();
    const LaidOutPage laidOut(page, ReferencePageDevice(page.portrait));
    for (auto _ : state)
        benchmark::DoNotOptimize(laidOut.fault());
}
BENCHMARK(BM_PageCheck)->Unit(benchmark::kMicrosecond);

void BM_Run250Jobs(benchmark::State &state)
{
    const ReportPage page = ChequePage();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    for (auto _ : state) {
        for (int i = 0; i < 250; ++i) {
            printer.setOutputFileName(Dir().filePath(QStringLiteral("run%1.pdf").arg(i)));
            benchmark::DoNotOptimize(RenderChequePage(printer, page));
        }
    }
}
BENCHMARK(BM_Run250Jobs)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

CHEQUE_BENCHMARK_MAIN()
