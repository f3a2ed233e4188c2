// SPDX-License-Identifier: GPL-3.0-or-later
// Lining a layout up with the paper: the calibration page's grid and boxes
// where they belong, a printer's offset moving a page by exactly its amount,
// a field placed in millimetres printing there, undo and redo restoring a
// layout byte for byte, unsaved changes asked about, and a scan lying at
// true size under the cheque area whatever its resolution.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "controls.h"
#include "fielddragtest.h"
#include "pdftext.h"
#include "programfixture.h"
#include "testdialogs.h"
#include "testfiles.h"
#include "testprinting.h"

#include "gui/issue/program.h"
#include "layout/chequescan.h"
#include "output/calibration.h"
#include "output/chequepage.h"

namespace {

constexpr double kPxPerMm = 96.0 / 25.4;

QString RenderCalibration(const QString &pdf, QPointF offset)
{
    QPdfWriter writer(pdf);
    writer.setResolution(1200);
    writer.setPageLayout(ChequePageLayout(false));
    QPainter painter(&writer);
    ChequeLayout layout = InitialLayout();
    layout.LeftMm = "12";
    PaintCalibrationPage(painter, layout, offset, QStringLiteral("offset in force: test"));
    painter.end();
    return pdf;
}

} // namespace

class TestCalibration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void init();
    void cleanup();

    void calibrationGridAndBoxes_data();
    void calibrationGridAndBoxes();
    void offsetMovesEveryWordExactly();
    void fieldPlacedInMillimetresPrintsThere();
    void arrowsMoveByPixelsAndMillimetres();
    void undoAndRedoRestoreTheLayoutExactly();
    void unsavedChangesAreAskedAbout();
    void scanLiesAtTrueSize_data();
    void scanLiesAtTrueSize();
    void scanThatCannotBeShownIsAQuietNote();
    void declaredResolution_data();
    void declaredResolution();
    void scanPlaceAsTyped();

private:
    TChequeForm &designer() { return m_program->ChequeForm; }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDialogs> m_dialogs;
    std::unique_ptr<TestPrinting> m_printing;
    std::unique_ptr<ChequeProgram> m_program;
};

void TestCalibration::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_dialogs = std::make_unique<TestDialogs>();
    m_printing = std::make_unique<TestPrinting>(m_dir->path());
    QFile banks(m_dir->filePath("banks.txt"));
    QVERIFY(banks.open(QIODevice::WriteOnly));
    banks.write("SIB\r\nADCB\r\n");
    banks.close();
    QVERIFY(StartProgram(m_program, m_dir->path()));
    designer().show();
    designer().ChangeBtnClick();
}

void TestCalibration::cleanup()
{
    m_dialogs->changesAnswers << Dialogs::Changes::Discard; // a test's own changes go at close
    m_program.reset();
    m_printing.reset();
    m_dialogs.reset();
    m_dir.reset();
}

void TestCalibration::calibrationGridAndBoxes_data()
{
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("no offset") << QPointF();
    QTest::newRow("+2.5 across, -1.0 down") << QPointF(2.5, -1.0);
}

void TestCalibration::calibrationGridAndBoxes()
{
    QFETCH(QPointF, offset);
    const QString pdf = RenderCalibration(m_dir->filePath("calibration.pdf"), offset);
    QCOMPARE(PageSize(pdf), QStringLiteral("684 x 297"));
    const QList<Word> words = WordsOf(pdf);
    int top = 0, left = 0;
    for (const Word &w : words) {
        bool number = false;
        const int mm = w.text.toInt(&number);
        if (!number || mm % 10 != 0 || mm == 0)
            continue;
        if (w.yMin < 4 + offset.y()) { // along the top: each label just right of its line
            ++top;
            QVERIFY2(qAbs(w.xMin - (mm + 0.5 + offset.x())) < 0.05,
                     qPrintable(QStringLiteral("%1 at %2").arg(mm).arg(w.xMin)));
        } else if (w.xMin < 2 + offset.x()) { // down the left side
            ++left;
            QVERIFY2(qAbs(w.xMin - (0.5 + offset.x())) < 0.05,
                     qPrintable(QStringLiteral("%1 at %2").arg(mm).arg(w.xMin)));
            QVERIFY(w.yMax < mm + offset.y() && w.yMax > mm - 2 + offset.y());
        }
    }
    QCOMPARE(top, 23);  // 10 to 230: the 240 label does not fit on 241.3 mm
    QCOMPARE(left, 10); // 104.8 mm down
    // Each field's box named by its kind at its place from the margin (12 mm).
    const ChequeLayout layout = InitialLayout();
    int named = 0;
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (words[i].text != "Name")
            continue;
        ++named;
        const Word number = words[i - 1]; // "2 Name": the box's number first
        QCOMPARE(number.text, QStringLiteral("2"));
        const ChequeField &payee = layout.Fields[1];
        QVERIFY2(qAbs(number.xMin - (12 + payee.Left / kPxPerMm + 0.5 + offset.x())) < 0.05,
                 qPrintable(QString::number(number.xMin)));
    }
    QCOMPARE(named, 1);
}

void TestCalibration::offsetMovesEveryWordExactly()
{
    ChequeLayout layout = InitialLayout();
    const ReportPage page = PageFromLayout(layout);
    QList<Word> pages[2];
    for (int i = 0; i < 2; ++i) {
        const QString pdf = m_dir->filePath(QStringLiteral("page%1.pdf").arg(i));
        QPdfWriter writer(pdf);
        QVERIFY(RenderChequePage(writer, page, i ? QPointF(2.5, -1.0) : QPointF()));
        pages[i] = WordsOf(pdf);
    }
    QVERIFY(pages[0].size() >= 8);
    QCOMPARE(pages[1].size(), pages[0].size());
    for (qsizetype w = 0; w < pages[0].size(); ++w) {
        QVERIFY(qAbs(pages[1][w].xMin - pages[0][w].xMin - 2.5) < 0.01);
        QVERIFY(qAbs(pages[1][w].yMin - pages[0][w].yMin + 1.0) < 0.01);
    }
}

void TestCalibration::fieldPlacedInMillimetresPrintsThere()
{
    TChequeForm &f = designer();
    Find<QLineEdit>(&f, "LeftEd")->setText("10");
    f.placeField(2, QRectF(30.0, 12.0, 60.0, 8.0));
    // The nearest place the layout holds (whole designer pixels).
    const QRectF held = f.fieldMm(2);
    QVERIFY(qAbs(held.left() - 30.0) <= 0.14 && qAbs(held.top() - 12.0) <= 0.14);
    f.PrintBtnClick(true);
    QCOMPARE(m_printing->jobs.size(), 1);
    const QString payee = f.Layout().Fields[1].Text.split(' ').first();
    for (const Word &w : WordsOf(m_printing->jobs[0]))
        if (w.text == payee)
            QVERIFY2(qAbs(w.xMin - (10 + held.left())) < 0.1,
                     qPrintable(QStringLiteral("%1 for %2").arg(w.xMin).arg(10 + held.left())));
    // Typed in the position bar, the same.
    f.ChequeEdit1Enter(2);
    auto *left = Find<QDoubleSpinBox>(&f, "LeftMmEd");
    left->setValue(50.0);
    emit left->editingFinished();
    QCOMPARE(f.fieldMm(2).left(), qRound(50.0 * kPxPerMm) / kPxPerMm);
    QCOMPARE(left->value(), std::round(f.fieldMm(2).left() * 10) / 10);
}

void TestCalibration::arrowsMoveByPixelsAndMillimetres()
{
    TChequeForm &f = designer();
    auto *edit = Find<ChequeFieldEdit>(&f, "ChequeEdit2");
    edit->setFocus();
    const QRect start = edit->geometry();
    QTest::keyClick(edit, Qt::Key_Right);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(edit->geometry().topLeft(), start.topLeft() + QPoint(1, 1));
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(edit->geometry().left(), qRound((start.left() + 1) / kPxPerMm * kPxPerMm + kPxPerMm)); // one mm further
    QCOMPARE(edit->geometry().size(), start.size());
    // With Ctrl the caret moves, not the field.
    const QRect before = edit->geometry();
    QTest::keyClick(edit, Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(edit->geometry(), before);
    // The three moves are one step to undo (the arrows on one field merge).
    f.undoStack()->undo();
    QCOMPARE(edit->geometry(), start);
}

void TestCalibration::undoAndRedoRestoreTheLayoutExactly()
{
    TChequeForm &f = designer();
    const ChequeLayout start = f.Layout();
    auto *edit = Find<ChequeFieldEdit>(&f, "ChequeEdit1");
    edit->setFocus();
    Drag(edit, edit->geometry().center(), QPoint(37, 21));
    const ChequeLayout dragged = f.Layout();
    QVERIFY(dragged != start);
    QFont font("DejaVu Serif");
    font.setPointSize(17);
    font.setItalic(true);
    m_dialogs->fontAnswers << font;
    Find<QPushButton>(&f, "SpeedButton1")->click();
    const ChequeLayout styled = f.Layout();
    QVERIFY(OptionLine(styled) != OptionLine(dragged));
    QCOMPARE(f.undoStack()->count(), 2);
    QVERIFY(f.hasUnsavedChanges());
    f.undoStack()->undo();
    QCOMPARE(f.Layout(), dragged);
    QCOMPARE(OptionLine(f.Layout()), OptionLine(dragged));
    f.undoStack()->undo();
    QCOMPARE(f.Layout(), start);
    QCOMPARE(OptionLine(f.Layout()), OptionLine(start));
    QVERIFY(!f.hasUnsavedChanges());
    f.undoStack()->redo();
    f.undoStack()->redo();
    QCOMPARE(f.Layout(), styled);
    QCOMPARE(OptionLine(f.Layout()).toUtf8(), OptionLine(styled).toUtf8());
    // The shortcuts are the usual ones.
    QCOMPARE(Find<QAction>(&f, "UndoAction")->shortcut(), QKeySequence(QKeySequence::Undo));
}

void TestCalibration::unsavedChangesAreAskedAbout()
{
    TChequeForm &f = designer();
    auto *bank = Find<QComboBox>(&f, "BankNameCB");
    QCOMPARE(bank->currentText(), QStringLiteral("SIB"));
    f.nudgeField(3, 5, 0, false);
    const QString moved = OptionLine(f.Layout());
    // Cancel: the bank and the change stay.
    m_dialogs->changesAnswers << Dialogs::Changes::Cancel;
    bank->setCurrentIndex(1);
    QCOMPARE(m_dialogs->changesAsked.size(), 1);
    QVERIFY2(m_dialogs->changesAsked[0].contains("SIB"), qPrintable(m_dialogs->changesAsked[0]));
    QCOMPARE(bank->currentText(), QStringLiteral("SIB"));
    QCOMPARE(OptionLine(f.Layout()), moved);
    // Closing the designer: Cancel keeps it open.
    m_dialogs->changesAnswers << Dialogs::Changes::Cancel;
    QVERIFY(!f.close());
    QVERIFY(f.isVisible());
    // Save: SIB's line is the moved layout, then ADCB's layout shows.
    m_dialogs->changesAnswers << Dialogs::Changes::Save;
    bank->setCurrentIndex(1);
    QCOMPARE(f.Book.lineOf(0), moved);
    QCOMPARE(bank->currentText(), QStringLiteral("ADCB"));
    // Discard: the change goes, as switching banks always did.
    f.nudgeField(3, 5, 0, false);
    m_dialogs->changesAnswers << Dialogs::Changes::Discard;
    bank->setCurrentIndex(0);
    QCOMPARE(OptionLine(f.Layout()), moved);
    QVERIFY(!f.hasUnsavedChanges());
    // The issue window's bank choice asks too.
    f.nudgeField(3, 5, 0, false);
    m_dialogs->changesAnswers << Dialogs::Changes::Cancel;
    auto *issueBank = Find<QComboBox>(&m_program->NewChequeForm, "BankNameCB");
    issueBank->setCurrentIndex(1);
    QCOMPARE(issueBank->currentIndex(), 0);
    QCOMPARE(m_dialogs->changesAsked.size(), 5);
}

void TestCalibration::scanLiesAtTrueSize_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("declared");
    QTest::newRow("PNG at 200 dpi") << "png" << 200 << true;
    QTest::newRow("PNG at 300 dpi") << "png" << 300 << true;
    QTest::newRow("JPEG at 300 dpi") << "jpg" << 300 << true;
    QTest::newRow("PNG that says nothing, 200 dpi given") << "png" << 200 << false;
    QTest::newRow("PDF page") << "pdf" << 0 << true;
}

void TestCalibration::scanLiesAtTrueSize()
{
    QFETCH(QString, format);
    QFETCH(int, dpi);
    QFETCH(bool, declared);
    // A cheque 160 mm by 70 mm.
    const QString path = m_dir->filePath("scan." + format);
    if (format == "pdf") {
        QPdfWriter pdf(path);
        pdf.setPageSize(QPageSize(QSizeF(160, 70), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF());
        QPainter painter(&pdf);
        painter.fillRect(QRect(0, 0, pdf.width(), pdf.height()), Qt::gray);
    } else {
        QImage image(qRound(160 / 25.4 * dpi), qRound(70 / 25.4 * dpi), QImage::Format_RGB32);
        image.fill(Qt::gray);
        QImageWriter writer(path);
        if (declared) {
            image.setDotsPerMeterX(qRound(dpi / 0.0254));
            image.setDotsPerMeterY(qRound(dpi / 0.0254));
        } else {
            image.setDotsPerMeterX(0);
            image.setDotsPerMeterY(0);
        }
        QVERIFY(writer.write(image));
        if (!declared) { // no pHYs chunk at all
            QByteArray bytes = ReadBytes(path);
            const qsizetype at = bytes.indexOf("pHYs");
            if (at > 0)
                bytes.remove(at - 4, 21);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QCOMPARE(DeclaredDpi(ReadBytes(path)).has_value(), declared);
        m_dialogs->textAnswers << QString::number(dpi);
    }
    TChequeForm &f = designer();
    QVERIFY(f.setScan(path));
    QCOMPARE(m_dialogs->questions.size(), declared ? 0 : 1);
    const QRect shown = f.scanRect();
    QVERIFY2(qAbs(shown.width() - 160 * kPxPerMm) <= 1 && qAbs(shown.height() - 70 * kPxPerMm) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(shown.width()).arg(shown.height())));
    QCOMPARE(shown.topLeft(), QPoint(0, 0));
    f.setScanPlace(2.0, -1.5, 0.3);
    QCOMPARE(f.scanRect().topLeft(), QPoint(qRound(2.0 * kPxPerMm), qRound(-1.5 * kPxPerMm)));
    // Kept per bank, beside the data files; never in options.txt.
    QVERIFY(QFile::exists(m_dir->filePath(f.scanSettings()->file)));
    QVERIFY(!OptionLine(f.Layout()).contains("scan"));
    // Never printed.
    f.PrintBtnClick(true);
    QCOMPARE(PageCount(m_printing->jobs.last()), 1);
    QVERIFY(ReadBytes(m_printing->jobs.last()).size() < 100000);
}

void TestCalibration::scanThatCannotBeShownIsAQuietNote()
{
    TChequeForm &f = designer();
    QImage image(100, 50, QImage::Format_RGB32);
    image.fill(Qt::gray);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    QVERIFY(image.save(m_dir->filePath("scan.png")));
    QVERIFY(f.setScan(m_dir->filePath("scan.png")));
    QFile::remove(m_dir->filePath(f.scanSettings()->file));
    m_dialogs->messages.clear();
    // The next start shows no message, only a note in the designer.
    QVERIFY(StartProgram(m_program, m_dir->path()));
    QVERIFY2(m_dialogs->messages.isEmpty(), qPrintable(m_dialogs->messages.join('\n')));
    QVERIFY(designer().scanNote().contains("cannot be read"));
    QCOMPARE(Find<QLabel>(&designer(), "ScanLB")->text(), designer().scanNote());
    QVERIFY(designer().scanRect().isEmpty());
}

void TestCalibration::declaredResolution_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<double>("dpi"); // 0: none
    const QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const auto chunk = [](const QByteArray &type, const QByteArray &data) {
        QByteArray c;
        const quint32 n = quint32(data.size());
        c += char(n >> 24), c += char(n >> 16), c += char(n >> 8), c += char(n);
        return c + type + data + QByteArray(4, '\0');
    };
    const QByteArray ihdr = chunk("IHDR", QByteArray(13, '\1'));
    const QByteArray phys300 = chunk("pHYs", QByteArray::fromHex("00002e2300002e2301"));
    const QByteArray physRatio = chunk("pHYs", QByteArray::fromHex("00002e2300002e2300"));
    const QByteArray jfif = [](int units, int density) {
        QByteArray j = QByteArray::fromHex("ffd8ffe000104a46494600010100");
        j[13] = char(units);
        j += char(density >> 8), j += char(density & 0xff), j += char(density >> 8), j += char(density & 0xff);
        return j + QByteArray::fromHex("0000");
    }(1, 300);
    QByteArray jfifCm = jfif;
    jfifCm[13] = 2;
    jfifCm[14] = 0, jfifCm[15] = 118;
    QByteArray jfifRatio = jfif;
    jfifRatio[13] = 0;
    // clang-format off
    QTest::newRow("PNG, 300 dpi") << png + ihdr + phys300 << 299.9994;
    QTest::newRow("PNG, aspect only") << png + ihdr + physRatio << 0.0;
    QTest::newRow("PNG, no pHYs") << png + ihdr + chunk("IDAT", "x") << 0.0;
    QTest::newRow("JPEG, 300 dpi") << jfif << 300.0;
    QTest::newRow("JPEG, 118 per cm") << jfifCm << 299.72;
    QTest::newRow("JPEG, aspect only") << jfifRatio << 0.0;
    QTest::newRow("not an image") << QByteArray("Date,Payee") << 0.0;
    // clang-format on
}

void TestCalibration::declaredResolution()
{
    QFETCH(QByteArray, head);
    QFETCH(double, dpi);
    const auto declared = DeclaredDpi(head);
    QCOMPARE(declared.has_value(), dpi > 0);
    if (declared)
        QVERIFY2(qAbs(*declared - dpi) < 0.01, qPrintable(QString::number(*declared)));
}

void TestCalibration::scanPlaceAsTyped()
{
    ScanSettings scan;
    scan.opacity = 0.25;
    scan.leftMm = 1;
    const ScanSettings kept = scan;
    for (const char *wrong : {"2, 3", "2, 3, 40, 5", "a, 3, 40", "2, 3, 101", "2, 3, -1", ""}) {
        QVERIFY2(!ReadScanPlace(QString::fromLatin1(wrong), scan), wrong);
        QCOMPARE(scan, kept);
    }
    QVERIFY(ReadScanPlace(QStringLiteral(" 2.5 ,-1.5, 30 "), scan));
    QCOMPARE(scan.leftMm, 2.5);
    QCOMPARE(scan.topMm, -1.5);
    QCOMPARE(scan.opacity, 0.3);
    // What it offers reads back as the same place.
    ScanSettings again = kept;
    QVERIFY(ReadScanPlace(ScanPlaceText(scan), again));
    QCOMPARE(again, scan);
}

QTEST_MAIN(TestCalibration)
#include "tst_calibration.moc"
