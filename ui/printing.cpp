// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing.h"

#include <QAction>
#include <QCoreApplication>
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
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        const QString pageSetup = QCoreApplication::translate("QPrintPreviewDialog", "Page setup");
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
