// SPDX-License-Identifier: GPL-3.0-or-later
#include <QRandomGenerator>
#include <QtTest>

#include "layout/chequelayout.h"
#include "layout/layoutdocument.h"

namespace {

const QString kInitialLine =
    QStringLiteral("51#0001001245"
                   "-16777208/Times New Roman/12/100-16777208/Times New Roman/12/100-16777208/Times New Roman/12/100"
                   "-16777208/Times New Roman/12/100-16777208/Times New Roman/12/100"
                   "32/512/21/121/128/80/29/537/168/536/25/121/168/80/57/369/16/96/21/121/"
                   "0/0/0/");

// The stored part of a layout: what an option line must bring back.
QString Stored(const ChequeLayout &l) { return OptionLine(l); }

ChequeLayout RandomLayout(QRandomGenerator &rng)
{
    static const QStringList fonts = {"Times New Roman",
                                      "Arial",
                                      "Courier New",
                                      "Simplified Arabic",
                                      "Traditional Arabic",
                                      "A",
                                      "Liberation Sans Narrow Bold"};
    static const QString baChars = QStringLiteral("#*/0123456789ab=-");
    ChequeLayout l = InitialLayout();
    l.applyLabelsCount(int(rng.bounded(1, 6)));
    const int baLength = int(rng.bounded(0, 10));
    l.BAText.clear();
    for (int i = 0; i < baLength; ++i)
        l.BAText += baChars.at(int(rng.bounded(qsizetype(baChars.size()))));
    l.LeftMm = QString::number(int(rng.bounded(-20, 50)));
    l.TopMm = QString::number(int(rng.bounded(-20, 50)));
    l.Portial = rng.bounded(2) == 1;
    for (ChequeField &f : l.Fields) {
        f.Kind = FieldKind(rng.bounded(FieldKindCount));
        f.Text = SampleText(f.Kind);
        f.Right = rng.bounded(2) == 1;
        f.Top = int(rng.bounded(-300, 1000));
        f.Left = int(rng.bounded(-300, 1000));
        f.Height = int(rng.bounded(0, 400));
        f.Width = int(rng.bounded(0, 900));
        f.FontName = fonts.at(int(rng.bounded(qsizetype(fonts.size()))));
        f.FontSize = int(rng.bounded(1, 73));
        f.FontColor = rng.bounded(3) == 0 ? WindowTextColor
            : rng.bounded(2) == 0         ? std::int32_t(0xFF000000u | rng.bounded(0, 31))
                                          : std::int32_t(rng.bounded(0, 0x1000000));
        f.Bold = rng.bounded(2) == 1;
        f.Italic = rng.bounded(2) == 1;
        f.Underline = rng.bounded(2) == 1;
    }
    return l;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void initialLayoutLine();
    void initialLineRestoresInitialLayout();
    void randomLayoutsRoundTrip();
    void colours();
    void baTextWithSlashesAndDigits();
    void strikeOutGoesScriptStays();
    void clampedCountsAndKinds_data();
    void clampedCountsAndKinds();
    void shortLines();
    void everyCutOfALine();
    void damagedCharacters_data();
    void damagedCharacters();
    void slashInLeftMm();
    void emptyFontNameKeepsOldName();
    void kindChangeOnlyPutsSampleText();
    void fieldsPlacedByMillimetresStayExact();
};

void TestLayout::initialLayoutLine() { QCOMPARE(OptionLine(InitialLayout()), kInitialLine); }

void TestLayout::initialLineRestoresInitialLayout()
{
    QRandomGenerator rng(7);
    ChequeLayout l = RandomLayout(rng);
    ApplyOptionLine(kInitialLine, l);
    QCOMPARE(OptionLine(l), kInitialLine);
    QCOMPARE(l, InitialLayout());
}

void TestLayout::randomLayoutsRoundTrip()
{
    QRandomGenerator rng(20261207);
    for (int i = 0; i < 2000; ++i) {
        const ChequeLayout original = RandomLayout(rng);
        ChequeLayout loaded = RandomLayout(rng);
        ApplyOptionLine(OptionLine(original), loaded);
        QCOMPARE(Stored(loaded), Stored(original));
        for (int f = 0; f < FieldCount; ++f) {
            QCOMPARE(loaded.Fields[f].Visible, f < original.LabelsCount);
            QCOMPARE(loaded.Fields[f].Kind, original.Fields[f].Kind);
        }
    }
}

void TestLayout::colours()
{
    ChequeLayout l = InitialLayout();
    l.Fields[0].FontColor = 0x0000FF; // pure red
    QVERIFY(OptionLine(l).startsWith("51#0001001245255/Times New Roman/12/100-16777208/"));
}

void TestLayout::baTextWithSlashesAndDigits()
{
    ChequeLayout l = InitialLayout();
    l.BAText = "/9/1234//";
    QCOMPARE(l.BAText.size(), 9);
    const QString line = OptionLine(l);
    QVERIFY(line.startsWith("59/9/1234//00010"));
    ChequeLayout back = InitialLayout();
    ApplyOptionLine(line, back);
    QCOMPARE(back, l);

    l.BAText.clear();
    QVERIFY(OptionLine(l).startsWith("5000010"));
    ApplyOptionLine(OptionLine(l), back);
    QCOMPARE(back.BAText, QString());
}

void TestLayout::strikeOutGoesScriptStays()
{
    ChequeLayout l = InitialLayout();
    l.Fields[1].StrikeOut = true;
    l.Fields[1].FontScript = 178;
    ChequeLayout target = InitialLayout();
    target.Fields[1].FontScript = 3;
    target.Fields[1].StrikeOut = true;
    ApplyOptionLine(OptionLine(l), target);
    QVERIFY(!target.Fields[1].StrikeOut);
    QCOMPARE(target.Fields[1].FontScript, 3);
}

void TestLayout::clampedCountsAndKinds_data()
{
    // clang-format off
    QTest::addColumn<QChar>("count");
    QTest::addColumn<QChar>("kind");
    QTest::addColumn<int>("labels");
    QTest::addColumn<FieldKind>("firstKind");
    QTest::newRow("0 and 0") << QChar('0') << QChar('0') << 1 << FieldKind::Date;
    QTest::newRow("9 and 7") << QChar('9') << QChar('7') << 5 << FieldKind::AccountOnly;
    QTest::newRow("6 and 6") << QChar('6') << QChar('6') << 5 << FieldKind::AccountOnly;
    QTest::newRow("3 and 4") << QChar('3') << QChar('4') << 3 << FieldKind::ArTextAmount;
    // clang-format on
}

void TestLayout::clampedCountsAndKinds()
{
    QFETCH(QChar, count);
    QFETCH(QChar, kind);
    QFETCH(int, labels);
    QFETCH(FieldKind, firstKind);
    QString line = kInitialLine;
    line[0] = count;
    line[8] = kind; // kinds start after "51#" and five flags
    ChequeLayout l = InitialLayout();
    ApplyOptionLine(line, l);
    QCOMPARE(l.LabelsCount, labels);
    QCOMPARE(l.Fields[0].Kind, firstKind);
    for (int f = 0; f < FieldCount; ++f)
        QCOMPARE(l.Fields[f].Visible, f < labels);

    // A count still being typed is written by its first character.
    l.LabelsCount = 12;
    QVERIFY(OptionLine(l).startsWith("11#"));
}

void TestLayout::shortLines()
{
    QRandomGenerator rng(3);
    const ChequeLayout source = RandomLayout(rng);
    const QString full = OptionLine(source);
    // Cut after the fonts: positions, offsets and orientation are kept.
    QString positions;
    for (const ChequeField &f : source.Fields)
        for (int v : {f.Top, f.Left, f.Height, f.Width})
            positions += QString::number(v) + u'/';
    const QString tailText = source.LeftMm + u'/' + source.TopMm + u'/' + (source.Portial ? "1/" : "0/");
    QVERIFY(full.endsWith(positions + tailText));
    const qsizetype posStart = full.size() - positions.size() - tailText.size();
    ChequeLayout target = RandomLayout(rng);
    const ChequeLayout before = target;
    ApplyOptionLine(full.left(posStart), target);
    for (int f = 0; f < FieldCount; ++f) {
        QCOMPARE(target.Fields[f].Kind, source.Fields[f].Kind);
        QCOMPARE(target.Fields[f].FontName, source.Fields[f].FontName);
        QCOMPARE(target.Fields[f].Top, before.Fields[f].Top);
        QCOMPARE(target.Fields[f].Width, before.Fields[f].Width);
    }
    QCOMPARE(target.LeftMm, before.LeftMm);
    QCOMPARE(target.Portial, before.Portial);
    QCOMPARE(target.LabelsCount, source.LabelsCount);
    QCOMPARE(target.BAText, source.BAText);

    // Cut after the positions: offsets and orientation are kept.
    const qsizetype tail = full.size() - tailText.size();
    target = before;
    ApplyOptionLine(full.left(tail), target);
    QCOMPARE(target.Fields[4].Width, source.Fields[4].Width);
    QCOMPARE(target.LeftMm, before.LeftMm);
    QCOMPARE(target.TopMm, before.TopMm);
    QCOMPARE(target.Portial, before.Portial);
}

void TestLayout::everyCutOfALine()
{
    // Every prefix either loads or fails; whatever it did, the items before
    // the cut are applied and the items after it keep their values.
    QRandomGenerator rng(11);
    const ChequeLayout source = RandomLayout(rng);
    const QString full = OptionLine(source);
    for (qsizetype cut = 0; cut <= full.size(); ++cut) {
        ChequeLayout target = InitialLayout();
        target.LeftMm = "keep";
        bool failed = false;
        try {
            ApplyOptionLine(full.left(cut), target);
        } catch (const ChequeError &) {
            failed = true;
        }
        if (cut == full.size()) {
            QVERIFY(!failed);
            QCOMPARE(OptionLine(target), full);
        }
        if (cut == 0)
            QVERIFY(failed);
        if (cut > 0)
            QCOMPARE(target.LabelsCount, qBound(1, full.left(1).toInt(), 5));
        // The tail never fails, and LeftMm is only replaced by a value read whole.
        if (target.LeftMm != "keep")
            QVERIFY(source.LeftMm.startsWith(target.LeftMm) || target.LeftMm.isEmpty());
    }
}

void TestLayout::damagedCharacters_data()
{
    // clang-format off
    QTest::addColumn<int>("position");
    QTest::addColumn<QChar>("replacement");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QString>("check");
    QTest::newRow("letter as count") << 0 << QChar('x') << true << "count kept";
    QTest::newRow("letter as B/A length") << 1 << QChar('x') << true << "count applied";
    QTest::newRow("letter as kind") << 9 << QChar('k') << true << "first kind applied";
    QTest::newRow("letter in a colour") << 14 << QChar('z') << true << "kinds applied";
    QTest::newRow("letter in a position") << kInitialLine.indexOf("128/80") + 1 << QChar('q') << true
                                          << "first field placed";
    QTest::newRow("flag other than 1") << 4 << QChar('x') << false << "flag off";
    // clang-format on
}

void TestLayout::damagedCharacters()
{
    QFETCH(int, position);
    QFETCH(QChar, replacement);
    QFETCH(bool, fails);
    QFETCH(QString, check);
    QString line = kInitialLine;
    line[position] = replacement;
    ChequeLayout l = InitialLayout();
    l.LabelsCount = 2;
    for (ChequeField &f : l.Fields) {
        f.Kind = FieldKind::Name;
        f.Top = -1;
        f.FontColor = 7;
    }
    bool failed = false;
    try {
        ApplyOptionLine(line, l);
    } catch (const ChequeError &) {
        failed = true;
    }
    QCOMPARE(failed, fails);
    if (check == "count kept") {
        QCOMPARE(l.LabelsCount, 2);
    } else if (check == "count applied") {
        QCOMPARE(l.LabelsCount, 5);
        QCOMPARE(l.Fields[0].Kind, FieldKind::Name);
    } else if (check == "first kind applied") {
        QCOMPARE(l.Fields[0].Kind, FieldKind::Date);
        QCOMPARE(l.Fields[1].Kind, FieldKind::Name);
    } else if (check == "kinds applied") {
        QCOMPARE(l.Fields[4].Kind, FieldKind::AccountOnly);
        QCOMPARE(l.Fields[0].FontColor, 7);
    } else if (check == "first field placed") {
        QCOMPARE(l.Fields[0].Width, 121);
        QCOMPARE(l.Fields[1].Top, -1);
        QCOMPARE(l.Fields[4].FontColor, WindowTextColor);
    } else {
        QVERIFY(!l.Fields[1].Right);
    }
}

void TestLayout::slashInLeftMm()
{
    ChequeLayout l = InitialLayout();
    l.LeftMm = "1/2";
    l.TopMm = "7";
    const QString line = OptionLine(l);
    QVERIFY(line.endsWith("1/2/7/0/"));
    ChequeLayout back = InitialLayout();
    back.Portial = true;
    ApplyOptionLine(line, back);
    QCOMPARE(back.LeftMm, QStringLiteral("1"));
    QCOMPARE(back.TopMm, QStringLiteral("2"));
    QCOMPARE(back.Portial, false); // taken from the "7"
}

void TestLayout::emptyFontNameKeepsOldName()
{
    QString line = kInitialLine;
    line.replace(line.indexOf("Times New Roman"), 15, QString());
    ChequeLayout l = InitialLayout();
    l.Fields[0].FontName = "Arial";
    ApplyOptionLine(line, l);
    QCOMPARE(l.Fields[0].FontName, QStringLiteral("Arial"));
    QCOMPARE(l.Fields[1].FontName, QStringLiteral("Times New Roman"));

    ChequeLayout longName = InitialLayout();
    longName.Fields[2].FontName = QString(40, u'F');
    ApplyOptionLine(OptionLine(longName), l);
    QCOMPARE(l.Fields[2].FontName.size(), MaxFontNameChars);
}

void TestLayout::kindChangeOnlyPutsSampleText()
{
    ChequeLayout l = InitialLayout();
    l.Fields[0].Text = "payee typed";
    l.Fields[1].Text = "kept";
    ChequeLayout source = InitialLayout();
    source.Fields[0].Kind = FieldKind::EnTextAmount;
    ApplyOptionLine(OptionLine(source), l);
    QCOMPARE(l.Fields[0].Text, SampleText(FieldKind::EnTextAmount));
    QCOMPARE(l.Fields[1].Text, QStringLiteral("kept"));
}

void TestLayout::fieldsPlacedByMillimetresStayExact()
{
    // A field placed at any tenth of a millimetre and moved by whole
    // millimetres, any way: its box is always the pixel of the exact place,
    // never one rounding added to the last; a move by pixels starts afresh.
    QRandomGenerator rng(11);
    LayoutDocument doc;
    doc.set(InitialLayout());
    for (int trial = 0; trial < 200; ++trial) {
        const int field = rng.bounded(FieldCount);
        QPointF mm(rng.bounded(1500) / 10.0, rng.bounded(700) / 10.0);
        doc.placeField(field, QRectF(mm, QSizeF(40, 8)));
        for (int step = 0; step < 20; ++step) {
            const int dx = rng.bounded(3) - 1, dy = rng.bounded(3) - 1;
            mm += QPointF(dx, dy);
            QCOMPARE(doc.nudgeField(field, dx, dy, true).topLeft(), QPoint(MmToPx(mm.x()), MmToPx(mm.y())));
        }
        const QRect before = doc.fieldRect(field);
        QCOMPARE(doc.nudgeField(field, 1, 0, false), before.translated(1, 0));
        QCOMPARE(doc.layout().Fields[std::size_t(field)].Left, before.left() + 1);
    }
}

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
