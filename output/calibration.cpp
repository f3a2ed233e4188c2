// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/calibration.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include "output/chequepage.h"

void PaintCalibrationPage(QPainter &painter, ChequeLayout layout, QPointF offsetMm, const QString &note)
{
    QPaintDevice *device = painter.device();
    const double perMm = device->logicalDpiX() / 25.4;
    const double pageW = device->widthMM() > 0 ? device->width() / perMm : 241.3;
    const double pageH = device->heightMM() > 0 ? device->height() / perMm : 104.8;
    const ReportPage page = PageFromLayout(layout);

    painter.save();
    painter.translate(offsetMm.x() * perMm, offsetMm.y() * perMm);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The grid: every millimetre faint, every 5 darker, every 10 dark and
    // labelled with its distance from the paper's edge.
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPointSizeF(5);
    painter.setFont(small);
    const QColor faint(220, 220, 220), medium(170, 170, 170), dark(80, 80, 80);
    for (int mm = 0; mm <= int(pageW); ++mm) {
        painter.setPen(QPen(mm % 10 == 0      ? dark
                                : mm % 5 == 0 ? medium
                                              : faint,
                            mm % 10 == 0 ? 0.2 * perMm : 0.1 * perMm));
        painter.drawLine(QPointF(mm * perMm, 0), QPointF(mm * perMm, pageH * perMm));
        if (mm % 10 == 0 && mm > 0)
            painter.drawText(QPointF((mm + 0.5) * perMm, 3 * perMm), QString::number(mm));
    }
    for (int mm = 0; mm <= int(pageH); ++mm) {
        painter.setPen(QPen(mm % 10 == 0      ? dark
                                : mm % 5 == 0 ? medium
                                              : faint,
                            mm % 10 == 0 ? 0.2 * perMm : 0.1 * perMm));
        painter.drawLine(QPointF(0, mm * perMm), QPointF(pageW * perMm, mm * perMm));
        if (mm % 10 == 0 && mm > 0)
            painter.drawText(QPointF(0.5 * perMm, (mm - 0.5) * perMm), QString::number(mm));
    }

    // The cheque area's origin.
    const QPointF origin(page.leftMargin / 10.0 * perMm, page.topMargin / 10.0 * perMm);
    painter.setPen(QPen(Qt::red, 0.25 * perMm));
    painter.drawLine(origin - QPointF(8 * perMm, 0), origin + QPointF(8 * perMm, 0));
    painter.drawLine(origin - QPointF(0, 8 * perMm), origin + QPointF(0, 8 * perMm));
    painter.drawEllipse(origin, 2 * perMm, 2 * perMm);

    // The fields' boxes, named.
    const double scale = device->logicalDpiX() / DesignDpi;
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPointSizeF(6);
    painter.setFont(name);
    for (int i = 0; i < FieldCount; ++i) {
        const ChequeField &f = layout.Fields[std::size_t(i)];
        if (i >= layout.LabelsCount)
            continue;
        const QRectF box(origin.x() + f.Left * scale, origin.y() + f.Top * scale, f.Width * scale, f.Height * scale);
        painter.setPen(QPen(QColor(0, 90, 200), 0.25 * perMm));
        painter.drawRect(box);
        painter.drawText(box.adjusted(0.5 * perMm, 0.3 * perMm, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::AlignAbsolute,
                         QStringLiteral("%1 %2").arg(i + 1).arg(KindCaption(f.Kind)));
    }

    // What the page is, and the offset in force.
    QFont text(QStringLiteral("DejaVu Sans"));
    text.setPointSizeF(7);
    painter.setFont(text);
    painter.setPen(Qt::black);
    const double lineH = QFontMetricsF(text, device).height();
    painter.drawText(QPointF(12 * perMm, pageH * perMm - 3 * perMm - lineH),
                     QCoreApplication::translate("TChequeForm", "Calibration page"));
    painter.drawText(QPointF(12 * perMm, pageH * perMm - 3 * perMm), note);
    painter.restore();
}
