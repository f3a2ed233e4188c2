// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A bank's cheque layout and its option line, the text form kept in
// options.txt. Nothing here touches a widget: the designer shows a
// ChequeLayout and writes its edits back into it.

#include <array>
#include <cstdint>

#include <QString>
#include <QtGlobal>

#include "core/chequeerror.h"

/// What a field shows, stored as its number.
enum class FieldKind : int { Date = 0, Name, Amount, EnTextAmount, ArTextAmount, AccountOnly };

inline constexpr int FieldKindCount = 6;

/// The designer's radio caption and sample text of a kind.
QString KindCaption(FieldKind kind);
QString SampleText(FieldKind kind);

/// The window-text system colour, the default colour of every field.
inline constexpr std::int32_t WindowTextColor = -16777208; // 0xFF000008

/// One text field of a layout. Positions and sizes are designer pixels (96
/// per inch) from the top-left corner of the cheque area.
struct ChequeField
{
    FieldKind Kind = FieldKind::Date;
    bool Right = false;
    int Top = 0;
    int Left = 0;
    int Height = 0;
    int Width = 0;
    QString FontName;
    int FontSize = 12;
    std::int32_t FontColor = WindowTextColor;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    // Never stored in an option line:
    bool StrikeOut = false;
    int FontScript = 0; ///< the font's character set, kept across loads
    QString Text;       ///< the kind's sample text, or the real value while printing
    bool Visible = true;

    friend bool operator==(const ChequeField &, const ChequeField &) = default;
};

/// Designer pixels per inch: the unit of every field's position and size.
inline constexpr double DesignDpi = 96.0;

/// Designer pixels and millimetres on the cheque.
inline constexpr double PxToMm(double px) { return px * 25.4 / DesignDpi; }
inline int MmToPx(double mm) { return qRound(mm * DesignDpi / 25.4); }

/// The largest font a field prints in, in points: one line of it is about
/// as high as the cheque itself.
inline constexpr int MaxFieldFontPoints = 200;

inline constexpr int FieldCount = 5;
inline constexpr int MaxFontNameChars = 31;
inline constexpr int MaxBATextChars = 9;

struct ChequeLayout
{
    int LabelsCount = 5;
    QString BAText;
    QString LeftMm = QStringLiteral("0");
    QString TopMm = QStringLiteral("0");
    bool Portial = false;
    std::array<ChequeField, FieldCount> Fields;

    /// Shows fields 1 to LabelsCount and hides the others.
    void applyLabelsCount(int count);

    friend bool operator==(const ChequeLayout &, const ChequeLayout &) = default;
};

/// The designer's layout before any line is loaded.
ChequeLayout InitialLayout();

/// The layout as its option line (all nine items).
QString OptionLine(const ChequeLayout &layout);

/// Applies an option line onto `layout` item by item, as far as it reads.
/// Raises ChequeError at the first item that cannot be read (an empty or
/// short line, a non-number where a number belongs); what was applied before
/// it stays applied. A line that ends after the fonts or after the positions
/// loads normally, and the tail (offsets and orientation) never fails.
void ApplyOptionLine(const QString &line, ChequeLayout &layout);
