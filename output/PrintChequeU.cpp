#include "PrintChequeU.h"

#include <QPainter>
#include <QPrinter>

#include "printing.h"

TPrintChequeForm::TPrintChequeForm(QWidget *parent)
    : QWidget(parent)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("PrintChequeForm"));
    m_printer->setCopyCount(1);
    m_printer->setDuplex(QPrinter::DuplexNone);
    m_printer->setPrintRange(QPrinter::AllPages);
    ApplyChequePage(*m_printer, false);
    for (int i = 0; i < int(m_page.labels.size()); ++i)
        m_page.labels[std::size_t(i)].caption = QStringLiteral("QL%1").arg(i + 1);
}

TPrintChequeForm::~TPrintChequeForm() = default;

bool TPrintChequeForm::PrintSetup(QWidget *parent)
{
    const bool portrait = m_printer->pageLayout().orientation() == QPageLayout::Portrait;
    const bool confirmed = printService().setup(parent, *m_printer);
    const bool chosenPortrait = m_printer->pageLayout().orientation() == QPageLayout::Portrait;
    ApplyChequePage(*m_printer, confirmed ? chosenPortrait : portrait);
    return confirmed;
}

void TPrintChequeForm::Output(const ReportPage &page, bool preview, QWidget *parent)
{
    m_page = page;
    ApplyChequePage(*m_printer, page.portrait);
    const PrintService::Paint paint = [this](QPrinter *target) {
        QPainter painter;
        if (painter.begin(target)) {
            PaintChequePage(painter, m_page);
            painter.end();
        }
    };
    if (preview)
        printService().preview(parent, *m_printer, paint);
    else
        printService().print(*m_printer, paint);
}
