// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// From a bank's layout to the cheque page: the rendering steps of the
// designer's "Print Test" and of every printed cheque.

#include <QColor>
#include <QFont>
#include <QHash>

#include <optional>

#include "layout/chequelayout.h"
#include "output/cheque.h"
#include "output/reportpage.h"

/// A stored field colour: 0x00BBGGRR, or a system colour (high byte 0xFF,
/// index in the low byte; the window-text colour by default).
QColor FieldColor(std::int32_t stored);

/// The font of a field, as the designer and the page use it.
QFont FieldFont(const ChequeField &field);

/// The face that draws a field's Arabic (and every character its own font
/// lacks), on every computer alike: chosen, not left to the desktop's font
/// fallback (a layout lined up with one face would overflow with another).
/// Its PDF text gives back every letter.
inline constexpr char ArabicFace[] = "DejaVu Sans";

/// Gives the fields the directions the page prints them in: field 4 (the
/// second line of the words) takes field 2's.
void ApplyPrintedDirections(ChequeLayout &layout);

/// Builds the page from the layout: orientation, margins from the layout's
/// offsets (0 for a text that is not a whole number), and one box per field
/// with its visibility, text, font, colour, place and the direction it
/// prints in (see ApplyPrintedDirections).
ReportPage PageFromLayout(ChequeLayout layout);

/// The page of a cheque: its bank's layout with the cheque written into the
/// fields by their kinds.
ReportPage ChequePage(const Cheque &cheque, ChequeLayout layout);

/// What keeps the page of `cheque` in `layout` from reaching the paper
/// whole, laid out on `device` (before a printer is chosen, the reference
/// device); nothing when it fits.
std::optional<PageFault> ChequePageFault(const Cheque &cheque, const ChequeLayout &layout,
                                         QPaintDevice *device = nullptr);

/// The pages of many cheques on one layout checked as ChequePageFault
/// checks each, on the reference device, every field's box laid out once
/// for each text it gets (a list's dates and payees come again and again).
class ChequePageChecker
{
public:
    explicit ChequePageChecker(ChequeLayout layout);
    /// The faults of many cheques' pages, in their order, as ChequePageFault
    /// finds each; the boxes' texts not yet known are laid out on every core
    /// of the machine.
    QList<std::optional<PageFault>> faults(const QList<Cheque> &cheques);
    /// How many boxes' texts were told by their words' advances so far,
    /// and how many were laid out.
    qsizetype summed() const { return m_summed; }
    qsizetype laidOut() const { return m_laidOut; }

private:
    struct Key
    {
        int label;
        QString caption;
        bool rightToLeft;
        friend bool operator==(const Key &, const Key &) = default;
        friend size_t qHash(const Key &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.label, key.caption, key.rightToLeft);
        }
    };
    ChequeLayout m_layout;
    ReportPage m_blank; ///< the layout's page before it holds a cheque
    QHash<Key, std::optional<PageFault>> m_known;
    std::array<std::optional<BoxWordWidths>, FieldCount> m_sums; ///< by box, made when first needed
    qsizetype m_summed = 0;
    qsizetype m_laidOut = 0;
};

/// A fault in words: which field, what is wrong and what to do.
QString DescribePageFault(const PageFault &fault, const ChequeLayout &layout);
