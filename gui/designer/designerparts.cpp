// SPDX-License-Identifier: GPL-3.0-or-later
// The designer's controls, made and connected.
#include "gui/designer/chequeU.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QToolTip>

#include "gui/designer/designerdetail.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/widgets.h"

using namespace DesignerDetail;

void TChequeForm::buildTopStrip(QWidget *column)
{
    auto *strip = new QWidget(column);
    strip->setGeometry(1, 0, 320, TopStripHeight);
    Caption(tr("Bank"), strip, 11,
            0); // not -1: the strip's edge would cut the letters' tops
    BankNameCB = new BankComboBox(strip);
    BankNameCB->setObjectName(QStringLiteral("BankNameCB"));
    BankNameCB->setEditable(false);
    BankNameCB->setGeometry(8, 21, 79, 23);
    ChangeBtn = new QPushButton(tr("Change"), strip);
    ChangeBtn->setObjectName(QStringLiteral("ChangeBtn"));
    ChangeBtn->setGeometry(90, 19, 70, 25);
    PrintBtn = new QPushButton(tr("Print Test"), strip);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setGeometry(171, 19, 70, 25);
    PrintBtn->setProperty("captionGrowsFrom", 70); // a longer caption widens it rather than shrinks

    connect(BankNameCB, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!settleChanges(this)) {
            SelectBank(Book.Selected); // the layout on screen stays, with its changes
            return;
        }
        Book.Selected = index;
        BankNameCBChange();
    });
    BankNameCB->setBeforePopup([this] { return settleChanges(this); });
    connect(BankNameCB, &BankComboBox::closedUp, this, [this] { BankNameCBCloseUp(); });
    connect(ChangeBtn, &QPushButton::clicked, this, [this] { ChangeBtnClick(); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
}

void TChequeForm::buildOptionsPanel()
{
    OptionsPanel = new QFrame(SettingsArea);
    OptionsPanel->setObjectName(QStringLiteral("OptionsPanel"));
    OptionsPanel->setFrameShape(QFrame::StyledPanel);
    OptionsPanel->setGeometry(0, 0, 318, OptionsPanelHeight);
    OptionsPanel->setFont(ArialBold(11));
    QWidget *p = OptionsPanel;

    NewBtn = new QToolButton(p);
    NewBtn->setObjectName(QStringLiteral("NewBtn"));
    NewBtn->setText(QStringLiteral("+"));
    NewBtn->setToolTip(tr("Add"));
    NewBtn->setGeometry(8, 0, 23, 22);
    NewBtn->setFont(ArialBold(19));
    SpeedButton7 = new QToolButton(p);
    SpeedButton7->setObjectName(QStringLiteral("SpeedButton7"));
    SpeedButton7->setText(QStringLiteral("-"));
    SpeedButton7->setToolTip(tr("Del"));
    SpeedButton7->setGeometry(32, 0, 23, 22);
    SpeedButton7->setFont(ArialBold(19));
    Money = new QPushButton(tr("Money"), p);
    Money->setObjectName(QStringLiteral("Money"));
    Money->setGeometry(96, 6, 75, 21);
    SaveBtn = new QPushButton(tr("Save Options"), p);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setGeometry(197, 3, 93, 23);

    Caption(tr("Labels Count"), p, 4, 57);
    SpinEdit1 = new QSpinBox(p);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, FieldCount);
    SpinEdit1->setValue(FieldCount);
    SpinEdit1->setGeometry(84, 57, 41, 23);
    Caption(tr("B/A Ammount"), p, 157, 57);
    BAEdit = new QLineEdit(QStringLiteral("#"), p);
    BAEdit->setObjectName(QStringLiteral("BAEdit"));
    BAEdit->setMaxLength(MaxBATextChars);
    BAEdit->setGeometry(241, 57, 50, 22);
    RestrictToCp1256(BAEdit, OptionsFile());

    Caption(tr("Left"), p, 4, 87);
    LeftEd = new QLineEdit(QStringLiteral("0"), p);
    LeftEd->setObjectName(QStringLiteral("LeftEd"));
    LeftEd->setGeometry(32, 85, 33, 22);
    Caption(tr("mm"), p, 65, 87);
    Caption(tr("Top"), p, 96, 87);
    TopEd = new QLineEdit(QStringLiteral("0"), p);
    TopEd->setObjectName(QStringLiteral("TopEd"));
    TopEd->setGeometry(123, 85, 33, 22);
    Caption(tr("mm"), p, 156, 87);
    // The offsets are items of the option line, which "/" ends.
    for (QLineEdit *edit : {LeftEd, TopEd})
        RestrictToCp1256(edit, OptionsFile(), ItemEnd);

    PortialChk = new QCheckBox(tr("Portial"), p);
    PortialChk->setObjectName(QStringLiteral("PortialChk"));
    PortialChk->setGeometry(200, 85, 57, 17);
    PortialChk->setProperty("captionGrowsFrom", 57); // longer captions widen it rather than shrink
    previewChk = new QCheckBox(tr("preview"), p);
    previewChk->setObjectName(QStringLiteral("previewChk"));
    previewChk->setGeometry(12, 111, 63, 17);
    OnlyFirstChk = new QCheckBox(tr("Only First"), p);
    OnlyFirstChk->setObjectName(QStringLiteral("OnlyFirstChk"));
    OnlyFirstChk->setGeometry(104, 109, 84, 17);
    OnlyFirstChk->setProperty("captionGrowsFrom", 84);

    connect(NewBtn, &QToolButton::clicked, this, [this] { NewBtnClick(); });
    connect(SpeedButton7, &QToolButton::clicked, this, [this] { SpeedButton7Click(); });
    connect(Money, &QPushButton::clicked, this, [this] { MoneyClick(); });
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this](int value) {
        SpinEdit1Change(value);
        record(tr("Labels count"));
    });
    // What is typed is the layout's at once; a change of it is one step to undo.
    connect(BAEdit, &QLineEdit::textChanged, this, [this](const QString &text) { m_doc.setBAText(text); });
    for (QLineEdit *offset : {LeftEd, TopEd})
        connect(offset, &QLineEdit::textChanged, this, [this] { m_doc.setOffsets(LeftEd->text(), TopEd->text()); });
    connect(PortialChk, &QCheckBox::toggled, this, [this](bool on) { m_doc.setPortrait(on); });
    connect(BAEdit, &QLineEdit::editingFinished, this, [this] { record(tr("B/A text")); });
    connect(LeftEd, &QLineEdit::editingFinished, this, [this] { record(tr("Left margin")); });
    connect(TopEd, &QLineEdit::editingFinished, this, [this] { record(tr("Top margin")); });
    connect(PortialChk, &QCheckBox::toggled, this, [this] { record(tr("Orientation")); });
}

void TChequeForm::buildFieldPanel(int i)
{
    auto *panel = new QFrame(SettingsArea);
    panel->setObjectName(QStringLiteral("EPanel%1").arg(i + 1));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFont(ArialBold(11));
    panel->setAutoFillBackground(true);
    panel->resize(318, FieldPanelHeight);
    EPanel[std::size_t(i)] = panel;

    Caption(QString::number(i + 1), panel, 8, 0);
    auto *right = new QCheckBox(tr("Right"), panel);
    right->setObjectName(QStringLiteral("RightChk%1").arg(i + 1));
    right->setGeometry(25, 4, 57, 17);
    right->setToolTip(tr("The field's text set against the right of its box"));
    RightChk[std::size_t(i)] = right;
    auto *fontBtn = new QPushButton(tr("Font"), panel);
    fontBtn->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
    fontBtn->setGeometry(25, 22, 40, 25);
    SpeedButton[std::size_t(i)] = fontBtn;
    QStringList kinds;
    for (int k = 0; k < FieldKindCount; ++k)
        kinds << tr(KindCaption(FieldKind(k)).toUtf8().constData());
    auto *group = new RadioGroup(QString(), kinds, 2, panel);
    group->setObjectName(QStringLiteral("KindRG%1").arg(i + 1));
    group->setGeometry(82, -4, 230, 72);
    KindRG[std::size_t(i)] = group;

    connect(right, &QCheckBox::toggled, this, [this, i] {
        RightChkClick(i + 1);
        record(tr("Direction of field %1").arg(i + 1));
    });
    connect(fontBtn, &QPushButton::clicked, this, [this, i] {
        SpeedButtonClick(i + 1);
        record(tr("Font of field %1").arg(i + 1));
    });
    connect(group, &RadioGroup::itemChanged, this, [this, i](int kind) {
        if (kind >= 0)
            m_doc.setFieldKind(i, FieldKind(kind));
    });
    connect(group, &RadioGroup::clicked, this, [this, i] {
        KindRGClick(i + 1);
        record(tr("Kind of field %1").arg(i + 1));
    });
}

void TChequeForm::buildField(int i)
{
    auto *edit = new ChequeFieldEdit(ChequeArea);
    edit->setObjectName(QStringLiteral("ChequeEdit%1").arg(i + 1));
    edit->setMouseTracking(true);
    edit->setCursor(Qt::DragMoveCursor);

    ChequeEdit[std::size_t(i)] = edit;
    connect(edit, &ChequeFieldEdit::textChanged, this, [this, i](const QString &text) { m_doc.setFieldText(i, text); });
    connect(edit, &ChequeFieldEdit::entered, this, [this, i] { ChequeEdit1Enter(i + 1); });
    connect(edit, &ChequeFieldEdit::left, this, [this, i] { ChequeEdit1Exit(i + 1); });
    connect(edit, &ChequeFieldEdit::mousePressed, this,
            [this, i](QMouseEvent *e) { ChequeEdit1MouseDown(i + 1, e->button(), e->position().toPoint()); });
    connect(edit, &ChequeFieldEdit::mouseMoved, this, [this, i](QMouseEvent *e) {
        ChequeEdit1MouseMove(i + 1, e->buttons(), e->modifiers(), e->position().toPoint());
    });
    connect(edit, &ChequeFieldEdit::mouseReleased, this, [this, i] {
        record((m_zone == DragZone::Body ? tr("Move field %1") : tr("Size field %1")).arg(i + 1));
        QToolTip::hideText();
    });
    connect(edit, &ChequeFieldEdit::nudged, this,
            [this, i](int dx, int dy, bool mm) { nudgeField(i + 1, dx, dy, mm); });
}

void TChequeForm::buildMenus()
{
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    QMenu *edit = MenuBar->addMenu(tr("&Edit"));
    QAction *undo = m_undo.createUndoAction(this, tr("&Undo"));
    undo->setObjectName(QStringLiteral("UndoAction"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_undo.createRedoAction(this, tr("&Redo"));
    redo->setObjectName(QStringLiteral("RedoAction"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(undo);
    edit->addAction(redo);
    QMenu *scan = MenuBar->addMenu(tr("&Scan"));
    connect(scan->addAction(tr("&Choose Scanned Cheque…")), &QAction::triggered, this, &TChequeForm::chooseScan);
    connect(scan->addAction(tr("&Place and Opacity…")), &QAction::triggered, this, [this] {
        const auto kept = scanSettings();
        if (!kept)
            return;
        const auto typed = dialogs().askText(
            this, DesignerTitle(),
            tr("Where the scan's top-left corner lies from the cheque area's origin (left and top in mm), "
               "and its opacity in per cent:"),
            ScanPlaceText(*kept));
        if (!typed)
            return;
        ScanSettings placed = *kept;
        if (!ReadScanPlace(*typed, placed)) {
            dialogs().showMessage(this, DesignerTitle(),
                                  tr("Give three numbers: left and top in mm, and the opacity from 0 to 100."));
            return;
        }
        setScanPlace(placed.leftMm, placed.topMm, placed.opacity);
    });
    connect(scan->addAction(tr("&Remove Scan")), &QAction::triggered, this, &TChequeForm::removeScan);
    QMenu *printer = MenuBar->addMenu(tr("&Printer"));
    connect(printer->addAction(tr("Print &Calibration Page…")), &QAction::triggered, this,
            &TChequeForm::PrintCalibration);
    connect(printer->addAction(tr("Printer &Offsets…")), &QAction::triggered, this, &TChequeForm::editPrinterOffsets);
}

void TChequeForm::buildPositionBar()
{
    PositionBar = new QWidget(this);
    PositionBar->setObjectName(QStringLiteral("PositionBar"));
    PositionBar->setFont(ArialBold(11));
    auto *row = new QHBoxLayout(PositionBar);
    row->setContentsMargins(6, 2, 6, 2);
    const char *names[] = {"LeftMmEd", "TopMmEd", "WidthMmEd", "HeightMmEd"};
    const char *captions[] = {QT_TRANSLATE_NOOP("TChequeForm", "Left"), QT_TRANSLATE_NOOP("TChequeForm", "Top"),
                              QT_TRANSLATE_NOOP("TChequeForm", "Width"), QT_TRANSLATE_NOOP("TChequeForm", "Height")};
    for (int i = 0; i < 4; ++i) {
        row->addWidget(PlainLabel(tr(captions[i]), PositionBar));
        auto *box = new QDoubleSpinBox(PositionBar);
        box->setObjectName(QString::fromLatin1(names[i]));
        box->setRange(i < 2 ? -300 : 0.3, 400);
        box->setDecimals(1);
        box->setSingleStep(0.1);
        box->setSuffix(tr(" mm"));
        box->setKeyboardTracking(false);
        row->addWidget(box);
        PosEd[std::size_t(i)] = box;
        connect(box, &QDoubleSpinBox::editingFinished, this, [this] {
            if (m_focused >= 0)
                placeField(m_focused + 1,
                           QRectF(PosEd[0]->value(), PosEd[1]->value(), PosEd[2]->value(), PosEd[3]->value()));
        });
    }
    PixelLB = PlainLabel(QString(), PositionBar);
    PixelLB->setObjectName(QStringLiteral("PixelLB"));
    row->addWidget(PixelLB);
    // What would keep the layout's page from printing, told while a field
    // is moved: the whole sentence in its tooltip.
    PageLB = PlainLabel(QString(), PositionBar);
    PageLB->setObjectName(QStringLiteral("PageLB"));
    QPalette warning = PageLB->palette();
    warning.setColor(QPalette::WindowText, Qt::red);
    PageLB->setPalette(warning);
    row->addWidget(PageLB);
    row->addStretch(1);
    ScanLB = PlainLabel(QString(), PositionBar);
    ScanLB->setObjectName(QStringLiteral("ScanLB"));
    QPalette quiet = ScanLB->palette();
    quiet.setColor(QPalette::WindowText, Qt::darkGray);
    ScanLB->setPalette(quiet);
    row->addWidget(ScanLB);
    PositionBar->setEnabled(false);
}
