// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/reportpage.h"

#include <cmath>
#include <limits>

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
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

// How far a line may reach past a box's bottom and still count as inside
// it, in the device's pixels: rounding, not ink.
constexpr double LineSlack = 0.01;

// How far a line's text may reach past a box's side: the overhang of its
// last letter (a line is aligned by the letters' advances, and some letters
// reach beyond theirs, up to about a tenth of a millimetre). The page paints
// that far beyond the box, so that nothing of such a letter is cut; a word
// that does not fit reaches much further.
double SideSlack(QPaintDevice *device) { return device->logicalDpiX() / DesignDpi; }

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
        if (line.lineNumber() == 0 || y <= box.height() + LineSlack)
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

struct LaidOutPage::Box
{
    // Laid out for the device: its resolution gives the font's size.
    Box(const ReportLabel &label, QPaintDevice *device) : layout(label.caption, label.font, device) {}

    int label = 0;
    QRectF rect; ///< in the device's pixels, from the page's margins
    QTextLayout layout;
    int lines = 0; ///< shown
    double lineHeight = 0;
};

LaidOutPage::LaidOutPage(const ReportPage &page, QPaintDevice *device) : m_page(page), m_device(device)
{
    const double scale = device->logicalDpiX() / DesignDpi;
    for (int i = 0; i < int(page.labels.size()); ++i) {
        const ReportLabel &label = page.labels[std::size_t(i)];
        // A hidden label leaves no mark and covers nothing beneath it.
        if (!label.visible)
            continue;
        auto box = std::make_unique<Box>(label, device);
        box->label = i;
        box->rect = QRectF(label.left * scale, label.top * scale, label.width * scale, label.height * scale);
        // A font beyond any cheque's is never laid out (the page is refused
        // for it, and the font engine gives no true measure of it).
        if (box->rect.width() > 0 && box->rect.height() > 0 && label.font.pointSize() <= MaxFieldFontPoints)
            box->lines = LayOutBoxText(box->layout, box->rect.size(), label.rightToLeft, device);
        box->lineHeight = LineHeight(label.font, device);
        m_boxes.push_back(std::move(box));
    }
}

LaidOutPage::~LaidOutPage() = default;
LaidOutPage::LaidOutPage(LaidOutPage &&) noexcept = default;
LaidOutPage &LaidOutPage::operator=(LaidOutPage &&) noexcept = default;

namespace {

// Where the page's margins and an offset put the origin of the boxes, in
// the device's pixels.
QPointF Origin(const ReportPage &page, QPaintDevice *device, QPointF offsetMm)
{
    const double perTenthMm = device->logicalDpiX() / 254.0;
    return {(page.leftMargin + offsetMm.x() * 10) * perTenthMm, (page.topMargin + offsetMm.y() * 10) * perTenthMm};
}

// The first character of `layout`'s text that no font gave a glyph to.
std::optional<QString> FirstMissingGlyph(const QTextLayout &layout)
{
    const auto missing = [&layout](int from, int length) {
        for (const QGlyphRun &run : layout.glyphRuns(from, length))
            if (run.glyphIndexes().contains(0))
                return true;
        return false;
    };
    const QString text = layout.text();
    if (text.isEmpty() || !missing(-1, -1))
        return std::nullopt;
    for (int i = 0; i < text.size();) {
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (missing(i, length))
            return text.mid(i, length);
        i += length;
    }
    return text.left(1); // the glyph belongs to no single character
}

} // namespace

std::optional<PageFault> PageGeometryFault(const ReportPage &page, QPointF offsetMm)
{
    const QSizeF points = ChequePageLayout(page.portrait).fullRectPoints().size();
    const QRectF paper(0, 0, points.width() * DesignDpi / 72.0, points.height() * DesignDpi / 72.0);
    const QPointF origin =
        QPointF(page.leftMargin / 10.0 + offsetMm.x(), page.topMargin / 10.0 + offsetMm.y()) * (DesignDpi / 25.4);
    // As far as a line's text may reach past its box (see SideSlack).
    constexpr double slack = 1.0;
    struct Held
    {
        int label;
        QRectF rect;
    };
    std::vector<Held> held;
    for (int i = 0; i < int(page.labels.size()); ++i) {
        const ReportLabel &label = page.labels[std::size_t(i)];
        if (!label.visible || label.caption.isEmpty())
            continue;
        PageFault fault;
        fault.label = i;
        if (label.font.pointSize() > MaxFieldFontPoints) {
            fault.kind = PageFault::Kind::FontTooLarge;
            return fault;
        }
        // In doubles: a box may be stored as large as an int holds.
        const QRectF rect =
            QRectF(double(label.left), double(label.top), double(label.width), double(label.height)).translated(origin);
        if (rect.width() <= 0 || rect.height() <= 0)
            continue;
        if (!paper.adjusted(-slack, -slack, slack, slack).contains(rect)) {
            fault.kind = PageFault::Kind::OffPage;
            return fault;
        }
        held.push_back({i, rect});
    }
    for (std::size_t a = 0; a < held.size(); ++a)
        for (std::size_t b = a + 1; b < held.size(); ++b)
            if (held[a].rect.intersects(held[b].rect)) {
                PageFault fault;
                fault.kind = PageFault::Kind::Overlap;
                fault.label = held[a].label;
                fault.other = held[b].label;
                return fault;
            }
    return std::nullopt;
}

std::optional<PageFault> LaidOutPage::fault(QPointF offsetMm) const
{
    if (auto geometry = PageGeometryFault(m_page, offsetMm))
        return geometry;
    const double slack = SideSlack(m_device);
    const QPointF origin = Origin(m_page, m_device, offsetMm);
    const QRectF paper(0, 0, m_device->width(), m_device->height());
    for (const auto &box : m_boxes) {
        PageFault fault;
        fault.label = box->label;
        if (box->layout.text().isEmpty())
            continue;
        if (box->rect.width() <= 0 || box->rect.height() <= 0) {
            fault.kind = PageFault::Kind::NoRoom;
            return fault;
        }
        if (const auto character = FirstMissingGlyph(box->layout)) {
            fault.kind = PageFault::Kind::NoGlyph;
            fault.character = *character;
            return fault;
        }
        // The lines the box shows whole: a first line lower than the box is
        // shown, but clipped.
        const int held = box->lineHeight <= box->rect.height() + LineSlack ? box->lines : 0;
        if (box->layout.lineCount() > held) {
            fault.kind = PageFault::Kind::TooManyLines;
            fault.linesNeeded = box->layout.lineCount();
            fault.linesHeld = held;
            return fault;
        }
        for (int i = 0; i < box->lines; ++i) {
            const QTextLine line = box->layout.lineAt(i);
            const QRectF text = line.naturalTextRect();
            if (text.left() < -slack || text.right() > box->rect.width() + slack) {
                fault.kind = PageFault::Kind::TooWide;
                return fault;
            }
            const QRectF onPaper = text.translated(origin + box->rect.topLeft());
            if (!paper.adjusted(-slack, -slack, slack, slack).contains(onPaper)) {
                fault.kind = PageFault::Kind::OffPage;
                return fault;
            }
        }
    }
    return std::nullopt;
}

namespace {

// A character of a word whose advance the sums can take: letters, their
// marks, digits and the signs of amounts and names, which no line breaks
// before, and after which only a hyphen lets one break (before a letter).
bool Summable(QChar c)
{
    if (c.unicode() < 0x80)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u','
            || c == u'.' || c == u'#' || c == u'/' || c == u'-';
    switch (c.category()) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Mark_NonSpacing:
    case QChar::Number_DecimalDigit: return !c.isSurrogate();
    default: return c == u',' || c == u'.' || c == u'#' || c == u'/' || c == u'-';
    }
}

} // namespace

BoxWordWidths::BoxWordWidths(const ReportLabel &label, QPaintDevice *device)
    : m_font(label.font)
    , m_rightToLeft(label.rightToLeft)
    , m_device(device)
    , m_lineHeight(LineHeight(label.font, device))
    // A text's measured width holds its last letter's overhang, as the
    // filling of a line counts it: the sums are those the layout compares,
    // but for the rounding of advances and what shaping a whole line may do
    // differently.
    , m_margin(SideSlack(device) / 8)
{}

double BoxWordWidths::advance(const QString &text) const
{
    QTextLayout layout(text, m_font, m_device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    option.setTextDirection(m_rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e9);
    layout.endLayout();
    for (const QGlyphRun &run : layout.glyphRuns())
        if (run.glyphIndexes().contains(0))
            return std::numeric_limits<double>::quiet_NaN();
    return line.naturalTextWidth();
}

std::optional<std::optional<PageFault>> BoxWordWidths::fault(const ReportPage &page, int label)
{
    const ReportLabel &box = page.labels[std::size_t(label)];
    const double scale = m_device->logicalDpiX() / DesignDpi;
    const double width = box.width * scale;
    const double height = box.height * scale;
    if (box.caption.isEmpty())
        return std::optional<PageFault>();
    if (width <= 0 || height <= 0 || box.font.pointSize() > MaxFieldFontPoints)
        return std::nullopt;
    // One script's letters: a text of two is reordered and shaped in runs.
    std::optional<QChar::Script> script;
    for (const QChar c : box.caption) {
        if (c == u' ')
            continue;
        if (!Summable(c))
            return std::nullopt;
        if (c.isLetter()) {
            const QChar::Script of = c.unicode() < 0x80 ? QChar::Script_Latin : c.script();
            if (script && *script != of)
                return std::nullopt;
            script = of;
        }
    }
    if (box.caption.front() == u' ' || box.caption.back() == u' ')
        return std::nullopt;
    // The pieces a line may end after: words, split after a hyphen that a
    // letter follows ("Seventy-|Four").
    struct Piece
    {
        QStringView text;
        double advance = 0;
    };
    std::vector<Piece> pieces;
    const QStringView caption(box.caption);
    for (qsizetype at = 0, start = 0; at <= caption.size(); ++at) {
        const bool end = at == caption.size();
        if (!end && caption[at] == u' ')
            continue;
        const bool after = !end && at > start
            && (caption[at - 1] == u' ' || (caption[at - 1] == u'-' && caption[at].isLetter() && at - 1 > start));
        if (end || after) {
            // A piece ends before `at`'s spaces, or at its hyphen.
            qsizetype stop = at;
            while (caption[stop - 1] == u' ')
                --stop;
            pieces.push_back({caption.sliced(start, stop - start)});
            start = at;
        }
    }
    // Each piece, and each pair side by side (what kerning or shaping does
    // across what separates them), measured once.
    const auto measured = [this](Advances &known, QStringView text) {
        auto at = known.find(text);
        if (at == known.end()) {
            QString key = text.toString();
            const double a = advance(key);
            at = known.emplace(std::move(key), a).first;
        }
        return at->second;
    };
    // A text of figures alone (a date, an amount in figures) is seldom the
    // same twice: it is summed figure by figure, each figure and each pair
    // side by side measured once (no font joins figures into one glyph).
    const bool figures = std::all_of(caption.begin(), caption.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u',' || c == u'.' || c == u'#' || c == u'/' || c == u' ';
    });
    // What setting a text's first and last parts side by side (with what
    // lies between) adds to their own advances.
    const auto joint = [&](QStringView text, QStringView first, QStringView last) {
        return measured(m_gaps, text) - measured(m_words, first) - measured(m_words, last);
    };
    const auto advanceOf = [&](QStringView text) {
        if (!figures)
            return measured(m_words, text);
        double sum = measured(m_words, text.first(1));
        for (qsizetype i = 1; i < text.size(); ++i)
            sum += measured(m_words, text.sliced(i, 1))
                + joint(text.sliced(i - 1, 2), text.sliced(i - 1, 1), text.sliced(i, 1));
        return sum;
    };
    for (Piece &piece : pieces) {
        piece.advance = advanceOf(piece.text);
        // Not drawn, or as wide as the box alone.
        if (std::isnan(piece.advance) || piece.advance >= width - m_margin)
            return std::nullopt;
    }
    // The lines as a line is filled piece by piece: the next piece goes on
    // the line while the line with it still fits the box.
    int lines = 1;
    double line = pieces.front().advance;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const Piece &last = pieces[i - 1];
        const Piece &next = pieces[i];
        // The two pieces and what lies between them, as the text holds them
        // (of figures: the last figure of one and the first of the next).
        const QStringView pair(last.text.data(), next.text.data() + next.text.size());
        const QStringView around(last.text.data() + last.text.size() - 1, next.text.data() + 1);
        const double both = figures ? last.advance + next.advance + joint(around, around.first(1), around.last(1))
                                    : measured(m_gaps, pair);
        if (std::isnan(both))
            return std::nullopt;
        const double with = line + both - last.advance;
        if (std::abs(with - width) <= m_margin)
            return std::nullopt;
        if (with > width) {
            ++lines;
            line = next.advance;
        } else {
            line = with;
        }
    }
    // The lines shown, as LayOutBoxText counts them.
    double y = 0;
    int shown = 0;
    for (int i = 0; i < lines; ++i) {
        y += m_lineHeight;
        if (i == 0 || y <= height + LineSlack)
            shown = i + 1;
    }
    const int held = m_lineHeight <= height + LineSlack ? shown : 0;
    if (lines > held) {
        PageFault fault;
        fault.label = label;
        fault.kind = PageFault::Kind::TooManyLines;
        fault.linesNeeded = lines;
        fault.linesHeld = held;
        return fault;
    }
    // Every line inside its box: told when the lines' whole height lies on
    // the paper.
    const QPointF origin = Origin(page, m_device, {});
    const QRectF reach = QRectF(box.left * scale, box.top * scale, width, shown * m_lineHeight)
                             .translated(origin)
                             .adjusted(-m_margin, -m_margin, m_margin, m_margin);
    if (!QRectF(0, 0, m_device->width(), m_device->height()).contains(reach))
        return std::nullopt;
    return std::optional<PageFault>();
}

void LaidOutPage::paint(QPainter &painter, QPointF offsetMm) const
{
    painter.save();
    painter.translate(Origin(m_page, m_device, offsetMm));
    // Every box on white first, then every text: no box's white covers a
    // letter of its neighbour's that reaches past its own box's side.
    for (const auto &box : m_boxes)
        if (box->rect.width() > 0 && box->rect.height() > 0)
            painter.fillRect(box->rect, Qt::white);
    for (const auto &box : m_boxes) {
        if (box->rect.width() <= 0 || box->rect.height() <= 0)
            continue;
        const ReportLabel &label = m_page.labels[std::size_t(box->label)];
        // The text in the label's font and colour; the box clips a first
        // line lower than itself.
        painter.save();
        const double side = SideSlack(m_device);
        painter.setClipRect(box->rect.adjusted(-side, 0, side, 0));
        painter.setPen(label.color);
        painter.setFont(label.font);
        DrawBoxText(painter, box->layout, box->lines, box->rect.topLeft());
        painter.restore();
    }
    painter.restore();
}

QPaintDevice *ReferencePageDevice(bool portrait)
{
    static QBuffer nowhere;
    static QPdfWriter writer(&nowhere);
    writer.setPageLayout(ChequePageLayout(portrait));
    return &writer;
}

void PaintChequePage(QPainter &painter, const ReportPage &page, QPointF offsetMm)
{
    LaidOutPage(page, painter.device()).paint(painter, offsetMm);
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
