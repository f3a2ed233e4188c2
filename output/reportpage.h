// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cheque page: one Envelope No. 10 page carrying five text boxes, laid
// out in designer pixels (96 per inch) from the page's margins, so that one
// inch in the designer is one inch on the paper.

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPageLayout>
#include <QPointF>
#include <QString>

#include "layout/chequelayout.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QTextLayout;

/// One text box of the page, as rendering copies it from a designer field.
struct ReportLabel
{
    bool visible = true;
    QString caption;
    QFont font;
    QColor color = Qt::black;
    int top = 0;
    int left = 0;
    int height = 0;
    int width = 0;
    bool rightToLeft = false;
};

struct ReportPage
{
    bool portrait = false;
    int leftMargin = 0; ///< tenths of a millimetre
    int topMargin = 10; ///< tenths of a millimetre
    std::array<ReportLabel, 5> labels;
};

/// A layout offset ("Left"/"Top" in mm, as typed) as a margin in tenths of a
/// millimetre: ten times a whole number, 0 for any other text.
int MarginFromText(const QString &millimetres);

/// Envelope No. 10 in the page's orientation, with no printer margins, in
/// full-page mode: the page's own margins are applied when drawing.
QPageLayout ChequePageLayout(bool portrait);

/// Lays a box's text out as the cheque page prints it: wrapped at words in
/// the box's width, set against the top and against the left edge (the right
/// edge for right-to-left text), in the layout's font on the layout's paint
/// device (`device`, the one the layout was made for). Returns how many
/// lines are shown: the first always (clipped by
/// the box when the box is lower than one line) and every further line that
/// fits the box's height whole. The designer draws its fields with it, so
/// that the screen shows the text where the paper gets it.
int LayOutBoxText(QTextLayout &layout, const QSizeF &box, bool rightToLeft, QPaintDevice *device);

/// Draws the first `lines` lines of a laid-out text at `topLeft`.
void DrawBoxText(QPainter &painter, const QTextLayout &layout, int lines, const QPointF &topLeft);

/// What keeps a box's text from reaching the paper whole.
struct PageFault
{
    enum class Kind {
        NoRoom,       ///< the box has no width or no height
        TooManyLines, ///< lines run past the box's bottom
        TooWide,      ///< a line runs past the box's side (a word longer than the box)
        OffPage,      ///< the box or its text lies partly beyond the paper's edge
        NoGlyph,      ///< a character no installed font can draw
        Overlap,      ///< the box overlaps another box that holds text (`other`)
        FontTooLarge, ///< a font larger than a cheque's field takes
    };
    int label = 0; ///< 0 to 4
    int other = 0; ///< for Overlap: the other box, after `label`
    Kind kind = Kind::NoRoom;
    int linesNeeded = 0;
    int linesHeld = 0;
    QString character; ///< for NoGlyph: the first one
};

/// What keeps the page from reaching the paper whole that its boxes' places
/// and fonts tell, before any text is laid out: a box that holds text
/// reaching beyond the paper (moved by `offsetMm`), overlapping another box
/// that holds text (each box is painted on white, over what lies beneath),
/// or set in a font larger than MaxFieldFontPoints. In designer pixels, so
/// that the designer tells it while a field is moved.
std::optional<PageFault> PageGeometryFault(const ReportPage &page, QPointF offsetMm = {});

/// The page with every visible box's text laid out on one paint device, as
/// it is painted there. A cheque is checked on it before it is recorded and
/// painted from it afterwards, so that what was checked is what reaches the
/// paper.
class LaidOutPage
{
public:
    /// Lays the page out for `device`, whose page is
    /// ChequePageLayout(page.portrait).
    LaidOutPage(const ReportPage &page, QPaintDevice *device);
    ~LaidOutPage();
    LaidOutPage(LaidOutPage &&) noexcept;
    LaidOutPage &operator=(LaidOutPage &&) noexcept;

    const ReportPage &page() const { return m_page; }
    QPaintDevice *device() const { return m_device; }

    /// What keeps the page from reaching the paper whole, moved by
    /// `offsetMm` (a printer's offset): PageGeometryFault, else the first box
    /// whose text would not, in box order; nothing when all do.
    std::optional<PageFault> fault(QPointF offsetMm = {}) const;

    /// Draws the page with a painter open on the device it was laid out
    /// for, everything moved by `offsetMm`.
    void paint(QPainter &painter, QPointF offsetMm = {}) const;

private:
    struct Box;
    ReportPage m_page;
    QPaintDevice *m_device = nullptr;
    std::vector<std::unique_ptr<Box>> m_boxes;
};

/// One box's fault told from the advances of its text's words, each word
/// and each pair of words side by side shaped once on the device, instead
/// of laying the whole text out: what LaidOutPage finds for the page with
/// that box alone shown. Told only where the sums are clear of the box's
/// limits by a margin wider than any letter's overhang, and the text is one
/// the sums can vouch for (words of letters of one script, digits and a few
/// signs that no line breaks inside, one space between words, every glyph
/// drawn); else the text is to be laid out. The amount in words of a list's
/// cheques comes from a few hundred words: most boxes are told by sums.
class BoxWordWidths
{
public:
    /// For the boxes of `label`'s font and direction on `device`.
    BoxWordWidths(const ReportLabel &label, QPaintDevice *device);

    /// The fault of `page`'s box `label` (in this font and direction),
    /// alone on the page; nothing when its text must be laid out to tell.
    std::optional<std::optional<PageFault>> fault(const ReportPage &page, int label);

private:
    /// The advance of `text` on one line; NaN when a glyph is not drawn.
    double advance(const QString &text) const;

    QFont m_font;
    bool m_rightToLeft = false;
    QPaintDevice *m_device = nullptr;
    double m_lineHeight = 0;
    double m_margin = 0;
    // Looked up by a view of the text, without a copy of it.
    struct ViewHash
    {
        using is_transparent = void;
        std::size_t operator()(QStringView text) const noexcept { return qHash(text); }
    };
    using Advances = std::unordered_map<QString, double, ViewHash, std::equal_to<>>;
    Advances m_words;
    Advances m_gaps; ///< "a b": its advance less a's and b's
};

/// A paint device for laying pages out before the printer is known: a PDF
/// writer's resolution, the one of most printers' output.
QPaintDevice *ReferencePageDevice(bool portrait);

/// Draws the page with a painter that is already open on a paged device
/// (printer or PDF writer) whose page is ChequePageLayout(page.portrait).
/// `offsetMm` moves everything on the page (a printer's offset: right and
/// down in millimetres).
void PaintChequePage(QPainter &painter, const ReportPage &page, QPointF offsetMm = {});

/// Opens a painter on `device`, draws the page as one page and ends the job.
/// Returns false when the device cannot be painted on (an unwritable file).
bool RenderChequePage(QPagedPaintDevice &device, const ReportPage &page, QPointF offsetMm = {});
