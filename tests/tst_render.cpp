// SPDX-License-Identifier: GPL-3.0-or-later
#include <QPainter>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTextLayout>
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
    void aPageThatPassesShowsEveryTextWholeAndAlone();
    void payeesPrintInTheOrderTyped_data();
    void payeesPrintInTheOrderTyped();

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

void TestRender::aPageThatPassesShowsEveryTextWholeAndAlone()
{
    // Random pages, many with boxes touching, overlapping, partly off the
    // paper or in fonts too large: every page the check passes prints each
    // text as it prints alone (nothing covers or runs into it), all of it on
    // the paper, drawn here with 40 px of table around a 150 dpi paper.
    QImage paper(1425, 619, QImage::Format_Grayscale8);
    paper.setDotsPerMeterX(5906);
    paper.setDotsPerMeterY(5906);
    const auto painted = [&paper](const ReportPage &page) {
        QImage image(paper.width() + 80, paper.height() + 80, QImage::Format_Grayscale8);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(40, 40);
        LaidOutPage(page, &paper).paint(painter);
        return image;
    };
    const QStringList texts{"", "Dorvan Eskel", "#1,500.50#", "// Only Five Thousand Dhs //", "WWWWWWWWWW",
                            "// فقط خمسة آلاف درهم //", "gyp Ägypten"};
    QRandomGenerator random(34);
    int passed = 0, refused = 0;
    for (int attempt = 0; attempt < 4000 && (passed < 80 || refused < 80); ++attempt) {
        ReportPage page = Page();
        page.leftMargin = int(random.bounded(-60, 200));
        page.topMargin = int(random.bounded(-60, 120));
        const bool banded = random.bounded(2) == 0; // side by side in bands of 60 px
        for (int i = 0; i < 5; ++i) {
            ReportLabel &label = page.labels[std::size_t(i)];
            label = Label(texts[random.bounded(int(texts.size()))], banded ? int(random.bounded(-5, 600))
                                                                           : int(random.bounded(-100, 950)),
                          banded ? 5 + 60 * i + int(random.bounded(-2, 3)) : int(random.bounded(-40, 400)),
                          int(random.bounded(1, 400)), banded ? 60 : int(random.bounded(1, 120)));
            label.visible = random.bounded(8) != 0;
            label.rightToLeft = random.bounded(2) == 0;
            label.font.setPointSize(random.bounded(40) == 0 ? 250 : 6 + int(random.bounded(20)));
        }
        if (LaidOutPage(page, &paper).fault() && ++refused)
            continue;
        ++passed;
        QImage darkest(painted(page).size(), QImage::Format_Grayscale8);
        darkest.fill(Qt::white);
        for (int i = 0; i < 5; ++i) {
            ReportPage alone = page;
            for (int j = 0; j < 5; ++j)
                alone.labels[std::size_t(j)].visible = j == i && page.labels[std::size_t(i)].visible;
            const QImage one = painted(alone);
            const QRect onPaper(38, 38, paper.width() + 4, paper.height() + 4);
            for (int y = 0; y < one.height(); ++y) {
                const uchar *from = one.constScanLine(y);
                uchar *to = darkest.scanLine(y);
                for (int x = 0; x < one.width(); ++x) {
                    to[x] = std::min(to[x], from[x]);
                    if (from[x] < 128 && !onPaper.contains(x, y))
                        QFAIL(qPrintable(QStringLiteral("ink off the paper on page %1").arg(attempt)));
                }
            }
        }
        QVERIFY2(painted(page) == darkest, qPrintable(QStringLiteral("a text covered on page %1").arg(attempt)));
    }
    QVERIFY2(passed >= 80 && refused >= 80, qPrintable(QStringLiteral("%1 passed, %2 refused").arg(passed).arg(refused)));
}

void TestRender::payeesPrintInTheOrderTyped_data()
{
    // clang-format off
    QTest::addColumn<QString>("payee");
    for (const char *payee : {"(Ali) Trading", "123 Trading", "-Ali- Est.", "\"Quoted\" Co", "١٢٣ Trading", "(علي) للتجارة",
                              "123 شركة", "-علي- للتجارة", "\"الأمل\" للتجارة", "١٢٣ شركة"})
        QTest::newRow(payee) << QString::fromUtf8(payee);
    // clang-format on
}

void TestRender::payeesPrintInTheOrderTyped()
{
    // The payee's box as the page lays it out: read in the direction of the
    // payee's first letter, its letters stand in the order typed, and what
    // leads them stands before them.
    QFETCH(QString, payee);
    const ReportLabel label =
        ChequePage(*MakeCheque("SIB", "1/31/26", payee, "5", false, UaeMoney(), "#", false, QLocale("en_US")).cheque,
                   InitialLayout())
            .labels[1];
    QCOMPARE(label.rightToLeft, payee.contains(QRegularExpression("(?=\\p{Arabic})\\p{L}")));
    QPaintDevice *device = ReferencePageDevice(false);
    QTextLayout layout(label.caption, label.font, device);
    LayOutBoxText(layout, QSizeF(label.width * 12.5, label.height * 12.5), label.rightToLeft, device);
    const double sign = label.rightToLeft ? -1 : 1;
    QList<double> letters;
    for (int i = 0; i < payee.size(); ++i)
        if (payee.at(i).isLetter())
            letters << sign * layout.lineAt(0).cursorToX(i);
    QVERIFY(std::is_sorted(letters.begin(), letters.end()));
    QVERIFY(sign * layout.lineAt(0).cursorToX(0) <= letters.first());
}

QTEST_MAIN(TestRender)
#include "tst_render.moc"
