// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "pdftext.h"

#include "output/chequepage.h"
#include "output/reportpage.h"

namespace {

ReportLabel Label(const QString &text, int left, int top, int width, int height)
{
    ReportLabel l;
    l.caption = text;
    l.font = QFont("Liberation Sans");
    l.font.setPointSize(12);
    l.left = left;
    l.top = top;
    l.width = width;
    l.height = height;
    return l;
}

ReportPage Page()
{
    ReportPage page;
    page.topMargin = 0;
    for (ReportLabel &l : page.labels)
        l.visible = false;
    return page;
}

} // namespace

class TestRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void marginFromText_data();
    void marginFromText();
    void pageSize_data();
    void pageSize();
    void truePosition_data();
    void truePosition();
    void rightToLeftEndsAtTheRightEdge();
    void hiddenLabelLeavesNoMarkAndHidesNothing();
    void longTextWrapsAndIsCut();
    void dialogResetIsUndone();
    void pageFromLayout();
    void initialLayoutOnPaper();

private:
    QString render(const ReportPage &page, const QString &name);
    QTemporaryDir m_dir;
};

void TestRender::initTestCase()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QFAIL("pdftotext (poppler-utils) is missing");
}

QString TestRender::render(const ReportPage &page, const QString &name)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = m_dir.filePath(name);
    printer.setOutputFileName(path);
    if (!RenderChequePage(printer, page))
        return {};
    return path;
}

void TestRender::marginFromText_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tenths");
    QTest::newRow("12") << "12" << 120;
    QTest::newRow("5") << "5" << 50;
    QTest::newRow("-3") << "-3" << -30;
    QTest::newRow("2.5") << "2.5" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blank") << " 4" << 0;
    QTest::newRow("huge") << "999999999" << 0;
    // clang-format on
}

void TestRender::marginFromText()
{
    QFETCH(QString, text);
    QFETCH(int, tenths);
    QCOMPARE(MarginFromText(text), tenths);
}

void TestRender::pageSize_data()
{
    // clang-format off
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<QString>("points");
    QTest::newRow("landscape") << false << "684 x 297"; // 241.3 x 104.8 mm
    QTest::newRow("portrait") << true << "297 x 684";
    // clang-format on
}

void TestRender::pageSize()
{
    QFETCH(bool, portrait);
    QFETCH(QString, points);
    ReportPage page = Page();
    page.portrait = portrait;
    page.labels[0] = Label("X", 10, 10, 50, 20);
    const QString pdf = render(page, QStringLiteral("size%1.pdf").arg(portrait));
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(PageSize(pdf), points);
}

void TestRender::truePosition_data()
{
    // clang-format off
    QTest::addColumn<int>("leftMargin");
    QTest::addColumn<int>("topMargin");
    QTest::newRow("no margins") << 0 << 0;
    QTest::newRow("12 and 5 mm") << 120 << 50;
    QTest::newRow("negative left") << -30 << 0;
    // clang-format on
}

void TestRender::truePosition()
{
    QFETCH(int, leftMargin);
    QFETCH(int, topMargin);
    ReportPage page = Page();
    page.leftMargin = leftMargin;
    page.topMargin = topMargin;
    page.labels[2] = Label("PAYEE", 192, 40, 300, 30);
    const QString pdf = render(page, QStringLiteral("pos%1_%2.pdf").arg(leftMargin).arg(topMargin));
    const QList<Word> words = WordsOf(pdf);
    QCOMPARE(words.size(), 1);
    QCOMPARE(words[0].text, QStringLiteral("PAYEE"));
    QVERIFY2(qAbs(words[0].xMin - (50.8 + leftMargin / 10.0)) < 0.2, qPrintable(QString::number(words[0].xMin)));
    QVERIFY2(qAbs(words[0].yMin - (10.5833 + topMargin / 10.0)) < 0.2, qPrintable(QString::number(words[0].yMin)));
}

void TestRender::rightToLeftEndsAtTheRightEdge()
{
    ReportPage page = Page();
    page.labels[3] = Label("فقط خمسة آلاف درهم", 80, 168, 369, 57);
    page.labels[3].rightToLeft = true;
    page.labels[3].visible = true;
    page.labels[1] = Label("Latin", 80, 100, 369, 30);
    page.labels[1].rightToLeft = true;
    const QList<Word> words = WordsOf(render(page, "rtl.pdf"));
    QVERIFY(!words.isEmpty());
    const double rightEdge = (80 + 369) * 25.4 / 96.0;
    double xMax = 0;
    double xMin = 1e9;
    for (const Word &w : words) {
        if (w.yMin > 40) {
            xMax = qMax(xMax, w.xMax);
            xMin = qMin(xMin, w.xMin);
        }
    }
    QVERIFY2(qAbs(xMax - rightEdge) < 1.0, qPrintable(QString("%1 vs %2").arg(xMax).arg(rightEdge)));
    QVERIFY(xMin > 80 * 25.4 / 96.0 + 20); // not at the left edge
    for (const Word &w : words)
        if (w.text == "Latin")
            QVERIFY(qAbs(w.xMax - rightEdge) < 1.0);
}

void TestRender::hiddenLabelLeavesNoMarkAndHidesNothing()
{
    ReportPage page = Page();
    page.labels[0] = Label("UNDER", 100, 50, 200, 30);
    page.labels[1] = Label("HIDDEN", 90, 40, 300, 60); // covers label 1
    page.labels[1].visible = false;
    const QList<Word> words = WordsOf(render(page, "hidden.pdf"));
    QCOMPARE(words.size(), 1);
    QCOMPARE(words[0].text, QStringLiteral("UNDER"));
}

void TestRender::longTextWrapsAndIsCut()
{
    ReportPage page = Page();
    // 12 pt lines are some 18 px high: two whole lines fit in 50 px, and the
    // third, which would start inside the box, is not drawn half.
    page.labels[0] = Label("one two three four five six seven eight nine ten eleven twelve", 100, 50, 90, 50);
    const QList<Word> words = WordsOf(render(page, "wrap.pdf"));
    QSet<int> lines;
    for (const Word &w : words) {
        QVERIFY(w.xMax <= (100 + 90) * 25.4 / 96.0 + 0.2);
        QVERIFY2(w.yMax <= (50 + 50) * 25.4 / 96.0 + 0.2, qPrintable(w.text));
        lines.insert(qRound(w.yMin * 10));
    }
    QCOMPARE(lines.size(), 2);
    QCOMPARE(words.first().text, QStringLiteral("one"));
    // A box lower than one line still shows its first line, cut by the box.
    page.labels[0] = Label("LOW", 100, 50, 90, 8);
    QCOMPARE(TextsOf(render(page, "low.pdf")), QStringList{"LOW"});
}

void TestRender::dialogResetIsUndone()
{
    // What a print dialog may leave behind: A4, portrait, a printer margin.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath("reset.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    ReportPage page = Page();
    page.labels[0] = Label("PAYEE", 192, 40, 300, 30);
    QVERIFY(RenderChequePage(printer, page));
    QCOMPARE(PageSize(m_dir.filePath("reset.pdf")), QStringLiteral("684 x 297"));
    const QList<Word> words = WordsOf(m_dir.filePath("reset.pdf"));
    QCOMPARE(words.size(), 1);
    QVERIFY(qAbs(words[0].xMin - 50.8) < 0.2);
}

void TestRender::pageFromLayout()
{
    ChequeLayout layout = InitialLayout();
    layout.Fields[1].Right = true;
    layout.Fields[3].Right = false;
    layout.LeftMm = "12";
    layout.TopMm = "2.5";
    layout.Portial = true;
    layout.Fields[0].FontColor = 255;
    layout.applyLabelsCount(4);
    const ReportPage page = PageFromLayout(layout);
    QVERIFY(!layout.Fields[3].Right); // the layout itself is left as it is
    QVERIFY(page.labels[3].rightToLeft);
    QCOMPARE(page.leftMargin, 120);
    QCOMPARE(page.topMargin, 0);
    QVERIFY(page.portrait);
    QCOMPARE(page.labels[0].color, QColor(255, 0, 0));
    QCOMPARE(page.labels[1].color, QColor(Qt::black));
    QVERIFY(!page.labels[4].visible);
    QCOMPARE(page.labels[2].caption, QStringLiteral("#5000#"));
    QCOMPARE(page.labels[1].left, 80);
    QCOMPARE(page.labels[1].width, 537);
    QVERIFY(page.labels[0].font.bold());
    QCOMPARE(page.labels[0].font.pointSize(), 12);
    QCOMPARE(FieldColor(0x00FF0000), QColor(0, 0, 255));
}

void TestRender::initialLayoutOnPaper()
{
    ChequeLayout layout = InitialLayout();
    layout.LeftMm = "5";
    const QList<Word> words = WordsOf(render(PageFromLayout(layout), "initial.pdf"));
    QStringList texts;
    for (const Word &w : words)
        texts << w.text;
    QVERIFY2(texts.contains("#5000#") && texts.contains("Dorvan") && texts.contains("15/03/2011")
                 && texts.contains("Account"),
             qPrintable(texts.join(' ')));
    for (const Word &w : words)
        if (w.text == "#5000#")
            QVERIFY(qAbs(w.xMin - (536 * 25.4 / 96.0 + 5)) < 0.5);
}

QTEST_MAIN(TestRender)
#include "tst_render.moc"
