#include "reportpage.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include "DgToStU.h"

int MarginFromText(const QString &millimetres)
{
    try {
        const std::int64_t mm = StrToInt(millimetres.toStdString());
        const std::int64_t tenths = mm * 10;
        if (tenths > std::numeric_limits<int>::max() || tenths < std::numeric_limits<int>::min())
            return 0;
        return int(tenths);
    } catch (const ChequeError &) {
        return 0;
    }
}

QPageLayout ChequePageLayout(bool portrait)
{
    return QPageLayout(QPageSize(QPageSize::Envelope10),
                       portrait ? QPageLayout::Portrait : QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

void ApplyChequePage(QPrinter &printer, bool portrait)
{
    printer.setFullPage(true);
    // Full-page mode: a real printer refuses margins inside its unprintable
    // border otherwise, and with them the whole layout, paper size included.
    QPageLayout layout = ChequePageLayout(portrait);
    layout.setMode(QPageLayout::FullPageMode);
    printer.setPageLayout(layout);
}

namespace {

// Lays the caption out in the box's width, wrapping at words, and draws the
// lines that start inside the box's height; the box clips what overflows.
void PaintLabel(QPainter &painter, const ReportLabel &label, double scale)
{
    const QRectF box(label.left * scale, label.top * scale, label.width * scale, label.height * scale);
    if (box.width() <= 0 || box.height() <= 0)
        return;
    painter.save();
    painter.setClipRect(box);
    painter.fillRect(box, Qt::white);
    painter.setPen(label.color);
    painter.setFont(label.font);

    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setTextDirection(label.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setAlignment((label.rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);

    QTextLayout layout(label.caption, label.font, painter.device());
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.y() >= box.height())
            break;
        line.draw(&painter, box.topLeft());
    }
    painter.restore();
}

} // namespace

void PaintChequePage(QPainter &painter, const ReportPage &page)
{
    QPaintDevice *device = painter.device();
    const double scale = device->logicalDpiX() / DesignDpi;
    const double perTenthMm = device->logicalDpiX() / 254.0;
    painter.save();
    painter.translate(page.leftMargin * perTenthMm, page.topMargin * perTenthMm);
    for (const ReportLabel &label : page.labels) {
        // A hidden label leaves no mark and covers nothing beneath it.
        if (label.visible)
            PaintLabel(painter, label, scale);
    }
    painter.restore();
}

bool RenderChequePage(QPagedPaintDevice &device, const ReportPage &page)
{
    if (auto *printer = dynamic_cast<QPrinter *>(&device))
        ApplyChequePage(*printer, page.portrait);
    else
        device.setPageLayout(ChequePageLayout(page.portrait));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PaintChequePage(painter, page);
    return painter.end();
}
