// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chequelayout.h"

#include <QCoreApplication>

#include <algorithm>

#include "words/DgToStU.h"

namespace {

struct KindText
{
    const char *caption;
    const char *sample;
};

constexpr std::array<KindText, FieldKindCount> kKinds = {{
    {QT_TRANSLATE_NOOP("TChequeForm", "Date"), "15/03/2011"},
    {QT_TRANSLATE_NOOP("TChequeForm", "Name"), "Dorvan Eskel"},
    {QT_TRANSLATE_NOOP("TChequeForm", "Amount"), "#5000#"},
    {QT_TRANSLATE_NOOP("TChequeForm", "En Text Amount"), "Five Thousands only"},
    {QT_TRANSLATE_NOOP("TChequeForm", "Ar Text Amount"), "خمسة آلاف درهم فقط"},
    {QT_TRANSLATE_NOOP("TChequeForm", "Account Only"), "Account Only"},
}};

[[noreturn]] void Fail(const QString &why)
{
    throw ChequeError(QStringLiteral("The option line cannot be read: %1.").arg(why).toStdString());
}

QString Flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// Takes an option line apart from the front.
class LineReader
{
public:
    explicit LineReader(const QString &line) : m_rest(line) {}

    bool atEnd() const { return m_rest.isEmpty(); }

    // The text before the first "/", removed with it; empty, and nothing
    // removed, when no "/" is left.
    QString value()
    {
        const qsizetype slash = m_rest.indexOf(u'/');
        if (slash < 0)
            return {};
        const QString v = m_rest.left(slash);
        m_rest.remove(0, slash + 1);
        return v;
    }

    int number(const char *what)
    {
        const QString v = value();
        try {
            return StrToInt(v.toStdString());
        } catch (const ChequeError &) {
            Fail(QStringLiteral("%1 '%2' is not a whole number").arg(QLatin1String(what), v));
        }
    }

    QChar character(const char *what)
    {
        if (m_rest.isEmpty())
            Fail(QStringLiteral("the line ends where %1 belongs").arg(QLatin1String(what)));
        const QChar c = m_rest.at(0);
        m_rest.remove(0, 1);
        return c;
    }

    int digit(const char *what)
    {
        const QChar c = character(what);
        if (c < u'0' || c > u'9')
            Fail(QStringLiteral("%1 '%2' is not a digit").arg(QLatin1String(what), QString(c)));
        return c.unicode() - u'0';
    }

    bool flag(const char *what) { return character(what) == u'1'; }

    QString take(int n)
    {
        const QString t = m_rest.left(n);
        m_rest.remove(0, t.size());
        return t;
    }

private:
    QString m_rest;
};

} // namespace

QString KindCaption(FieldKind kind) { return QString::fromUtf8(kKinds[std::size_t(kind)].caption); }
QString SampleText(FieldKind kind) { return QString::fromUtf8(kKinds[std::size_t(kind)].sample); }

void ChequeLayout::applyLabelsCount(int count)
{
    LabelsCount = count;
    for (int i = 0; i < FieldCount; ++i)
        Fields[std::size_t(i)].Visible = i < count;
}

ChequeLayout InitialLayout()
{
    ChequeLayout layout;
    layout.BAText = QStringLiteral("#");
    struct Place
    {
        FieldKind kind;
        bool right;
        int top, left, height, width;
    };
    constexpr std::array<Place, FieldCount> places = {{
        {FieldKind::Date, false, 32, 512, 21, 121},
        {FieldKind::Name, false, 128, 80, 29, 537},
        {FieldKind::Amount, false, 168, 536, 25, 121},
        {FieldKind::ArTextAmount, true, 168, 80, 57, 369},
        {FieldKind::AccountOnly, false, 16, 96, 21, 121},
    }};
    for (std::size_t i = 0; i < places.size(); ++i) {
        ChequeField &f = layout.Fields[i];
        f.Kind = places[i].kind;
        f.Right = places[i].right;
        f.Top = places[i].top;
        f.Left = places[i].left;
        f.Height = places[i].height;
        f.Width = places[i].width;
        f.FontName = QStringLiteral("Times New Roman");
        f.FontSize = 12;
        f.FontColor = WindowTextColor;
        f.Bold = true;
        f.Text = SampleText(f.Kind);
    }
    layout.applyLabelsCount(5);
    return layout;
}

QString OptionLine(const ChequeLayout &layout)
{
    const QString ba = layout.BAText.left(MaxBATextChars);
    QString line = QString::number(layout.LabelsCount).left(1);
    line += QString::number(ba.size());
    line += ba;
    for (const ChequeField &f : layout.Fields)
        line += Flag(f.Right);
    for (const ChequeField &f : layout.Fields)
        line += QString::number(int(f.Kind));
    for (const ChequeField &f : layout.Fields) {
        line += QString::number(f.FontColor) + u'/' + f.FontName + u'/' + QString::number(f.FontSize) + u'/';
        line += Flag(f.Bold) + Flag(f.Italic) + Flag(f.Underline);
    }
    for (const ChequeField &f : layout.Fields)
        for (int v : {f.Top, f.Left, f.Height, f.Width})
            line += QString::number(v) + u'/';
    line += layout.LeftMm + u'/' + layout.TopMm + u'/';
    line += Flag(layout.Portial) + u'/';
    return line;
}

void ApplyOptionLine(const QString &line, ChequeLayout &layout)
{
    LineReader r(line);

    layout.applyLabelsCount(std::clamp(r.digit("the labels count"), 1, 5));

    const int baLength = r.digit("the B/A length");
    layout.BAText = r.take(baLength);

    for (ChequeField &f : layout.Fields)
        f.Right = r.flag("a right-to-left flag");

    for (ChequeField &f : layout.Fields) {
        const auto kind = FieldKind(std::min(r.digit("a field kind"), FieldKindCount - 1));
        if (kind != f.Kind) {
            f.Kind = kind;
            f.Text = SampleText(kind);
        }
    }

    for (ChequeField &f : layout.Fields) {
        f.FontColor = r.number("a font colour");
        const QString name = r.value();
        if (!name.isEmpty())
            f.FontName = name.left(MaxFontNameChars);
        f.FontSize = r.number("a font size");
        f.Bold = f.Italic = f.Underline = f.StrikeOut = false; // the style is cleared
        f.Bold = r.flag("the bold flag");
        f.Italic = r.flag("the italic flag");
        f.Underline = r.flag("the underline flag");
    }
    if (r.atEnd())
        return;
    for (ChequeField &f : layout.Fields) {
        f.Top = r.number("a field's top");
        f.Left = r.number("a field's left");
        f.Height = r.number("a field's height");
        f.Width = r.number("a field's width");
    }

    if (r.atEnd())
        return;
    try {
        layout.LeftMm = r.value();
        layout.TopMm = r.value();
        layout.Portial = r.flag("the portrait flag");
    } catch (const ChequeError &) {
        // The tail is best effort: what was read of it stays.
    }
}
