// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/reportpage.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include "words/DgToStU.h"

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
    QPageLayout layout(QPageSize(QPageSize::Envelope10), portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    // Full-page mode: a real printer refuses margins inside its unprintable
    // border otherwise, and with them the whole layout, paper size included.
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

namespace {

// The height of a line of `font` on `device`, unrounded: measured on the
// font at sixteen times its size. A screen rounds its font metrics to whole
// pixels, which would put a box's second line a pixel or two off the paper's.
double LineHeight(const QFont &font, QPaintDevice *device)
{
    QFont big(font);
    if (font.pixelSize() > 0)
        big.setPixelSize(font.pixelSize() * 16);
    else
        big.setPointSizeF(font.pointSizeF() * 16);
    return QFontMetricsF(big, device).height() / 16.0;
}

} // namespace

int LayOutBoxText(QTextLayout &layout, const QSizeF &box, bool rightToLeft, QPaintDevice *device)
{
    const double lineHeight = LineHeight(layout.font(), device);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    // Unrounded advances: the screen's lines then break where the paper's do.
    option.setUseDesignMetrics(true);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setAlignment((rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    int shown = 0;
    while (true) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(box.width());
        line.setPosition(QPointF(0, y));
        y += lineHeight;
        // A line that would run past the bottom is not shown at all: a
        // stray half line on a cheque reads as a mistake.
        if (line.lineNumber() == 0 || y <= box.height() + 0.01)
            shown = line.lineNumber() + 1;
    }
    layout.endLayout();
    return shown;
}

void DrawBoxText(QPainter &painter, const QTextLayout &layout, int lines, const QPointF &topLeft)
{
    for (int i = 0; i < lines && i < layout.lineCount(); ++i)
        layout.lineAt(i).draw(&painter, topLeft);
}

namespace {

// The box on white, its text in the label's font and colour; the box clips
// a first line lower than itself.
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
    QTextLayout layout(label.caption, label.font, painter.device());
    DrawBoxText(painter, layout, LayOutBoxText(layout, box.size(), label.rightToLeft, painter.device()), box.topLeft());
    painter.restore();
}

} // namespace

void PaintChequePage(QPainter &painter, const ReportPage &page, QPointF offsetMm)
{
    QPaintDevice *device = painter.device();
    const double scale = device->logicalDpiX() / DesignDpi;
    const double perTenthMm = device->logicalDpiX() / 254.0;
    painter.save();
    painter.translate((page.leftMargin + offsetMm.x() * 10) * perTenthMm, (page.topMargin + offsetMm.y() * 10) * perTenthMm);
    for (const ReportLabel &label : page.labels) {
        // A hidden label leaves no mark and covers nothing beneath it.
        if (label.visible)
            PaintLabel(painter, label, scale);
    }
    painter.restore();
}

bool RenderChequePage(QPagedPaintDevice &device, const ReportPage &page, QPointF offsetMm)
{
    device.setPageLayout(ChequePageLayout(page.portrait));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    PaintChequePage(painter, page, offsetMm);
    return painter.end();
}
