// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerreport.h"

#include <functional>

#include <algorithm>
#include <vector>

#include <QCoreApplication>

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextOption>

#include "core/chequeerror.h"
#include "core/counttext.h"
#include "core/settingsfile.h"
#include "output/printrun.h"
#include "register/registercolumns.h"

QString DescribeFilter(const RegisterFilter &f, const QLocale &locale)
{
    QStringList parts;
    // "printed from … to …", "dated until …".
    const auto t = [](const char *text) { return QCoreApplication::translate("RegisterReport", text); };
    const auto days = [&](const QString &kind, const std::optional<QDate> &from, const std::optional<QDate> &to) {
        if (from && to)
            parts << t(QT_TRANSLATE_NOOP("RegisterReport", "%1 from %2 to %3"))
                         .arg(kind, WriteShortDate(*from, locale), WriteShortDate(*to, locale));
        else if (from)
            parts << t(QT_TRANSLATE_NOOP("RegisterReport", "%1 from %2")).arg(kind, WriteShortDate(*from, locale));
        else if (to)
            parts << t(QT_TRANSLATE_NOOP("RegisterReport", "%1 until %2")).arg(kind, WriteShortDate(*to, locale));
    };
    days(t(QT_TRANSLATE_NOOP("RegisterReport", "printed")), f.from, f.to);
    days(t(QT_TRANSLATE_NOOP("RegisterReport", "dated")), f.datedFrom, f.datedTo);
    if (!f.bank.isEmpty())
        parts << t(QT_TRANSLATE_NOOP("RegisterReport", "bank %1")).arg(f.bank);
    if (!f.payee.trimmed().isEmpty())
        parts << t(QT_TRANSLATE_NOOP("RegisterReport", "payee containing \"%1\"")).arg(f.payee.trimmed());
    if (f.minThousandths)
        parts << t(QT_TRANSLATE_NOOP("RegisterReport", "amount from %1"))
                     .arg(MinorUnitsText(*f.minThousandths, 3, locale));
    if (f.maxThousandths)
        parts << t(QT_TRANSLATE_NOOP("RegisterReport", "amount up to %1"))
                     .arg(MinorUnitsText(*f.maxThousandths, 3, locale));
    if (f.state)
        parts << t(QT_TRANSLATE_NOOP("RegisterReport", "state %1")).arg(StateText(*f.state));
    return parts.isEmpty() ? t(QT_TRANSLATE_NOOP("RegisterReport", "All cheques"))
                           : t(QT_TRANSLATE_NOOP("RegisterReport", "Cheques %1"))
                                 .arg(parts.join(t(QT_TRANSLATE_NOOP("RegisterReport", ", "))));
}

QString TotalsText(const QList<ChequeRegister::Total> &totals, const QLocale &locale,
                   const QHash<QString, QString> &shownAs)
{
    if (totals.isEmpty())
        return QCoreApplication::translate("RegisterReport", "No cheques");
    // Per currency: the cheques that stand, then those that do not count.
    struct Sum
    {
        qint64 count = 0;
        qint64 minorUnits = 0;
    };
    struct Currency
    {
        QString name;
        int digits = 2;
        Sum live;
        Sum outstanding; ///< of the live ones, not cleared yet
        std::array<Sum, std::size(AllStates)> byState;
    };
    QList<Currency> currencies;
    for (const ChequeRegister::Total &t : totals) {
        auto it = std::find_if(currencies.begin(), currencies.end(),
                               [&](const Currency &c) { return c.name == t.currency && c.digits == t.digits; });
        if (it == currencies.end())
            it = currencies.insert(currencies.end(), Currency{t.currency, t.digits, {}, {}, {}});
        Sum &sum = IsLive(t.state) ? it->live : it->byState[std::size_t(t.state)];
        sum.count += t.count;
        sum.minorUnits += t.minorUnits;
        if (IsOutstanding(t.state)) {
            it->outstanding.count += t.count;
            it->outstanding.minorUnits += t.minorUnits;
        }
    }
    QStringList parts;
    for (const Currency &c : std::as_const(currencies)) {
        QString part = CountText("RegisterReport", QT_TRANSLATE_NOOP("RegisterReport", "%Ln cheque: %1 %2"),
                                 QT_TRANSLATE_N_NOOP("RegisterReport", "%Ln cheques: %1 %2"), c.live.count)
                           .arg(MinorUnitsText(c.live.minorUnits, c.digits, locale), shownAs.value(c.name, c.name));
        // Once cheques are cleared, what the bank has still to pay.
        if (c.outstanding.count != c.live.count)
            part += QCoreApplication::translate("RegisterReport", ", %Ln outstanding: %1 %2", nullptr,
                                                int(c.outstanding.count))
                        .arg(MinorUnitsText(c.outstanding.minorUnits, c.digits, locale), shownAs.value(c.name, c.name));
        QStringList apart;
        for (ChequeState state : {ChequeState::Voided, ChequeState::Spoilt, ChequeState::Failed, ChequeState::Returned,
                                  ChequeState::Stopped}) {
            const Sum &sum = c.byState[std::size_t(state)];
            if (sum.count == 0)
                continue;
            const QString amount = MinorUnitsText(sum.minorUnits, c.digits, locale);
            switch (state) {
            case ChequeState::Voided:
                apart << QCoreApplication::translate("RegisterReport", "%Ln voided, %1", nullptr, int(sum.count))
                             .arg(amount);
                break;
            case ChequeState::Spoilt:
                apart << QCoreApplication::translate("RegisterReport", "%Ln spoilt, %1", nullptr, int(sum.count))
                             .arg(amount);
                break;
            case ChequeState::Returned:
                apart << QCoreApplication::translate("RegisterReport", "%Ln returned, %1", nullptr, int(sum.count))
                             .arg(amount);
                break;
            case ChequeState::Stopped:
                apart << QCoreApplication::translate("RegisterReport", "%Ln stopped, %1", nullptr, int(sum.count))
                             .arg(amount);
                break;
            default:
                apart << QCoreApplication::translate("RegisterReport", "%Ln failed, %1", nullptr, int(sum.count))
                             .arg(amount);
                break;
            }
        }
        if (!apart.isEmpty())
            part += QCoreApplication::translate("RegisterReport", " (not counted: %1)")
                        .arg(apart.join(QLatin1String("; ")));
        parts << part;
    }
    return parts.join(QLatin1String("; "));
}

namespace {

// The report's columns, in the order of the export's.
const std::vector<RegisterColumnInfo> &ReportColumns()
{
    static const std::vector<RegisterColumnInfo> columns = [] {
        std::vector<RegisterColumnInfo> shown;
        for (const RegisterColumnInfo &column : RegisterColumns())
            if (column.reportTitle)
                shown.push_back(column);
        return shown;
    }();
    return columns;
}

QStringList RowTexts(const RegisteredCheque &c, const QLocale &locale)
{
    QStringList texts;
    for (const RegisterColumnInfo &column : ReportColumns())
        texts << ReportText(c, column.column, locale);
    return texts;
}

class ReportPainter
{
public:
    ReportPainter(QPagedPaintDevice &device, const QLocale &locale) : m_device(device), m_locale(locale)
    {
        if (!m_painter.begin(&device))
            throw ChequeError("The report could not be started: the printer or file cannot be opened");
        const double dpi = device.logicalDpiY();
        m_margin = dpi * 12 / 25.4;
        m_pad = dpi * 1.5 / 25.4;
        m_width = device.width() - 2 * m_margin;
        m_bottom = device.height() - m_margin;
        m_font = QFont(QStringLiteral("DejaVu Sans"));
        m_font.setPointSizeF(8);
        m_bold = m_font;
        m_bold.setBold(true);
        m_painter.setFont(m_font);
        m_line = QFontMetricsF(m_font, &device).height() * 1.35;
        m_painter.setLayoutDirection(m_rtl ? Qt::RightToLeft : Qt::LeftToRight);
    }

    void start(const QString &heading)
    {
        m_heading = heading;
        startPage();
    }

    void row(const QStringList &texts)
    {
        if (m_y + m_line > m_bottom - m_line) // room for the page number
            nextPage();
        columns(texts);
        m_y += m_line;
    }

    /// A paragraph under the row before it, indented, wrapped whole (a
    /// reason is never cut).
    void note(const QString &text) { paragraph(text, ReportColumns().front().reportShare * m_width, false); }
    /// A paragraph of its own, from the margin.
    void line(const QString &text) { paragraph(text, 0, false); }

    /// The totals of the view, then each line of its subtotals.
    void totals(const QString &text, const QStringList &lines)
    {
        if (m_y + 3 * m_line > m_bottom - m_line)
            nextPage();
        m_y += m_line / 2;
        m_painter.drawLine(QPointF(m_margin, m_y), QPointF(m_margin + m_width, m_y));
        m_y += m_line / 4;
        paragraph(QCoreApplication::translate("RegisterReport", "Totals: %1").arg(text), 0, true);
        for (const QString &line : lines)
            paragraph(line, 0, false);
    }

    int finish()
    {
        pageNumber();
        if (!m_painter.end())
            throw ChequeError("The report could not be written to the printer or file");
        return m_pages;
    }

private:
    /// The columns of a row, from the page's start side (the right in a
    /// right-to-left report).
    void columns(const QStringList &texts)
    {
        double from = 0;
        for (std::size_t i = 0; i < ReportColumns().size(); ++i) {
            const double w = ReportColumns()[i].reportShare * m_width;
            const double x = m_rtl ? m_margin + m_width - from - w : m_margin + from;
            cell(QRectF(x, m_y, w, m_line), texts.value(int(i)), ReportColumns()[i].number);
            from += w;
        }
    }

    /// A wrapped paragraph `indent` in from the page's start side.
    void paragraph(const QString &text, double indent, bool bold)
    {
        m_painter.setFont(bold ? m_bold : m_font);
        QTextOption option((m_rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute | Qt::AlignTop);
        option.setTextDirection(m_rtl ? Qt::RightToLeft : Qt::LeftToRight);
        option.setWrapMode(QTextOption::WordWrap);
        const double width = m_width - indent;
        const double left = m_rtl ? m_margin : m_margin + indent;
        const QRectF needed = m_painter.boundingRect(QRectF(0, 0, width, 1e6), text, option);
        if (m_y + needed.height() > m_bottom - m_line)
            nextPage();
        m_painter.drawText(QRectF(left, m_y, width, needed.height()), text, option);
        m_y += needed.height();
        m_painter.setFont(m_font);
    }

    void cell(const QRectF &box, const QString &text, bool number)
    {
        // Each cell in the direction of its own text: a payee's, or a bank's,
        // Arabic name right to left.
        const bool rtl = !number && text.isRightToLeft();
        QTextOption option((number || rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute | Qt::AlignVCenter);
        option.setTextDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        const QRectF inner = box.adjusted(m_pad, 0, -m_pad, 0);
        const QString shown =
            QFontMetricsF(m_painter.font(), &m_device).elidedText(text, Qt::ElideRight, inner.width());
        m_painter.drawText(inner, shown, option);
    }

    void startPage()
    {
        ++m_pages;
        m_y = m_margin;
        // The title at the start side, the time at the end.
        const Qt::Alignment start = (m_rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute | Qt::AlignVCenter;
        const Qt::Alignment end = (m_rtl ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignAbsolute | Qt::AlignVCenter;
        QTextOption first(start);
        first.setTextDirection(m_rtl ? Qt::RightToLeft : Qt::LeftToRight);
        m_painter.setFont(m_bold);
        m_painter.drawText(QRectF(m_margin, m_y, m_width, m_line),
                           QCoreApplication::translate("RegisterReport", "Cheque Register"), first);
        m_painter.setFont(m_font);
        m_painter.drawText(QRectF(m_margin, m_y, m_width, m_line),
                           WriteShortDateTime(QDateTime::currentDateTime(), m_locale), QTextOption(end));
        m_y += m_line;
        m_painter.drawText(QRectF(m_margin, m_y, m_width, m_line), m_heading, first);
        m_y += m_line * 1.5;
        m_painter.setFont(m_bold);
        QStringList titles;
        for (const RegisterColumnInfo &c : ReportColumns())
            titles << QCoreApplication::translate("RegisterReport", c.reportTitle);
        columns(titles);
        m_painter.setFont(m_font);
        m_y += m_line;
        m_painter.drawLine(QPointF(m_margin, m_y), QPointF(m_margin + m_width, m_y));
        m_y += m_line / 4;
    }

    void pageNumber()
    {
        m_painter.drawText(QRectF(m_margin, m_bottom - m_line, m_width, m_line),
                           (m_rtl ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignAbsolute | Qt::AlignVCenter,
                           QCoreApplication::translate("RegisterReport", "Page %1").arg(m_pages));
    }

    void nextPage()
    {
        pageNumber();
        if (!m_device.newPage())
            throw ChequeError("The report could not be written to the printer or file");
        startPage();
    }

    QPagedPaintDevice &m_device;
    QLocale m_locale;
    QPainter m_painter;
    QFont m_font, m_bold;
    QString m_heading;
    const bool m_rtl = InterfaceRightToLeft();
    double m_margin = 0, m_pad = 0, m_width = 0, m_bottom = 0, m_line = 0, m_y = 0;
    int m_pages = 0;
};

} // namespace

QStringList SubtotalLines(const QList<ChequeRegister::Total> &totals, const QLocale &locale,
                          const QHash<QString, QString> &shownAs)
{
    QStringList lines;
    QStringList banks;
    for (const ChequeRegister::Total &t : totals)
        if (!banks.contains(t.bank))
            banks << t.bank;
    std::sort(banks.begin(), banks.end());
    for (const QString &bank : std::as_const(banks)) {
        QList<ChequeRegister::Total> ofBank;
        std::copy_if(totals.begin(), totals.end(), std::back_inserter(ofBank),
                     [&](const ChequeRegister::Total &t) { return t.bank == bank; });
        lines << QCoreApplication::translate("RegisterReport", "Bank %1: %2")
                     .arg(bank, TotalsText(ofBank, locale, shownAs));
    }
    for (ChequeState state :
         {ChequeState::Printed, ChequeState::Sent, ChequeState::Delivered, ChequeState::Cleared, ChequeState::Returned,
          ChequeState::Stopped, ChequeState::Failed, ChequeState::Voided, ChequeState::Spoilt, ChequeState::Prepared,
          ChequeState::Approved, ChequeState::Rejected}) {
        QList<ChequeRegister::Total> ofState;
        for (const ChequeRegister::Total &t : totals) {
            if (t.state != state)
                continue;
            // One line per currency, whatever the bank.
            if (ofState.isEmpty() || ofState.last().currency != t.currency || ofState.last().digits != t.digits)
                ofState.append({t.currency, t.digits, 0, 0, QString(), ChequeState::Printed});
            ofState.last().count += t.count;
            ofState.last().minorUnits += t.minorUnits;
        }
        if (!ofState.isEmpty())
            lines << QCoreApplication::translate("RegisterReport", "State %1: %2")
                         .arg(StateText(state), TotalsText(ofState, locale, shownAs));
    }
    return lines;
}

void PageForReport(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
}

namespace {

// A report's PDF file, whole or not at all: unbuffered, so that a full disk
// fails the report at the write that does not fit. Returns its pages.
int SaveReportFile(const QString &fileName, const QString &title, const std::function<int(QPagedPaintDevice &)> &paint)
{
    QSaveFile out(fileName);
    const auto cannotWrite = [&] {
        return ChequeError(QCoreApplication::translate("RegisterReport", "Cannot write the file \"%1\": %2")
                               .arg(fileName, out.errorString())
                               .toStdString());
    };
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw cannotWrite();
    int pages = 0;
    {
        QPdfWriter pdf(&out);
        pdf.setResolution(300);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Cheque Printer"));
        PageForReport(pdf);
        pages = paint(pdf);
    }
    if (!out.commit())
        throw cannotWrite();
    return pages;
}

} // namespace

int SaveRegisterReport(const QString &fileName, const QString &title, ChequeRegister &reg, const RegisterView &view,
                       const QLocale &locale)
{
    return SaveReportFile(fileName, title,
                          [&](QPagedPaintDevice &pdf) { return PaintRegisterReport(pdf, reg, view, locale); });
}

int SaveChequesReport(const QString &fileName, const QString &heading, const QList<ReportEntry> &entries,
                      const QString &summary, const QStringList &lines, const QLocale &locale)
{
    return SaveReportFile(fileName, heading, [&](QPagedPaintDevice &pdf) {
        ReportPainter report(pdf, locale);
        report.start(heading);
        for (const ReportEntry &entry : entries) {
            if (entry.cheque)
                report.row(RowTexts(*entry.cheque, locale));
            if (!entry.note.isEmpty())
                entry.cheque ? report.note(entry.note) : report.line(entry.note);
        }
        report.totals(summary, lines);
        return report.finish();
    });
}

int PaintRegisterReport(QPagedPaintDevice &device, ChequeRegister &reg, const RegisterView &view, const QLocale &locale)
{
    const QList<ChequeRegister::Total> totals = reg.stateTotals(view.filter);
    ReportPainter report(device, locale);
    report.start(DescribeFilter(view.filter, locale));
    QHash<QString, QString> shownAs; // the currencies by the names the rows show
    reg.forEach(view, [&](const RegisteredCheque &cheque) {
        shownAs.insert(cheque.currency, CurrencyShown(cheque));
        report.row(RowTexts(cheque, locale));
        if (!cheque.reason.isEmpty())
            report.note(QCoreApplication::translate("RegisterReport", "Reason: %1").arg(ReasonShown(cheque.reason)));
        return true;
    });
    QStringList lines = SubtotalLines(totals, locale, shownAs);
    // The seal of the whole history on paper: a history rewritten after
    // this report no longer ends in this hash.
    if (const auto latest = reg.latestEvent())
        lines << QCoreApplication::translate("RegisterReport", "History: %1 events, the latest on %2; its hash %3")
                     .arg(latest->seq)
                     .arg(latest->at, latest->hash);
    report.totals(TotalsText(totals, locale, shownAs), lines);
    return report.finish();
}
