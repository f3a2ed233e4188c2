// SPDX-License-Identifier: GPL-3.0-or-later
// The designer while a field is dragged: frames per second of a drag (each
// mouse move repainted), without and with a 300 dpi scanned cheque under
// the fields.

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include "benchmain.h"

#include "gui/designer/chequeU.h"
#include "tests/controls.h"
#include "tests/fielddragtest.h"

namespace {

QTemporaryDir &Dir()
{
    static QTemporaryDir dir;
    return dir;
}

void BM_DragFrame(benchmark::State &state)
{
    const bool scan = state.range(0) != 0;
    TChequeForm form;
    form.setSettingsFile(Dir().filePath(QStringLiteral("settings.ini")), Dir().path());
    form.show();
    form.ChangeBtnClick();
    if (scan) {
        // A cheque 160 by 70 mm scanned at 300 dpi.
        QImage image(1890, 827, QImage::Format_RGB32);
        image.fill(QColor(200, 220, 240));
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        image.save(Dir().filePath(QStringLiteral("scan.png")));
        if (!form.setScan(Dir().filePath(QStringLiteral("scan.png"))))
            state.SkipWithError("the scan was not taken");
    }
    ChequeFieldEdit *edit = Find<ChequeFieldEdit>(&form, QStringLiteral("ChequeEdit2"));
    QWidget *area = Find<QWidget>(&form, QStringLiteral("ChequeArea"));
    edit->setFocus();
    const QPoint grab = edit->geometry().center();
    SendMouse(edit, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        // Back and forth over 40 pixels; every move painted before the next.
        const int dx = (step++ % 80) < 40 ? 1 : -1;
        SendMouse(edit, QEvent::MouseMove, edit->geometry().center() + QPoint(dx, 0), Qt::NoButton, Qt::LeftButton);
        area->repaint();
    }
    SendMouse(edit, QEvent::MouseButtonRelease, edit->geometry().center(), Qt::LeftButton, Qt::NoButton);
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DragFrame)->Arg(0)->Arg(1)->ArgNames({"scan"})->Unit(benchmark::kMicrosecond);

} // namespace

CHEQUE_BENCHMARK_MAIN()
