// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/layoutdocument.h"

#include <algorithm>

#include <QCoreApplication>

void LayoutDocument::set(const ChequeLayout &layout)
{
    m_layout = layout;
    m_placed = Placed();
}

QRect LayoutDocument::fieldRect(int i) const
{
    const ChequeField &f = m_layout.Fields[std::size_t(i)];
    return QRect(f.Left, f.Top, f.Width, f.Height);
}

QRectF LayoutDocument::fieldMm(int i) const
{
    const QRect r = fieldRect(i);
    return QRectF(PxToMm(r.left()), PxToMm(r.top()), PxToMm(r.width()), PxToMm(r.height()));
}

void LayoutDocument::setFieldRect(int i, const QRect &px)
{
    ChequeField &f = field(i);
    f.Left = px.left();
    f.Top = px.top();
    f.Width = px.width();
    f.Height = px.height();
}

QRect LayoutDocument::placeField(int i, const QRectF &mm)
{
    const QRect px(MmToPx(mm.left()), MmToPx(mm.top()), std::max(1, MmToPx(mm.width())),
                   std::max(1, MmToPx(mm.height())));
    setFieldRect(i, px);
    m_placed = {i, mm.topLeft(), px.topLeft()};
    return px;
}

QRect LayoutDocument::nudgeField(int i, int dx, int dy, bool millimetres)
{
    QRect r = fieldRect(i);
    if (millimetres) {
        // From the place in millimetres, not from its rounded pixel.
        const QPointF from = m_placed.field == i && m_placed.px == r.topLeft() ? m_placed.mm : fieldMm(i).topLeft();
        const QPointF mm = from + QPointF(dx, dy);
        r.moveTo(MmToPx(mm.x()), MmToPx(mm.y()));
        m_placed = {i, mm, r.topLeft()};
    } else {
        r.translate(dx, dy);
    }
    setFieldRect(i, r);
    return r;
}

void LayoutDocument::setFieldText(int i, const QString &text) { field(i).Text = text; }
void LayoutDocument::setFieldKind(int i, FieldKind kind) { field(i).Kind = kind; }
void LayoutDocument::setFieldRight(int i, bool right) { field(i).Right = right; }
void LayoutDocument::setFieldColor(int i, std::int32_t stored) { field(i).FontColor = stored; }

void LayoutDocument::setFieldFont(int i, const QString &family, int points, bool bold, bool italic, bool underline,
                                  bool strikeOut)
{
    ChequeField &f = field(i);
    f.FontName = family;
    f.FontSize = points;
    f.Bold = bold;
    f.Italic = italic;
    f.Underline = underline;
    f.StrikeOut = strikeOut;
}

void LayoutDocument::setCount(int count)
{
    m_layout.LabelsCount = count;
    for (int i = 0; i < FieldCount; ++i)
        field(i).Visible = i < count;
}

void LayoutDocument::setBAText(const QString &text) { m_layout.BAText = text; }

void LayoutDocument::setOffsets(const QString &leftMm, const QString &topMm)
{
    m_layout.LeftMm = leftMm;
    m_layout.TopMm = topMm;
}

void LayoutDocument::setPortrait(bool portrait) { m_layout.Portial = portrait; }

int LayoutDocument::ChosenPoints(int pointSize, int pixelSize)
{
    // The layout keeps whole points.
    return std::max(1, pointSize > 0 ? pointSize : qRound(pixelSize * 72.0 / DesignDpi));
}

std::optional<QString> LayoutDocument::FontRefusal(int points)
{
    if (points <= MaxFieldFontPoints)
        return std::nullopt;
    return QCoreApplication::translate("TChequeForm",
                                       "A font of %1 points is larger than a cheque's field takes: choose one of at "
                                       "most %2 points. The field keeps its font.")
        .arg(points)
        .arg(MaxFieldFontPoints);
}
