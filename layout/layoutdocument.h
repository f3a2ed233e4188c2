// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The layout being edited in the designer: what it prints and keeps, whatever
// the designer's boxes show. Every change the designer's controls make is
// made here, and the designer shows what this holds; a page is laid out from
// it, never from the boxes. Placing a field by millimetres keeps them exact
// across steps (each rounding to a pixel would add to the last). No widgets.

#include <optional>

#include <QRect>
#include <QRectF>
#include <QString>

#include "layout/chequelayout.h"

class LayoutDocument
{
public:
    const ChequeLayout &layout() const { return m_layout; }
    /// Another layout (a bank's, loaded; one undone or redone).
    void set(const ChequeLayout &layout);

    /// Field `field` (0 to FieldCount - 1), in designer pixels and in
    /// millimetres on the cheque.
    QRect fieldRect(int field) const;
    QRectF fieldMm(int field) const;
    /// The field's box dragged or set in pixels.
    void setFieldRect(int field, const QRect &px);
    /// The field placed at `mm`; returns its box in pixels.
    QRect placeField(int field, const QRectF &mm);
    /// The field moved by `dx`, `dy`: pixels, or millimetres from the place
    /// it was last put at by millimetres; returns its box in pixels.
    QRect nudgeField(int field, int dx, int dy, bool millimetres);

    void setFieldText(int field, const QString &text);
    void setFieldKind(int field, FieldKind kind);
    void setFieldRight(int field, bool right);
    void setFieldColor(int field, std::int32_t stored);
    /// The field's font as the font dialog gives it (the script kept).
    void setFieldFont(int field, const QString &family, int points, bool bold, bool italic, bool underline,
                      bool strikeOut);
    /// How many of the fields the layout has; the others are hidden.
    void setCount(int count);
    void setBAText(const QString &text);
    void setOffsets(const QString &leftMm, const QString &topMm);
    void setPortrait(bool portrait);

    /// The whole points of a font the font dialog chose, in points or
    /// (where it gave none) in pixels.
    static int ChosenPoints(int pointSize, int pixelSize);
    /// Why a font of `points` cannot be a field's; nothing when it can.
    static std::optional<QString> FontRefusal(int points);

private:
    ChequeField &field(int field) { return m_layout.Fields[std::size_t(field)]; }

    ChequeLayout m_layout;
    /// The field last placed by millimetres, where exactly, and the box
    /// that gave.
    struct Placed
    {
        int field = -1;
        QPointF mm;
        QPoint px;
    } m_placed;
};
