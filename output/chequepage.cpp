// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/chequepage.h"

#include <QGuiApplication>
#include <QPalette>

QColor FieldColor(std::int32_t stored)
{
    const auto value = static_cast<std::uint32_t>(stored);
    if ((value >> 24) == 0xFF) {
        // The system colours the layouts use; any other reads as window text.
        const QPalette palette = QGuiApplication::palette();
        switch (value & 0xFF) {
        case 5: return palette.color(QPalette::Window);      // window
        case 15: return palette.color(QPalette::Button);     // button face
        case 18: return palette.color(QPalette::ButtonText); // button text
        case 13: return palette.color(QPalette::Highlight);  // highlight
        case 14: return palette.color(QPalette::HighlightedText);
        default: return Qt::black; // window text
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QFont FieldFont(const ChequeField &field)
{
    QFont font(field.FontName);
    if (field.FontSize > 0)
        font.setPointSize(field.FontSize);
    font.setBold(field.Bold);
    font.setItalic(field.Italic);
    font.setUnderline(field.Underline);
    font.setStrikeOut(field.StrikeOut);
    // Unhinted on screen too: hinting moves letters by up to a pixel, and the
    // designer must show them where the paper gets them.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ReportPage PageFromLayout(ChequeLayout &layout)
{
    ReportPage page;
    page.portrait = layout.Portial;
    page.leftMargin = MarginFromText(layout.LeftMm);
    page.topMargin = MarginFromText(layout.TopMm);
    layout.Fields[3].Right = layout.Fields[1].Right;
    for (int i = 0; i < FieldCount; ++i) {
        const ChequeField &f = layout.Fields[std::size_t(i)];
        ReportLabel &label = page.labels[std::size_t(i)];
        label.visible = f.Visible;
        label.caption = f.Text;
        label.font = FieldFont(f);
        label.color = FieldColor(f.FontColor);
        label.top = f.Top;
        label.left = f.Left;
        label.height = f.Height;
        label.width = f.Width;
        label.rightToLeft = f.Right;
    }
    return page;
}
