// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/chequepage.h"

#include <algorithm>
#include <vector>

#include <QCoreApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QPalette>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>

#include "core/datafile.h"

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
    // The face the layout names, as the desktop resolves it ("Times New
    // Roman" is Liberation Serif), then the one face the program chooses for
    // what it lacks (Arabic): never the desktop's own fallback.
    static QMutex lock;
    static QHash<QString, QString> resolved;
    QString face;
    {
        const QMutexLocker locked(&lock);
        auto known = resolved.find(field.FontName);
        if (known == resolved.end())
            known = resolved.insert(field.FontName, QFontInfo(QFont(field.FontName)).family());
        face = *known;
    }
    QFont font;
    font.setFamilies({face, QString::fromLatin1(ArabicFace)});
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

void ApplyPrintedDirections(ChequeLayout &layout) { layout.Fields[3].Right = layout.Fields[1].Right; }

ReportPage PageFromLayout(ChequeLayout layout)
{
    ReportPage page;
    page.portrait = layout.Portial;
    page.leftMargin = MarginFromText(layout.LeftMm);
    page.topMargin = MarginFromText(layout.TopMm);
    ApplyPrintedDirections(layout);
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

namespace {

// The page of a cheque written into `blank`, the page of `layout` before
// it holds a cheque: what the cheque changes of the fields (their texts,
// the payee's direction, whether "Account Only" shows).
ReportPage WrittenPage(ReportPage blank, const ChequeLayout &layout, const Cheque &cheque)
{
    ChequeLayout filled = FillCheque(layout, cheque);
    ApplyPrintedDirections(filled);
    for (int i = 0; i < FieldCount; ++i) {
        const ChequeField &f = filled.Fields[std::size_t(i)];
        ReportLabel &label = blank.labels[std::size_t(i)];
        label.visible = f.Visible;
        label.caption = f.Text;
        label.rightToLeft = f.Right;
    }
    return blank;
}

} // namespace

ReportPage ChequePage(const Cheque &cheque, ChequeLayout layout)
{
    return WrittenPage(PageFromLayout(layout), layout, cheque);
}

std::optional<PageFault> ChequePageFault(const Cheque &cheque, const ChequeLayout &layout, QPaintDevice *device)
{
    const ReportPage page = ChequePage(cheque, layout);
    return LaidOutPage(page, device ? device : ReferencePageDevice(page.portrait)).fault();
}

ChequePageChecker::ChequePageChecker(ChequeLayout layout)
    : m_layout(std::move(layout))
    , m_blank(PageFromLayout(m_layout))
{}

QList<std::optional<PageFault>> ChequePageChecker::faults(const QList<Cheque> &cheques)
{
    // A box's fault depends on its own label alone: each box is checked on
    // a page where it is the only one shown, in the order the whole page's
    // check takes them, and a page's boxes after its first fault are not
    // looked at.
    QList<ReportPage> pages;
    pages.reserve(cheques.size());
    for (const Cheque &cheque : cheques)
        pages << WrittenPage(m_blank, m_layout, cheque);
    // What the boxes' places and fonts tell is told first, of the whole page.
    QList<std::optional<PageFault>> found(pages.size());
    for (qsizetype p = 0; p < pages.size(); ++p)
        found[p] = PageGeometryFault(pages[p]);
    struct Unknown
    {
        Key key;
        const ReportPage *page;
        std::optional<PageFault> fault;
    };
    // (Its orientation set here: the workers only measure on it.)
    QPaintDevice *device = ReferencePageDevice(m_layout.Portial);
    const auto check = [device](Unknown &box) {
        ReportPage alone = *box.page;
        for (int j = 0; j < int(alone.labels.size()); ++j)
            alone.labels[std::size_t(j)].visible = j == box.key.label;
        box.fault = LaidOutPage(alone, device).fault();
    };
    for (int i = 0; i < FieldCount; ++i) {
        const auto keyOf = [i](const ReportPage &page) -> std::optional<Key> {
            const ReportLabel &label = page.labels[std::size_t(i)];
            if (!label.visible || label.caption.isEmpty())
                return std::nullopt;
            return Key{i, label.caption, label.rightToLeft};
        };
        std::vector<Unknown> unknown;
        QHash<Key, std::size_t> queued;                      // a text laid out: its place in `unknown`
        std::vector<std::pair<qsizetype, std::size_t>> told; // a page and the text it waits for
        auto &sums = m_sums[std::size_t(i)];
        for (qsizetype p = 0; p < pages.size(); ++p) {
            auto key = found[p] ? std::nullopt : keyOf(pages[p]);
            if (!key)
                continue;
            if (const auto known = m_known.constFind(*key); known != m_known.cend()) {
                found[p] = *known;
                continue;
            }
            if (const auto waiting = queued.constFind(*key); waiting != queued.cend()) {
                told.push_back({p, *waiting});
                continue;
            }
            // Most texts are told by their words' advances; the rest are
            // laid out.
            if (!sums)
                sums.emplace(pages[p].labels[std::size_t(i)], device);
            if (const auto summed = sums->fault(pages[p], i)) {
                found[p] = *summed;
                m_known.insert(std::move(*key), *summed);
                ++m_summed;
                continue;
            }
            queued.insert(*key, unknown.size());
            told.push_back({p, unknown.size()});
            unknown.push_back({std::move(*key), &pages[p], std::nullopt});
        }
        m_laidOut += qsizetype(unknown.size());
        // A few boxes are laid out at once; many are shared among threads,
        // each with fonts of its own.
        if (unknown.size() >= 64)
            QtConcurrent::blockingMap(unknown, check);
        else
            std::for_each(unknown.begin(), unknown.end(), check);
        for (const auto &[p, box] : told)
            found[p] = unknown[box].fault;
        for (Unknown &box : unknown)
            m_known.insert(std::move(box.key), box.fault);
    }
    return found;
}

QString DescribePageFault(const PageFault &fault, const ChequeLayout &layout)
{
    const auto whatOf = [&layout](int label) {
        switch (layout.Fields[std::size_t(label)].Kind) {
        case FieldKind::Date: return QCoreApplication::translate("ChequePage", "The date");
        case FieldKind::Name: return QCoreApplication::translate("ChequePage", "The payee");
        case FieldKind::Amount: return QCoreApplication::translate("ChequePage", "The amount in figures");
        case FieldKind::EnTextAmount:
        case FieldKind::ArTextAmount: return QCoreApplication::translate("ChequePage", "The amount in words");
        case FieldKind::AccountOnly: break;
        }
        return QCoreApplication::translate("ChequePage", "\"Account Only\"");
    };
    const QString what = whatOf(fault.label);
    const int number = fault.label + 1;
    switch (fault.kind) {
    case PageFault::Kind::Overlap: {
        QString other = whatOf(fault.other);
        if (!other.startsWith(u'"'))
            other[0] = other[0].toLower();
        return QCoreApplication::translate("ChequePage",
                                           "%1 (field %2) and %3 (field %4) have boxes that overlap: the one "
                                           "printed later would cover the other's text. Move them apart in Setup.")
            .arg(what)
            .arg(number)
            .arg(other)
            .arg(fault.other + 1);
    }
    case PageFault::Kind::FontTooLarge:
        return QCoreApplication::translate("ChequePage",
                                           "%1 (field %2) has a font of %3 points; a field takes at most %4. "
                                           "Choose a smaller font for it in Setup.")
            .arg(what)
            .arg(number)
            .arg(layout.Fields[std::size_t(fault.label)].FontSize)
            .arg(MaxFieldFontPoints);
    case PageFault::Kind::NoRoom:
        return QCoreApplication::translate("ChequePage",
                                           "%1 (field %2) has a box with no room in it. Make the box "
                                           "larger in Setup.")
            .arg(what)
            .arg(number);
    case PageFault::Kind::NoGlyph:
        return QCoreApplication::translate("ChequePage",
                                           "%1 (field %2) holds %3, which no font on this computer can "
                                           "draw: it would be printed blank. Install a font that has it "
                                           "(for Arabic, fonts-dejavu-core), or choose another font for "
                                           "the field in Setup.")
            .arg(what)
            .arg(number)
            .arg(DescribeCharacter(fault.character));
    case PageFault::Kind::TooManyLines:
        return QCoreApplication::translate("ChequePage",
                                           "%1 (field %2) does not fit its box: it takes %3 lines, and "
                                           "the box holds %4. Make the box larger in Setup, or its font "
                                           "smaller.")
            .arg(what)
            .arg(number)
            .arg(fault.linesNeeded)
            .arg(fault.linesHeld);
    case PageFault::Kind::TooWide:
        return QCoreApplication::translate("ChequePage",
                                           "%1 (field %2) does not fit its box: a word of it is wider "
                                           "than the box. Make the box wider in Setup, or its font "
                                           "smaller.")
            .arg(what)
            .arg(number);
    case PageFault::Kind::OffPage:
        return QCoreApplication::translate("ChequePage",
                                           "%1 (field %2) runs off the paper. Move its box onto the "
                                           "cheque in Setup, or make it smaller.")
            .arg(what)
            .arg(number);
    }
    return what;
}
