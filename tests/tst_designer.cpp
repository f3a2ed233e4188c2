// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "controls.h"
#include "fielddragtest.h"
#include "layouttest.h"
#include "pdftext.h"
#include "testdialogs.h"
#include "whenmodal.h"

#include "currency/currencyrecord.h"
#include "gui/currency/monyU.h"
#include "gui/designer/chequeU.h"
#include "gui/printer/PrintChequeU.h"
#include "gui/widgets/widgets.h"

namespace {

// Types text as key presses, one character each, as a keyboard would.
void Type(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

QRadioButton *KindButton(RadioGroup *group, FieldKind kind)
{
    return group->findChildren<QRadioButton *>().at(int(kind));
}

} // namespace

class TestDesigner : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithTheInitialLayout();
    void layoutRoundTripsThroughTheControls();
    void showingLocksAndChangeUnlocks();
    void labelsCountStacksPanels();
    void mouseChangesTheField_data();
    void mouseChangesTheField();
    void overlappingFieldsAreToldWhileMoved();
    void cursorFollowsTheZone();
    void lockedFieldsDoNotMove();
    void focusColours();
    void kindSetsSampleTextOnly_data();
    void kindSetsSampleTextOnly();
    void fontIsTakenWhole();
    void fontDialogOpensOnTheFieldsFont();
    void unstorableFontIsRefused();
    void optionEditsRefuseWhatTheFileCannotHold();
    void addBankKeepsChangesInTheNewLine();
    void addBankCancelledOrRefused();
    void deleteBank();
    void closingTheListRestoresTheStoredLayout();
    void choosingABankLoadsItsLine();
    void damagedLineIsRepairedSilently();
    void moneyOpensWithoutBlocking();
    void printTestRendersTheFields();
    void screenShowsTheTextWherePaperGetsIt();
    void lockedFieldsKeepTheirLook();
    void deleteQuestionDefaultsToNo();
    void printTestWithoutAPrinterSaysWhatToDo();
    void shiftArrowsMoveByWholeMillimetres();
    void printerOffsetsWithoutAPrinterSaySo();

private:
    TChequeForm *m_form = nullptr;
    TestDialogs *m_dialogs = nullptr;
    QStringList m_issueList; // stands in for the issue window's bank choice
    QTemporaryDir m_dir;
};

void TestDesigner::init()
{
    m_dialogs = new TestDialogs;
    m_form = new TChequeForm;
    m_issueList.clear();
    connect(&m_form->Book, &BankBook::saving, this, [this] { m_issueList = m_form->Book.Banks; });
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestDesigner::cleanup()
{
    delete m_form;
    delete m_dialogs;
}

void TestDesigner::startsWithTheInitialLayout()
{
    TChequeForm &f = *m_form;
    QCOMPARE(f.windowTitle(), QStringLiteral("Cheque Layout"));
    // The menu and the position bar above the cheque area, which keeps the
    // window's first size.
    const int bars = Find<QWidget>(&f, "MenuBar")->height() + Find<QWidget>(&f, "PositionBar")->height();
    QVERIFY(f.width() > f.height()); // a cheque's shape
    QCOMPARE(Find<QComboBox>(&f, "BankNameCB")->count(), 1);
    QCOMPARE(Find<QComboBox>(&f, "BankNameCB")->currentText(), QStringLiteral("SIB"));
    QCOMPARE(Find<QSpinBox>(&f, "SpinEdit1")->value(), 5);
    QCOMPARE(Find<QLineEdit>(&f, "BAEdit")->text(), QStringLiteral("#"));
    QCOMPARE(Find<QLineEdit>(&f, "LeftEd")->text(), QStringLiteral("0"));
    for (int i = 0; i < FieldCount; ++i)
        QCOMPARE(Find<QCheckBox>(&f, QStringLiteral("RightChk%1").arg(i + 1))->isChecked(), i == 3);
    QCOMPARE(f.Layout(), InitialLayout());
    QCOMPARE(OptionLine(f.Layout()), OptionLine(InitialLayout()));
    // The settings column lies along the right edge, the cheque area fills
    // the rest, and a wider window widens the cheque area alone.
    const auto checkColumns = [&](int &width) {
        const QRect area = Find<QWidget>(&f, "ChequeArea")->geometry();
        const QRect column = Find<QWidget>(&f, "SettingsArea")->parentWidget()->geometry();
        QCOMPARE(area.topLeft(), QPoint(0, bars));
        QCOMPARE(area.height(), f.height() - bars);
        QCOMPARE(column.left(), area.right() + 1);
        QCOMPARE(column.right(), f.width() - 1);
        QCOMPARE(column.top(), bars);
        width = column.width();
    };
    int before = 0, after = -1;
    checkColumns(before);
    f.resize(f.width() + 148, f.height() + 63);
    checkColumns(after);
    QCOMPARE(after, before);
    QCOMPARE(Find<RadioGroup>(&f, "KindRG1")->items().at(4), QStringLiteral("Ar Text Amount"));
}

void TestDesigner::layoutRoundTripsThroughTheControls()
{
    ChequeLayout l = InitialLayout();
    l.LabelsCount = 4;
    l.applyLabelsCount(4);
    l.Fields[4].Visible = false;
    l.BAText = "AED/";
    l.LeftMm = "2.5";
    l.TopMm = "-3";
    l.Portial = true;
    l.Fields[0] = {FieldKind::ArTextAmount,
                   true,
                   -12,
                   -40,
                   30,
                   400,
                   "DejaVu Sans",
                   15,
                   0x0000FF,
                   true,
                   true,
                   true,
                   true,
                   178,
                   "typed",
                   true};
    l.Fields[2].FontSize = 0; // a size no font has comes back as it was stored
    l.Fields[3].Visible = false;
    m_form->ShowLayout(l);
    QCOMPARE(m_form->Layout(), l);
    QCOMPARE(OptionLine(m_form->Layout()), OptionLine(l));
    QVERIFY(Find<ChequeFieldEdit>(m_form, "ChequeEdit1")->font().strikeOut());
    QCOMPARE(Find<ChequeFieldEdit>(m_form, "ChequeEdit1")->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(Find<ChequeFieldEdit>(m_form, "ChequeEdit1")->layoutDirection(), Qt::RightToLeft);
}

void TestDesigner::showingLocksAndChangeUnlocks()
{
    TChequeForm &f = *m_form;
    auto locked = [&f] {
        if (!Find<QWidget>(&f, "SettingsArea")->isHidden())
            return false;
        for (auto *edit : f.findChildren<ChequeFieldEdit *>())
            if (edit->isEnabled())
                return false;
        return Find<QComboBox>(&f, "BankNameCB")->isEnabled() && Find<QPushButton>(&f, "ChangeBtn")->isVisible()
            && Find<QPushButton>(&f, "PrintBtn")->isVisible();
    };
    QVERIFY(locked());
    QTest::mouseClick(Find<QPushButton>(&f, "ChangeBtn"), Qt::LeftButton);
    QVERIFY(!Find<QWidget>(&f, "SettingsArea")->isHidden());
    QVERIFY(Find<ChequeFieldEdit>(&f, "ChequeEdit3")->isEnabled());
    QTest::mouseClick(Find<QPushButton>(&f, "SaveBtn"), Qt::LeftButton);
    QVERIFY(locked());
    f.ChangeBtnClick();
    f.hide();
    f.show();
    QVERIFY(locked());
}

void TestDesigner::labelsCountStacksPanels()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    Find<QSpinBox>(&f, "SpinEdit1")->setValue(3);
    for (int i = 0; i < FieldCount; ++i) {
        QCOMPARE(Find<ChequeFieldEdit>(&f, QStringLiteral("ChequeEdit%1").arg(i + 1))->isHidden(), i >= 3);
        QCOMPARE(Find<QFrame>(&f, QStringLiteral("EPanel%1").arg(i + 1))->isHidden(), i >= 3);
    }
    // The shown panels stack under the options, each right under the one before.
    const auto checkStacked = [&](int shown) {
        int top = Find<QFrame>(&f, "OptionsPanel")->geometry().bottom() + 1;
        for (int i = 0; i < shown; ++i) {
            const QRect panel = Find<QFrame>(&f, QStringLiteral("EPanel%1").arg(i + 1))->geometry();
            QCOMPARE(panel.top(), top);
            top = panel.bottom() + 1;
        }
    };
    checkStacked(3);
    Find<QSpinBox>(&f, "SpinEdit1")->setValue(5);
    for (int i = 0; i < FieldCount; ++i)
        QVERIFY(!Find<ChequeFieldEdit>(&f, QStringLiteral("ChequeEdit%1").arg(i + 1))->isHidden());
    checkStacked(5);
    QCOMPARE(f.Layout().LabelsCount, 5);
    // While a count outside 1..5 is being typed: nothing, or everything.
    f.SpinEdit1Change(0);
    for (auto *edit : f.findChildren<ChequeFieldEdit *>())
        QVERIFY(edit->isHidden());
    f.SpinEdit1Change(7);
    for (auto *edit : f.findChildren<ChequeFieldEdit *>())
        QVERIFY(!edit->isHidden());
}

void TestDesigner::mouseChangesTheField_data()
{
    // clang-format off
    QTest::addColumn<QPoint>("pressAt"); // in the field, which is 200 x 40 at (100, 100)
    QTest::addColumn<QPoint>("by");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QRect>("expected");

    const int left = Qt::LeftButton;
    QTest::newRow("body") << QPoint(50, 20) << QPoint(10, 5) << left << 0 << QRect(110, 105, 200, 40);
    QTest::newRow("body back and up") << QPoint(100, 15) << QPoint(-130, -120) << left << 0
                                      << QRect(-30, -20, 200, 40);
    QTest::newRow("left edge widens, right edge stays") << QPoint(2, 20) << QPoint(-10, 0) << left << 0
                                                        << QRect(90, 100, 210, 40);
    QTest::newRow("left edge narrows") << QPoint(3, 20) << QPoint(30, 9) << left << 0 << QRect(130, 100, 170, 40);
    QTest::newRow("right edge takes the mouse") << QPoint(195, 20) << QPoint(25, 3) << left << 0
                                                << QRect(100, 100, 220, 40);
    QTest::newRow("top edge, bottom stays") << QPoint(100, 1) << QPoint(4, -6) << left << 0
                                            << QRect(100, 94, 200, 46);
    QTest::newRow("bottom edge takes the mouse") << QPoint(100, 36) << QPoint(0, 14) << left << 0
                                                 << QRect(100, 100, 200, 50);
    QTest::newRow("top-left corner is the left edge") << QPoint(2, 2) << QPoint(-5, -5) << left << 0
                                                      << QRect(95, 100, 205, 40);
    QTest::newRow("top-right corner is the right edge") << QPoint(199, 1) << QPoint(11, -8) << left << 0
                                                        << QRect(100, 100, 210, 40);
    QTest::newRow("right button") << QPoint(50, 20) << QPoint(10, 5) << int(Qt::RightButton) << 0
                                  << QRect(100, 100, 200, 40);
    QTest::newRow("left with Shift") << QPoint(50, 20) << QPoint(10, 5) << left << int(Qt::ShiftModifier)
                                     << QRect(100, 100, 200, 40);
    QTest::newRow("left with Ctrl") << QPoint(2, 20) << QPoint(10, 5) << left << int(Qt::ControlModifier)
                                    << QRect(100, 100, 200, 40);
    QTest::newRow("left with Alt") << QPoint(195, 20) << QPoint(10, 5) << left << int(Qt::AltModifier)
                                   << QRect(100, 100, 200, 40);
    // clang-format on
}

void TestDesigner::mouseChangesTheField()
{
    QFETCH(QPoint, pressAt);
    QFETCH(QPoint, by);
    QFETCH(int, button);
    QFETCH(int, modifiers);
    QFETCH(QRect, expected);

    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    ChequeFieldEdit *edit = Find<ChequeFieldEdit>(&f, "ChequeEdit2");
    f.placeField(2, QRectF(PxToMm(100), PxToMm(100), PxToMm(200), PxToMm(40)));
    const QString before = edit->text();
    Drag(edit, edit->pos() + pressAt, by, Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(edit->geometry(), expected);
    QCOMPARE(edit->text(), before);
    const ChequeField field = f.Layout().Fields[1];
    QCOMPARE(QRect(field.Left, field.Top, field.Width, field.Height), expected);
    // The other fields stay where they were.
    QCOMPARE(f.Layout().Fields[0].Left, InitialLayout().Fields[0].Left);
}

void TestDesigner::overlappingFieldsAreToldWhileMoved()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    const QLabel *told = Find<QLabel>(&f, "PageLB");
    QCOMPARE(told->text(), QString());
    // The words' box dragged onto the figure's, and back.
    ChequeFieldEdit *words = Find<ChequeFieldEdit>(&f, "ChequeEdit4");
    Drag(words, words->pos() + QPoint(10, 10), QPoint(300, 0), Qt::LeftButton, {});
    QCOMPARE(told->text(), QStringLiteral("Fields 3 and 4 overlap"));
    QVERIFY(told->toolTip().contains("(field 3)") && told->toolTip().contains("(field 4)"));
    Drag(words, words->pos() + QPoint(10, 10), QPoint(-300, 0), Qt::LeftButton, {});
    QCOMPARE(told->text(), QString());
}

void TestDesigner::cursorFollowsTheZone()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    ChequeFieldEdit *edit = Find<ChequeFieldEdit>(&f, "ChequeEdit1");
    edit->setGeometry(100, 100, 200, 40);
    QCOMPARE(edit->cursor().shape(), Qt::DragMoveCursor);
    const struct
    {
        QPoint at;
        Qt::CursorShape shape;
    } cases[] = {{{1, 20}, Qt::SplitHCursor},   {{205, 20}, Qt::SplitHCursor},   {{100, 3}, Qt::SplitVCursor},
                 {{100, 46}, Qt::SplitVCursor}, {{100, 20}, Qt::DragMoveCursor}, {{2, 2}, Qt::SplitHCursor}};
    for (const auto &c : cases) {
        SendMouse(edit, QEvent::MouseMove, edit->pos() + c.at, Qt::NoButton, Qt::NoButton);
        QCOMPARE(edit->cursor().shape(), c.shape);
    }
    // A hover never moves anything.
    QCOMPARE(edit->geometry(), QRect(100, 100, 200, 40));
}

void TestDesigner::lockedFieldsDoNotMove()
{
    TChequeForm &f = *m_form;
    ChequeFieldEdit *edit = Find<ChequeFieldEdit>(&f, "ChequeEdit1");
    const QRect before = edit->geometry();
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, edit->mapTo(&f, QPoint(10, 8)));
    QTest::mouseMove(f.windowHandle(), edit->mapTo(&f, QPoint(40, 30)));
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, edit->mapTo(&f, QPoint(40, 30)));
    QCOMPARE(edit->geometry(), before);
    QVERIFY(!edit->hasFocus());
}

void TestDesigner::focusColours()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const QColor yellow(255, 255, 0);
    const QColor white(255, 255, 255);
    const QColor face = Find<QFrame>(&f, "EPanel1")->palette().color(QPalette::Window);
    const QColor base = Find<ChequeFieldEdit>(&f, "ChequeEdit1")->palette().color(QPalette::Base);

    // Real mouse press in field 2: it takes the focus.
    QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {},
                      Find<ChequeFieldEdit>(&f, "ChequeEdit2")->mapTo(&f, QPoint(10, 8)));
    QVERIFY(Find<ChequeFieldEdit>(&f, "ChequeEdit2")->hasFocus());
    QCOMPARE(f.focusedField(), 1);
    QCOMPARE(Find<ChequeFieldEdit>(&f, "ChequeEdit2")->palette().color(QPalette::Base), yellow);
    QCOMPARE(Find<QFrame>(&f, "EPanel2")->palette().color(QPalette::Window), yellow);
    QCOMPARE(Find<QFrame>(&f, "EPanel1")->palette().color(QPalette::Window), base); // its field's colour
    QVERIFY(face.isValid());

    // Panel 2's "Right" box: field 2 turns white, panel 2 stays yellow.
    QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, Find<QCheckBox>(&f, "RightChk2")->mapTo(&f, QPoint(5, 8)));
    QVERIFY(Find<QCheckBox>(&f, "RightChk2")->hasFocus());
    QVERIFY(Find<QCheckBox>(&f, "RightChk2")->isChecked());
    QCOMPARE(Find<ChequeFieldEdit>(&f, "ChequeEdit2")->palette().color(QPalette::Base), white);
    QCOMPARE(Find<QFrame>(&f, "EPanel2")->palette().color(QPalette::Window), yellow);
    QCOMPARE(Find<ChequeFieldEdit>(&f, "ChequeEdit2")->layoutDirection(), Qt::RightToLeft);
    QVERIFY(Find<ChequeFieldEdit>(&f, "ChequeEdit2")->alignment() & Qt::AlignRight);

    // Entering field 4: panel 2 takes field 2's white, panel 4 turns yellow.
    Find<ChequeFieldEdit>(&f, "ChequeEdit4")->setFocus(Qt::MouseFocusReason);
    QCOMPARE(Find<QFrame>(&f, "EPanel2")->palette().color(QPalette::Window), white);
    QCOMPARE(Find<QFrame>(&f, "EPanel4")->palette().color(QPalette::Window), yellow);
}

void TestDesigner::kindSetsSampleTextOnly_data()
{
    // clang-format off
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("sample");
    for (int k = 0; k < FieldKindCount; ++k)
        QTest::newRow(qPrintable(KindCaption(FieldKind(k)))) << k << SampleText(FieldKind(k));
    // clang-format on
}

void TestDesigner::kindSetsSampleTextOnly()
{
    QFETCH(int, kind);
    QFETCH(QString, sample);
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    Find<ChequeFieldEdit>(&f, "ChequeEdit1")->setText("typed over");
    KindButton(Find<RadioGroup>(&f, "KindRG1"), FieldKind(kind))->click();
    QCOMPARE(Find<ChequeFieldEdit>(&f, "ChequeEdit1")->text(), sample);
    QCOMPARE(int(f.Layout().Fields[0].Kind), kind);
    QCOMPARE(Find<ChequeFieldEdit>(&f, "ChequeEdit1")->layoutDirection(), Qt::LeftToRight);
    QVERIFY(!Find<QCheckBox>(&f, "RightChk1")->isChecked());
    if (FieldKind(kind) == FieldKind::ArTextAmount)
        QCOMPARE(Find<ChequeFieldEdit>(&f, "ChequeEdit1")->text(), QStringLiteral("خمسة آلاف درهم فقط"));
}

void TestDesigner::fontIsTakenWhole()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    QFont chosen("Liberation Sans", 20);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    m_dialogs->fontAnswers.enqueue(chosen);
    m_dialogs->fontAnswers.enqueue(std::nullopt);
    QTest::mouseClick(Find<QPushButton>(&f, "SpeedButton3"), Qt::LeftButton);
    ChequeField field = f.Layout().Fields[2];
    QCOMPARE(field.FontName, QStringLiteral("Liberation Sans"));
    QCOMPARE(field.FontSize, 20);
    QVERIFY(!field.Bold);
    QVERIFY(field.Italic && field.Underline && field.StrikeOut);
    QVERIFY(Find<ChequeFieldEdit>(&f, "ChequeEdit3")->font().strikeOut());
    // Cancelled: nothing changes.
    f.SpeedButtonClick(3);
    QCOMPARE(f.Layout().Fields[2], field);
    QCOMPARE(f.Layout().Fields[2].FontName, QStringLiteral("Liberation Sans"));
    QCOMPARE(f.Layout().Fields[1], InitialLayout().Fields[1]);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestDesigner::fontDialogOpensOnTheFieldsFont()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    // Times New Roman, 12 pt, bold: not installed here; a look-alike draws it.
    QVERIFY(!QFontDatabase::families().contains("Times New Roman"));
    m_dialogs->fontAnswers.enqueue(std::nullopt);
    f.SpeedButtonClick(2);
    QCOMPARE(m_dialogs->fontsAsked.size(), 1);
    const QFont asked = m_dialogs->fontsAsked[0];
    QVERIFY2(QFontDatabase::families().contains(asked.family()), qPrintable(asked.family()));
    QCOMPARE(asked.family(), QFontInfo(Find<ChequeFieldEdit>(&f, "ChequeEdit2")->font()).family());
    QCOMPARE(asked.pointSize(), 12);
    QVERIFY(asked.bold() && !asked.italic());
    // OK on what it opened with changes nothing, the stored family included.
    const ChequeLayout before = f.Layout();
    m_dialogs->fontAnswers.enqueue(asked);
    f.SpeedButtonClick(2);
    QCOMPARE(f.Layout(), before);
    QCOMPARE(OptionLine(f.Layout()), OptionLine(before));

    // Qt's own dialog shows that font, and OK on it keeps the field as it was.
    setDialogs(nullptr);
    QFont shown;
    WhenModal<QFontDialog>([&](QFontDialog *dialog) {
        shown = dialog->currentFont();
        dialog->accept();
    });
    f.SpeedButtonClick(2);
    setDialogs(m_dialogs);
    QCOMPARE(shown.family(), asked.family());
    QCOMPARE(shown.pointSize(), 12);
    QVERIFY(shown.bold());
    QCOMPARE(OptionLine(f.Layout()), OptionLine(before));
}

void TestDesigner::unstorableFontIsRefused()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    const ChequeField before = f.Layout().Fields[0];
    m_dialogs->fontAnswers.enqueue(QFont("Ωmega Sans", 14));
    m_dialogs->fontAnswers.enqueue(QFont("Sans 1/2", 14));
    m_dialogs->fontAnswers.enqueue(QFont("Liberation Sans", MaxFieldFontPoints + 1));
    f.SpeedButtonClick(1);
    f.SpeedButtonClick(1);
    f.SpeedButtonClick(1);
    QCOMPARE(f.Layout().Fields[0], before);
    QCOMPARE(m_dialogs->messages.size(), 3);
    QVERIFY(m_dialogs->messages[2].contains("at most 200 points"));
    QVERIFY2(m_dialogs->messages[0].contains("options.txt") && m_dialogs->messages[0].contains("U+03A9"),
             qPrintable(m_dialogs->messages[0]));
    QVERIFY(m_dialogs->messages[1].contains("«/»"));
}

void TestDesigner::optionEditsRefuseWhatTheFileCannotHold()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    Find<QLineEdit>(&f, "LeftEd")->clear();
    QTest::keyClicks(Find<QLineEdit>(&f, "LeftEd"), "1/2");
    QCOMPARE(Find<QLineEdit>(&f, "LeftEd")->text(), QStringLiteral("12"));
    QVERIFY(Find<QLineEdit>(&f, "LeftEd")->property("rejection").toString().contains("«/»"));
    Find<QLineEdit>(&f, "BAEdit")->clear();
    Type(Find<QLineEdit>(&f, "BAEdit"), QStringLiteral("د.إ€٥1234567890"));
    QCOMPARE(Find<QLineEdit>(&f, "BAEdit")->text(), QStringLiteral("د.إ€12345")); // no U+0665; at most 9
    QVERIFY(Find<QLineEdit>(&f, "BAEdit")->property("rejection").toString().contains("options.txt"));
    QCOMPARE(f.Layout().BAText, QStringLiteral("د.إ€12345"));
}

void TestDesigner::addBankKeepsChangesInTheNewLine()
{
    TChequeForm &f = *m_form;
    f.Book.Banks = {"SIB", "ADCB"};
    f.Book.Options = {OptionLine(InitialLayout()), OptionLine(Shifted(7))};
    f.SelectBank(1);
    f.BankNameCBChange();
    QCOMPARE(f.Layout().Fields[0].Left, InitialLayout().Fields[0].Left + 7);

    f.ChangeBtnClick();
    Drag(Find<ChequeFieldEdit>(&f, "ChequeEdit1"), Find<ChequeFieldEdit>(&f, "ChequeEdit1")->geometry().center(),
         QPoint(10, 5));
    const ChequeLayout changed = f.Layout();
    m_dialogs->textAnswers.enqueue(QStringLiteral("بنك دبي"));
    QTest::mouseClick(Find<QToolButton>(&f, "NewBtn"), Qt::LeftButton);

    QCOMPARE(m_dialogs->questions, QStringList{"Bank Name"});
    QCOMPARE(f.Book.Banks, (QStringList{"SIB", "ADCB", "بنك دبي"}));
    QCOMPARE(Find<QComboBox>(&f, "BankNameCB")->currentIndex(), 2);
    QCOMPARE(Find<QComboBox>(&f, "BankNameCB")->currentText(), QStringLiteral("بنك دبي"));
    QCOMPARE(f.Book.Options.size(), 3);
    QCOMPARE(f.Book.Options[2], OptionLine(changed));
    QCOMPARE(f.Book.Options[1], OptionLine(Shifted(7)));
    QCOMPARE(m_issueList.last(), QStringLiteral("بنك دبي"));
    QVERIFY(!f.editing());
    QVERIFY(Find<QWidget>(&f, "SettingsArea")->isHidden());

    // Empty and repeated names are accepted as typed.
    m_dialogs->textAnswers.enqueue(QString());
    m_dialogs->textAnswers.enqueue(QStringLiteral("SIB"));
    f.NewBtnClick();
    f.NewBtnClick();
    QCOMPARE(f.Book.Banks, (QStringList{"SIB", "ADCB", "بنك دبي", "", "SIB"}));
    QCOMPARE(Find<QComboBox>(&f, "BankNameCB")->count(), 5);
}

void TestDesigner::addBankCancelledOrRefused()
{
    TChequeForm &f = *m_form;
    m_dialogs->textAnswers.enqueue(std::nullopt);
    m_dialogs->textAnswers.enqueue(QStringLiteral("Bank ٥"));
    f.NewBtnClick();
    f.NewBtnClick();
    QCOMPARE(f.Book.Banks, QStringList{"SIB"});
    QVERIFY(m_issueList.isEmpty());
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains("banks.txt") && m_dialogs->messages[0].contains("U+0665"),
             qPrintable(m_dialogs->messages[0]));
}

void TestDesigner::deleteBank()
{
    TChequeForm &f = *m_form;
    f.Book.Banks = {"A", "B", "C"};
    f.Book.Options = {OptionLine(Shifted(1)), OptionLine(Shifted(2)), OptionLine(Shifted(3))};
    f.ShowBanks();
    f.SelectBank(1);
    f.BankNameCBChange();
    f.ChangeBtnClick();

    m_dialogs->yesNoAnswers.enqueue(false);
    QTest::mouseClick(Find<QToolButton>(&f, "SpeedButton7"), Qt::LeftButton);
    QCOMPARE(m_dialogs->questions.size(), 1);
    QVERIFY2(m_dialogs->questions[0].startsWith("Delete حذف \"B\"?"), qPrintable(m_dialogs->questions[0]));
    QCOMPARE(m_dialogs->questionDefaults, QList<Dialogs::Default>{Dialogs::Default::No});
    QCOMPARE(f.Book.Banks.size(), 3);
    QVERIFY(f.editing());

    m_dialogs->yesNoAnswers.enqueue(true);
    f.SpeedButton7Click();
    QCOMPARE(f.Book.Banks, (QStringList{"A", "C"}));
    QCOMPARE(f.Book.Options, (QStringList{OptionLine(Shifted(1)), OptionLine(Shifted(3))}));
    QCOMPARE(Find<QComboBox>(&f, "BankNameCB")->count(), 2);
    QCOMPARE(Find<QComboBox>(&f, "BankNameCB")->currentIndex(), -1);
    QCOMPARE(m_issueList, (QStringList{"A", "C"}));
    QVERIFY(!f.editing());
    // The layout on screen stays until another bank is chosen.
    QCOMPARE(f.Layout(), Shifted(2));
}

void TestDesigner::closingTheListRestoresTheStoredLayout()
{
    TChequeForm &f = *m_form;
    f.Book.Options = {OptionLine(Shifted(4))};
    f.BankNameCBChange();
    f.ChangeBtnClick();
    Find<ChequeFieldEdit>(&f, "ChequeEdit3")->setGeometry(1, 2, 3, 4);
    Find<QLineEdit>(&f, "BAEdit")->setText("$");
    QVERIFY(f.Layout() != Shifted(4));
    Find<QComboBox>(&f, "BankNameCB")->showPopup();
    Find<QComboBox>(&f, "BankNameCB")->hidePopup();
    QCOMPARE(f.Layout(), Shifted(4));
    QVERIFY(f.editing()); // a bank change keeps the editing state
}

void TestDesigner::choosingABankLoadsItsLine()
{
    TChequeForm &f = *m_form;
    f.Book.Banks = {"A", "B"};
    f.Book.Options = {OptionLine(Shifted(1)), OptionLine(Shifted(9))};
    f.ShowBanks();
    Find<QComboBox>(&f, "BankNameCB")->setCurrentIndex(1);
    QCOMPARE(f.Book.Selected, 1);
    QCOMPARE(f.Layout(), Shifted(9));
    Find<QComboBox>(&f, "BankNameCB")->setCurrentIndex(0);
    QCOMPARE(f.Layout(), Shifted(1));
}

void TestDesigner::damagedLineIsRepairedSilently()
{
    TChequeForm &f = *m_form;
    f.Book.Banks = {"A", "B"};
    f.Book.Options = {OptionLine(Shifted(1)), "3x"};
    f.ShowBanks();
    f.BankNameCBChange();
    f.ChangeBtnClick();
    Find<QComboBox>(&f, "BankNameCB")->setCurrentIndex(1);
    // The line is replaced by the layout on screen, with what was read of
    // the damaged line (the labels count) applied.
    ChequeLayout expected = Shifted(1);
    expected.LabelsCount = 3;
    expected.applyLabelsCount(3);
    QCOMPARE(f.Layout(), expected);
    QCOMPARE(f.Book.Options[1], OptionLine(expected));
    QVERIFY(Find<QFrame>(&f, "EPanel4")->isHidden());
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(!f.editing());
}

void TestDesigner::moneyOpensWithoutBlocking()
{
    CurrencyRecord currency;
    TMoneyForm money(currency);
    money.setDataDir(m_dir.path() + "/");
    m_form->setMoneyForm(&money);
    m_form->ChangeBtnClick();
    QTest::mouseClick(Find<QPushButton>(m_form, "Money"), Qt::LeftButton);
    QVERIFY(money.isVisible());
    QVERIFY(!money.isModal());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    money.hide();
}

void TestDesigner::printTestRendersTheFields()
{
    TPrintChequeForm print;
    const QString pdf = m_dir.filePath("test.pdf");
    print.printer().setOutputFormat(QPrinter::PdfFormat);
    print.printer().setOutputFileName(pdf);
    TChequeForm &f = *m_form;
    f.setPrintForm(&print);
    f.ChangeBtnClick();
    ChequeLayout l = InitialLayout();
    l.LeftMm = "12";
    l.TopMm = "5";
    l.Fields[1].Right = true;
    l.Fields[3].Right = false;
    l.Fields[0].Left = 192;
    l.Fields[0].Top = 40;
    l.Fields[0].Width = 300;
    l.Fields[0].FontName = "Liberation Sans";
    f.ShowLayout(l);
    Find<ChequeFieldEdit>(&f, "ChequeEdit1")->setText("TYPED");
    Find<QSpinBox>(&f, "SpinEdit1")->setValue(3);
    QTest::mouseClick(Find<QPushButton>(&f, "PrintBtn"), Qt::LeftButton);

    // Field 4 took field 2's direction in the designer too.
    QVERIFY(Find<QCheckBox>(&f, "RightChk4")->isChecked());
    QCOMPARE(Find<ChequeFieldEdit>(&f, "ChequeEdit4")->layoutDirection(), Qt::RightToLeft);
    QVERIFY(print.lastPage().labels[3].rightToLeft);
    QVERIFY(!print.lastPage().labels[3].visible);
    QCOMPARE(print.lastPage().leftMargin, 120);

    QCOMPARE(PageSize(pdf), QStringLiteral("684 x 297"));
    QStringList texts;
    for (const Word &w : WordsOf(pdf)) {
        texts << w.text;
        if (w.text == "TYPED") {
            QVERIFY2(qAbs(w.xMin - (50.8 + 12)) < 0.2, qPrintable(QString::number(w.xMin)));
            QVERIFY(w.yMin > 10.58 + 5 && w.yMin < 10.58 + 5 + 17 * 25.4 / 96);
        }
    }
    QVERIFY2(texts.contains("TYPED"), qPrintable(texts.join(' ')));
    QVERIFY(texts.contains("#5000#"));
    QVERIFY(!texts.contains("Only")); // the hidden fields 4 and 5 leave nothing
}

namespace {

// The ink of an image inside `box` (its own pixels), as a rectangle; empty
// when there is none. `skip` pixels along the box's edges are left out (the
// designer draws the box's outline there).
QRect InkIn(const QImage &image, const QRect &box, int skip = 0)
{
    QRect ink;
    const QRect inside = box.adjusted(skip, skip, -skip, -skip) & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

void TestDesigner::screenShowsTheTextWherePaperGetsIt()
{
    TPrintChequeForm print;
    const QString pdf = m_dir.filePath("where.pdf");
    print.printer().setOutputFormat(QPrinter::PdfFormat);
    print.printer().setOutputFileName(pdf);
    TChequeForm &f = *m_form;
    f.setPrintForm(&print);
    ChequeLayout l = InitialLayout();
    // A payee long enough to wrap once, in a box two lines high.
    l.Fields[1].Text = "Dorvan Eskel Trading and General Contracting Company of the Emirates LLC";
    l.Fields[1].Width = 300;
    l.Fields[1].Height = 40;  // down to field 4
    l.Fields[1].Right = true; // and field 4 with it: right-to-left boxes both
    l.Fields[3].Text = "// خمسة آلاف درهم فقط  //";
    f.ShowLayout(l);
    f.ChangeBtnClick();
    f.PrintBtnClick(); // field 4 takes field 2's direction, on paper and on screen
    QCoreApplication::processEvents();
    const QImage screen = Find<QWidget>(&f, "ChequeArea")->grab().toImage();
    QProcess render;
    render.start("pdftoppm", {"-r", "96", "-gray", "-singlefile", "-png", pdf, m_dir.filePath("where")});
    QVERIFY(render.waitForFinished(30000));
    const QImage paper(m_dir.filePath("where.png"));
    QVERIFY(!paper.isNull());
    // The paper at the screen's resolution: both are then smoothed alike.
    constexpr double mmPerPx = 25.4 / 96;
    for (int n : {1, 2, 3}) { // payee, amount, Arabic words
        const ChequeField &field = l.Fields[std::size_t(n)];
        const QRect box(field.Left, field.Top, field.Width, field.Height);
        const QRect onScreen = InkIn(screen, box, 1);
        const QRect onPaper = InkIn(paper, box);
        QVERIFY2(!onScreen.isEmpty() && !onPaper.isEmpty(), qPrintable(QString::number(n)));
        const double dx =
            (field.Right ? onScreen.right() - onPaper.right() : onScreen.left() - onPaper.left()) * mmPerPx;
        const double dy = (onScreen.top() - onPaper.top()) * mmPerPx;
        const double dh = (onScreen.height() - onPaper.height()) * mmPerPx;
        QVERIFY2(std::abs(dx) <= 0.3 && std::abs(dy) <= 0.3 && std::abs(dh) <= 0.3,
                 qPrintable(QString("field %1: on screen %2 mm right, %3 mm down, %4 mm taller than on paper")
                                .arg(n + 1)
                                .arg(dx)
                                .arg(dy)
                                .arg(dh)));
    }
}

void TestDesigner::lockedFieldsKeepTheirLook()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    Find<ChequeFieldEdit>(&f, "ChequeEdit2")->setFocus();
    Find<ChequeFieldEdit>(&f, "ChequeEdit3")->setFocus(); // field 2 left: every field is painted white
    const QColor unlocked = Find<ChequeFieldEdit>(&f, "ChequeEdit1")->palette().color(QPalette::Base);
    QCOMPARE(unlocked, QColor(255, 255, 255));
    f.SaveBtnClick(); // locks
    QVERIFY(!Find<ChequeFieldEdit>(&f, "ChequeEdit1")->isEnabled());
    const QColor locked = Find<ChequeFieldEdit>(&f, "ChequeEdit1")->palette().color(QPalette::Base);
    QCOMPARE(locked, f.palette().color(QPalette::Disabled, QPalette::Base));
    QVERIFY(locked != unlocked);
    const QImage shown = Find<ChequeFieldEdit>(&f, "ChequeEdit1")->grab().toImage();
    QCOMPARE(QColor(shown.pixel(shown.width() / 2, shown.height() - 3)), locked);
}

void TestDesigner::deleteQuestionDefaultsToNo()
{
    TChequeForm &f = *m_form;
    f.Book.Banks = {"A", "<b>B</b>"};
    f.Book.Options = {OptionLine(Shifted(1)), OptionLine(Shifted(2))};
    f.ShowBanks();
    f.SelectBank(1);
    f.ChangeBtnClick();
    setDialogs(nullptr); // Qt's own question: Enter there must keep the bank
    WhenModal<QMessageBox>([](QMessageBox *box) {
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QVERIFY(box->text().contains("\"<b>B</b>\""));
        QTest::keyClick(box, Qt::Key_Return);
    });
    f.SpeedButton7Click();
    setDialogs(m_dialogs);
    QCOMPARE(f.Book.Banks, (QStringList{"A", "<b>B</b>"}));
}

void TestDesigner::printTestWithoutAPrinterSaysWhatToDo()
{
    TPrintChequeForm print;
    print.printer().setOutputFormat(QPrinter::PdfFormat);
    print.printer().setOutputFileName(m_dir.filePath("missing/test.pdf"));
    m_form->setPrintForm(&print);
    m_form->PrintBtnClick();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].contains("missing/test.pdf") && m_dialogs->messages[0].contains("main window")
                 && !m_dialogs->messages[0].contains("in the print dialog."),
             qPrintable(m_dialogs->messages[0]));
}

QTEST_MAIN(TestDesigner)
void TestDesigner::shiftArrowsMoveByWholeMillimetres()
{
    TChequeForm &f = *m_form;
    f.ChangeBtnClick();
    const QRectF start(22.0, 10.0, 40.0, 8.0);
    f.placeField(1, start);
    auto *edit = Find<ChequeFieldEdit>(&f, "ChequeEdit1");
    edit->setFocus();
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(edit, Qt::Key_Down, Qt::ShiftModifier);
    // Ten presses: ten millimetres, at the nearest pixel (1 px = 25.4 / 96 mm).
    constexpr double halfPixel = 25.4 / 96 / 2;
    QVERIFY2(std::abs(f.fieldMm(1).left() - 32.0) <= halfPixel, qPrintable(QString::number(f.fieldMm(1).left())));
    QVERIFY2(std::abs(f.fieldMm(1).top() - 13.0) <= halfPixel, qPrintable(QString::number(f.fieldMm(1).top())));
}

void TestDesigner::printerOffsetsWithoutAPrinterSaySo()
{
    // No printer is installed (the tests' print server answers nobody).
    TPrintChequeForm print;
    m_form->setPrintForm(&print);
    bool shown = false;
    WhenModal<QDialog>([&](QDialog *dialog) {
        shown = true;
        QVERIFY(Find<QLabel>(dialog, "NoPrinterLB")->isVisible());
        QVERIFY(!Find<QComboBox>(dialog, "PrinterCB")->isEnabled());
        dialog->reject();
    });
    m_form->editPrinterOffsets();
    QVERIFY(shown);
}

#include "tst_designer.moc"
