// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/printing.h"

#include <QAction>
#include <QCoreApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include "output/reportpage.h"

namespace {

class QtPrintService final : public PrintService
{
public:
    bool setup(QWidget *parent, QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    }

    void preview(QWidget *parent, QPrinter &printer, const Paint &paint) override
    {
        QPrintPreviewDialog dialog(&printer, parent);
        // A preview is for looking: a cheque goes to paper only from the
        // program's own Print, which records it first.
        // Their texts as Qt's own translation gives them (not this program's).
        const char *const qtContext = "QPrintPreviewDialog";
        const char *const printText = "Print";
        const char *const pageSetupText = "Page setup";
        const QString print = QCoreApplication::translate(qtContext, printText);
        const QString pageSetup = QCoreApplication::translate(qtContext, pageSetupText);
        for (QToolBar *bar : dialog.findChildren<QToolBar *>())
            for (QAction *action : bar->actions())
                if (action->text() == print || action->text() == pageSetup)
                    action->setVisible(false);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter *p) { paint(p); });
        dialog.exec();
    }

    void print(QPrinter &printer, const Paint &paint) override { paint(&printer); }
};

QtPrintService g_qtService;
PrintService *g_service = &g_qtService;

} // namespace

void ApplyChequePage(QPrinter &printer, bool portrait)
{
    printer.setFullPage(true);
    printer.setPageLayout(ChequePageLayout(portrait));
}

PrintService &printService() { return *g_service; }

void setPrintService(PrintService *replacement) { g_service = replacement ? replacement : &g_qtService; }

PrinterOutput::PrinterOutput(QPrinter &printer, QString name, QPointF offsetMm)
    : m_printer(printer)
    , m_name(std::move(name))
    , m_offset(offsetMm)
{}

QPaintDevice *PrinterOutput::device(bool portrait)
{
    ApplyChequePage(m_printer, portrait);
    return &m_printer;
}

QString DescribePrinter(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return QCoreApplication::translate("TPrintChequeForm", "the file \"%1\"").arg(printer.outputFileName());
    if (printer.printerName().isEmpty())
        return QCoreApplication::translate("TPrintChequeForm", "no printer is set up, and the default printer");
    return QCoreApplication::translate("TPrintChequeForm", "the printer \"%1\"").arg(printer.printerName());
}

std::optional<QString> PrinterOutput::send(const LaidOutPage &page)
{
    ApplyChequePage(m_printer, page.page().portrait);
    std::optional<QString> failed;
    printService().print(m_printer, [&](QPrinter *target) {
        // Named in the job: a job that fails forgets its file.
        const auto cannot = [&] {
            return QCoreApplication::translate("PrinterOutput", "%1 could not be opened").arg(DescribePrinter(*target));
        };
        // Painted from the layout that was checked; a job whose device is
        // not the one it was laid out on is laid out and checked again.
        std::optional<LaidOutPage> again;
        if (target != page.device() || target->logicalDpiX() != page.device()->logicalDpiX()) {
            again.emplace(page.page(), target);
            if (again->fault(m_offset)) {
                failed = QCoreApplication::translate("PrinterOutput", "the page does not fit %1")
                             .arg(DescribePrinter(*target));
                return;
            }
        }
        QPainter painter;
        if (!painter.begin(target)) {
            failed = cannot();
            return;
        }
        (again ? *again : page).paint(painter, m_offset);
        if (!painter.end())
            failed = cannot();
    });
    return failed;
}
