// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/designer/chequeU.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QToolTip>

#include "core/datafile.h"
#include "gui/currency/monyU.h"
#include "gui/printer/PrintChequeU.h"
#include "gui/printer/printeroffsetsdialog.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/widgets.h"
#include "output/chequepage.h"

namespace {

constexpr int ColumnWidth = 322;
constexpr int TopStripHeight = 47;
constexpr int OptionsPanelHeight = 132;
constexpr int FieldPanelHeight = 62;
const QColor FocusColor(255, 255, 0);
const QColor ClearColor(255, 255, 255);

QFont ArialBold(int pixels) { return PixelFont(QStringLiteral("Arial"), pixels, true); }

QString OptionsFile() { return QString::fromLatin1(OptionsFileName); }

/// The sign that ends an item of an option line.
const QString ItemEnd = QStringLiteral("/");

QString DesignerTitle() { return QCoreApplication::translate("TChequeForm", "ChequeForm"); }

} // namespace

/// The scan under the fields: drawn once at the designer's scale, so that
/// a drag repaints only a picture.
class ScanBackdrop : public QWidget
{
public:
    explicit ScanBackdrop(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName(QStringLiteral("ScanBackdrop"));
        hide();
    }
    void setImage(QImage image)
    {
        m_image = std::move(image);
        setVisible(!m_image.isNull());
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.drawImage(event->rect(), m_image, event->rect());
    }

private:
    QImage m_image;
};

/// A change of the layout on screen, undone and redone as whole layouts.
class LayoutCommand : public QUndoCommand
{
public:
    LayoutCommand(TChequeForm *form, ChequeLayout before, ChequeLayout after, const QString &what, int merge)
        : QUndoCommand(what)
        , m_form(form)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_merge(merge)
    {}
    void undo() override { m_form->applyLayout(m_before); }
    void redo() override
    {
        if (m_first) { // pushed after the change was made on screen
            m_first = false;
            return;
        }
        m_form->applyLayout(m_after);
    }
    int id() const override { return m_merge; }
    bool mergeWith(const QUndoCommand *other) override
    {
        m_after = static_cast<const LayoutCommand *>(other)->m_after;
        return true;
    }

private:
    TChequeForm *m_form;
    ChequeLayout m_before, m_after;
    int m_merge;
    bool m_first = true;
};

TChequeForm::TChequeForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ChequeForm"));
    setWindowTitle(DesignerTitle());
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    font.setBold(true);
    setFont(font);
    resize(1052, 537);

    ChequeArea = new QWidget(this);
    ChequeArea->setObjectName(QStringLiteral("ChequeArea"));
    m_column = new QWidget(this);
    buildTopStrip(m_column);
    SettingsArea = new QWidget(m_column);
    SettingsArea->setObjectName(QStringLiteral("SettingsArea"));
    buildOptionsPanel();
    for (int i = 0; i < FieldCount; ++i) {
        buildFieldPanel(i);
        buildField(i);
    }
    m_scan = new ScanBackdrop(ChequeArea);
    m_scan->lower();
    buildMenus();
    buildPositionBar();
    // The menu and the position bar sit above the cheque area, which keeps
    // its size; the window grows by their height.
    resize(width(), height() + topBarHeight());
    resizeEvent(nullptr);

    Book.Banks = QStringList{QStringLiteral("SIB")};
    Book.Selected = 0;
    connect(&Book, &BankBook::saved, this, [this] { SetEditing(false); });
    ShowBanks();
    ShowLayout(InitialLayout());
    SetEditing(false);
    OnFirstShow(this, [this] {
        FitCaptions(this);
        // In Arabic the settings mirror within their panels; the cheque
        // area, a picture of the cheque, does not.
        for (QWidget *panel : m_column->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (panel != SettingsArea)
                MirrorForRightToLeft(panel, panel->width());
        MirrorForRightToLeft(OptionsPanel, OptionsPanel->width());
        for (QFrame *panel : EPanel)
            MirrorForRightToLeft(panel, panel->width());
    });
}

TChequeForm::~TChequeForm()
{
    // The children report focus and popups while they are torn down.
}

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

int TChequeForm::topBarHeight() const { return MenuBar->sizeHint().height() + PositionBar->sizeHint().height(); }

void TChequeForm::resizeEvent(QResizeEvent *)
{
    const int menu = MenuBar->sizeHint().height();
    const int top = topBarHeight();
    MenuBar->setGeometry(0, 0, width(), menu);
    PositionBar->setGeometry(0, menu, width(), top - menu);
    const int columnLeft = std::max(0, width() - ColumnWidth);
    const int below = std::max(0, height() - top);
    m_column->setGeometry(columnLeft, top, ColumnWidth, below);
    SettingsArea->setGeometry(0, TopStripHeight, ColumnWidth, std::max(0, below - TopStripHeight));
    ChequeArea->setGeometry(0, top, columnLeft, below);
}

void TChequeForm::closeEvent(QCloseEvent *event)
{
    if (!settleChanges(this)) {
        event->ignore();
        return;
    }
    event->accept();
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

void TChequeForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        SetEditing(false); // FormShow
}

bool TChequeForm::onlyFirst() const { return OnlyFirstChk->isChecked(); }
bool TChequeForm::preview() const { return previewChk->isChecked(); }
void TChequeForm::setPreview(bool on) { previewChk->setChecked(on); }

void TChequeForm::SetEditing(bool on)
{
    m_editing = on;
    SettingsArea->setVisible(on);
    for (ChequeFieldEdit *edit : ChequeEdit)
        edit->setEnabled(on);
    PositionBar->setEnabled(on && m_focused >= 0);
}

void ShowBankList(QComboBox *choice, const BankBook &book)
{
    const QSignalBlocker block(choice);
    choice->clear();
    choice->addItems(book.Banks);
    choice->setCurrentIndex(book.hasSelection() ? book.Selected : -1);
}

void TChequeForm::ShowBanks() { ShowBankList(BankNameCB, Book); }

void TChequeForm::SelectBank(int i)
{
    Book.Selected = i;
    const QSignalBlocker block(BankNameCB);
    BankNameCB->setCurrentIndex(Book.hasSelection() ? i : -1);
}

ChequeLayout TChequeForm::Layout() const { return m_doc.layout(); }

void TChequeForm::ShowLayout(const ChequeLayout &layout)
{
    m_doc.set(layout);
    {
        const QSignalBlocker block(SpinEdit1);
        SpinEdit1->setValue(std::clamp(layout.LabelsCount, 1, FieldCount));
    }
    BAEdit->setText(layout.BAText);
    LeftEd->setText(layout.LeftMm);
    TopEd->setText(layout.TopMm);
    PortialChk->setChecked(layout.Portial);
    for (int i = 0; i < FieldCount; ++i) {
        const auto n = std::size_t(i);
        const ChequeField &f = layout.Fields[n];
        ChequeFieldEdit *edit = ChequeEdit[n];
        {
            const QSignalBlocker block(RightChk[n]);
            RightChk[n]->setChecked(f.Right);
        }
        setFieldDirection(i, f.Right);
        KindRG[n]->setItemIndex(int(f.Kind));
        ChequeField shownField = f;
        shownField.FontSize = std::min(f.FontSize, MaxFieldFontPoints); // the layout keeps its own
        edit->setFont(FieldFont(shownField));
        setFieldColor(i, f.FontColor);
        edit->setGeometry(f.Left, f.Top, f.Width, f.Height);
        edit->setText(f.Text);
        edit->setCursorPosition(0);
        edit->setHidden(!f.Visible);
        EPanel[n]->setHidden(i >= layout.LabelsCount);
    }
    stackPanels();
    m_known = Layout();
    showPosition();
}

void TChequeForm::SaveBtnClick()
{
    SaveChequeOptions();
    emit layoutSaved();
}

void TChequeForm::showCheque(const ChequeLayout &layout)
{
    m_applying = true;
    ShowLayout(layout);
    m_applying = false;
}

void TChequeForm::SaveChequeOptions()
{
    Book.SaveChequeOptions(Layout());
    m_undo.setClean();
}

void TChequeForm::LoadChequeOptions()
{
    ChequeLayout layout = Layout();
    try {
        Book.LoadChequeOptions(layout);
    } catch (...) {
        ShowLayout(layout); // what was read before the damage stays applied
        throw;
    }
    ShowLayout(layout);
}

void TChequeForm::BankNameCBChange()
{
    ChequeLayout layout = Layout();
    const int bank = Book.Selected;
    const auto damage = Book.LoadSelectedLayout(layout);
    ShowLayout(layout);
    m_undo.clear(); // another layout: its own changes from here
    loadScan();
    if (damage)
        emit layoutRepaired(bank, *damage);
}

void TChequeForm::PrintBtnClick(bool fromPrintRun)
{
    ChequeLayout layout = Layout();
    // Field 4 keeps field 2's direction; the rendering's doing, not the
    // user's, so not a change to save.
    ApplyPrintedDirections(layout);
    const ReportPage page = PageFromLayout(layout);
    showCheque(layout);
    if (m_printForm)
        m_printForm->Output(page, previewChk->isChecked(), this,
                            fromPrintRun ? TPrintChequeForm::Advice::ChooseInDialog
                                         : TPrintChequeForm::Advice::PrintFromMainWindow);
}

void TChequeForm::MoneyClick()
{
    if (!m_moneyForm)
        return;
    m_moneyForm->show();
    m_moneyForm->raise();
    m_moneyForm->activateWindow();
}

bool TChequeForm::storable(const QString &what, const QString &text, const QString &fileName, const QString &separator)
{
    const auto bad = RefusedCharacter(text, separator);
    if (!bad)
        return true;
    dialogs().showMessage(this, tr("Error"),
                          tr("%1 «%2» cannot be kept: it holds %3. %4")
                              .arg(what, text, DescribeCharacter(*bad), Cp1256RefusalText(fileName, separator)));
    return false;
}

void TChequeForm::NewBtnClick()
{
    const auto name = dialogs().askText(this, tr("Add"), tr("Bank Name"), QString());
    if (!name || !storable(tr("The bank name"), *name, QString::fromLatin1(BanksFileName)))
        return;
    Book.AddBank(*name);
    Book.Selected = int(Book.Banks.size()) - 1; // selected without loading
    ShowBanks();
    SaveChequeOptions();
}

void TChequeForm::SpeedButton7Click()
{
    // The bank by its name, and No for Enter: one key must not delete a bank.
    const QString name = Book.hasSelection() ? Book.Banks.at(Book.Selected) : QString();
    if (!dialogs().askYesNo(this, tr("Confirm"),
                            tr("Delete حذف \"%1\"?\n\nThe bank and its layout are removed.").arg(name),
                            Dialogs::Default::No))
        return;
    Book.DeleteBank(Book.Selected);
    ShowBanks();
    SaveChequeOptions();
    BankNameCBChange();
}

void TChequeForm::SpinEdit1Change(int count)
{
    m_doc.setCount(count);
    for (int i = 0; i < FieldCount; ++i) {
        ChequeEdit[std::size_t(i)]->hide();
        EPanel[std::size_t(i)]->hide();
    }
    for (int i = 0; i < FieldCount; ++i) {
        if (count > i) {
            ChequeEdit[std::size_t(i)]->show();
            EPanel[std::size_t(i)]->show();
        }
    }
    stackPanels();
}

void TChequeForm::stackPanels()
{
    int top = OptionsPanelHeight;
    for (QFrame *panel : EPanel) {
        if (panel->isHidden())
            continue;
        panel->move(0, top);
        top += FieldPanelHeight;
    }
}

ChequeFieldEdit *TChequeForm::focusedEdit(int fallback) const
{
    for (ChequeFieldEdit *edit : ChequeEdit)
        if (edit->hasFocus())
            return edit;
    return ChequeEdit[std::size_t(fallback - 1)];
}

void TChequeForm::setFieldDirection(int i, bool rightToLeft)
{
    ChequeEdit[std::size_t(i)]->setRightToLeft(rightToLeft);
}

void TChequeForm::setFieldColor(int i, std::int32_t stored)
{
    m_doc.setFieldColor(i, stored);
    ChequeFieldEdit *edit = ChequeEdit[std::size_t(i)];
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Text, FieldColor(stored));
    edit->setPalette(palette);
}

void TChequeForm::setFieldBackground(int i, const QColor &color)
{
    // Not for the disabled look: a locked field keeps it.
    ChequeFieldEdit *edit = ChequeEdit[std::size_t(i)];
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Active, QPalette::Base, color);
    palette.setColor(QPalette::Inactive, QPalette::Base, color);
    edit->setPalette(palette);
}

void TChequeForm::RightChkClick(int field)
{
    m_doc.setFieldRight(field - 1, RightChk[std::size_t(field - 1)]->isChecked());
    setFieldDirection(field - 1, RightChk[std::size_t(field - 1)]->isChecked());
}

void TChequeForm::SpeedButtonClick(int field)
{
    const auto n = std::size_t(field - 1);
    // The dialog lists the fonts installed; a stored family that is not one
    // of them (Times New Roman, drawn by a look-alike) opens on the font that
    // stands in for it, and stays as stored unless the user picks another.
    const QFont shown = ChequeEdit[n]->font();
    QFont initial = shown;
    initial.setFamily(QFontInfo(shown).family());
    const auto chosen = dialogs().askFont(this, initial);
    if (!chosen)
        return;
    const QString family = chosen->family() == initial.family() ? shown.family() : chosen->family();
    if (!storable(tr("The font name"), family, OptionsFile(), ItemEnd))
        return;
    // Every attribute set explicitly, so that none is taken from the window's font.
    QFont font(family);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(chosen->bold());
    font.setItalic(chosen->italic());
    font.setUnderline(chosen->underline());
    font.setStrikeOut(chosen->strikeOut());
    const int size = LayoutDocument::ChosenPoints(chosen->pointSize(), chosen->pixelSize());
    if (const auto refusal = LayoutDocument::FontRefusal(size)) {
        dialogs().showMessage(this, DesignerTitle(), *refusal);
        return;
    }
    font.setPointSize(size);
    m_doc.setFieldFont(int(n), family, size, font.bold(), font.italic(), font.underline(), font.strikeOut());
    ChequeEdit[n]->setFont(font);
}

void TChequeForm::KindRGClick(int field)
{
    const auto n = std::size_t(field - 1);
    const int kind = KindRG[n]->itemIndex();
    if (kind >= 0)
        ChequeEdit[n]->setText(SampleText(FieldKind(kind)));
}

void TChequeForm::ChequeEdit1Enter(int field)
{
    m_focused = field - 1;
    PositionBar->setEnabled(m_editing);
    showPosition();
    setFieldBackground(field - 1, FocusColor);
    for (int i = 0; i < FieldCount; ++i) {
        QFrame *panel = EPanel[std::size_t(i)];
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, ChequeEdit[std::size_t(i)]->palette().color(QPalette::Base));
        panel->setPalette(palette);
    }
}

void TChequeForm::ChequeEdit1Exit(int)
{
    for (int i = 0; i < FieldCount; ++i)
        setFieldBackground(i, ClearColor);
}

void TChequeForm::ChequeEdit1MouseDown(int field, Qt::MouseButton, QPoint position)
{
    const ChequeFieldEdit *edit = ChequeEdit[std::size_t(field - 1)];
    m_grab = position;
    m_zone = ZoneAt(position, edit->width(), edit->height());
}

void TChequeForm::ChequeEdit1MouseMove(int field, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                       QPoint position)
{
    // W and H, the cursor and the change all belong to the focused field.
    ChequeFieldEdit *focused = focusedEdit(field);
    if (!(buttons & Qt::LeftButton))
        m_zone = ZoneAt(position, focused->width(), focused->height());
    switch (m_zone) {
    case DragZone::LeftEdge:
    case DragZone::RightEdge: focused->setCursor(Qt::SplitHCursor); break;
    case DragZone::TopEdge:
    case DragZone::BottomEdge: focused->setCursor(Qt::SplitVCursor); break;
    case DragZone::Body: focused->setCursor(Qt::DragMoveCursor); break;
    }
    const Qt::KeyboardModifiers keys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (buttons == Qt::LeftButton && !(modifiers & keys)) {
        focused->setGeometry(DraggedBounds(focused->geometry(), m_zone, m_grab, position));
        m_doc.setFieldRect(int(std::find(ChequeEdit.begin(), ChequeEdit.end(), focused) - ChequeEdit.begin()),
                           focused->geometry());
        showPosition();
        const QRect r = focused->geometry();
        QToolTip::showText(QCursor::pos(),
                           tr("Left %1 mm, top %2 mm; %3 × %4 mm")
                               .arg(PxToMm(r.left()), 0, 'f', 1)
                               .arg(PxToMm(r.top()), 0, 'f', 1)
                               .arg(PxToMm(r.width()), 0, 'f', 1)
                               .arg(PxToMm(r.height()), 0, 'f', 1),
                           focused);
    }
}

void TChequeForm::record(const QString &what, int merge)
{
    const ChequeLayout now = Layout();
    // Only what the option line keeps is a change of the layout; the
    // fields' texts and visibility are not.
    if (!m_applying && OptionLine(now) != OptionLine(m_known))
        m_undo.push(new LayoutCommand(this, m_known, now, what, merge));
    m_known = now;
    showPosition();
}

void TChequeForm::applyLayout(const ChequeLayout &layout)
{
    // The texts on screen stay: they are not part of a layout's changes.
    ChequeLayout shown = layout;
    const ChequeLayout current = Layout();
    for (int i = 0; i < FieldCount; ++i) {
        shown.Fields[std::size_t(i)].Text = current.Fields[std::size_t(i)].Text;
        shown.Fields[std::size_t(i)].Visible = i < shown.LabelsCount;
    }
    m_applying = true;
    ShowLayout(shown);
    m_applying = false;
}

bool TChequeForm::settleChanges(QWidget *parent)
{
    if (m_undo.isClean())
        return true;
    const QString bank = Book.hasSelection() ? Book.Banks.at(Book.Selected) : QString();
    switch (dialogs().askSaveChanges(parent ? parent : this, DesignerTitle(),
                                     tr("The layout of the bank \"%1\" has changes that are not saved in "
                                        "options.txt.\n\nSave them?")
                                         .arg(bank))) {
    case Dialogs::Changes::Save:
        SaveChequeOptions();
        emit layoutSaved();
        return true;
    case Dialogs::Changes::Discard: m_undo.clear(); return true;
    case Dialogs::Changes::Cancel: break;
    }
    return false;
}

QRectF TChequeForm::fieldMm(int field) const { return m_doc.fieldMm(field - 1); }

void TChequeForm::placeField(int field, const QRectF &mm)
{
    ChequeEdit[std::size_t(field - 1)]->setGeometry(m_doc.placeField(field - 1, mm));
    record(tr("Place field %1").arg(field));
}

void TChequeForm::nudgeField(int field, int dx, int dy, bool millimetres)
{
    ChequeEdit[std::size_t(field - 1)]->setGeometry(m_doc.nudgeField(field - 1, dx, dy, millimetres));
    record(tr("Move field %1").arg(field), 100 + field);
}

void TChequeForm::showPageFault()
{
    if (!PageLB)
        return;
    const ChequeLayout layout = Layout();
    const auto fault = PageGeometryFault(PageFromLayout(layout));
    QString text;
    if (fault) {
        switch (fault->kind) {
        case PageFault::Kind::Overlap:
            text = tr("Fields %1 and %2 overlap").arg(fault->label + 1).arg(fault->other + 1);
            break;
        case PageFault::Kind::OffPage: text = tr("Field %1 runs off the paper").arg(fault->label + 1); break;
        default: text = tr("Field %1 cannot print").arg(fault->label + 1); break;
        }
    }
    PageLB->setText(text);
    PageLB->setToolTip(fault ? DescribePageFault(*fault, layout) : QString());
}

void TChequeForm::showPosition()
{
    showPageFault();
    if (m_focused < 0 || !PosEd[0])
        return;
    const QRectF mm = fieldMm(m_focused + 1);
    const double values[] = {mm.left(), mm.top(), mm.width(), mm.height()};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker block(PosEd[std::size_t(i)]);
        PosEd[std::size_t(i)]->setValue(values[i]);
    }
    const QRect r = m_doc.fieldRect(m_focused);
    PixelLB->setText(tr("Field %1: %2, %3, %4 × %5 px")
                         .arg(m_focused + 1)
                         .arg(r.left())
                         .arg(r.top())
                         .arg(r.width())
                         .arg(r.height()));
}

void TChequeForm::setSettingsFile(const QString &settingsFile, const QString &dataDir)
{
    m_scans = ScanStore(settingsFile, dataDir);
    if (m_printForm)
        m_printForm->setSettingsFile(settingsFile);
    loadScan();
}

std::optional<ScanSettings> TChequeForm::scanSettings() const
{
    if (!Book.hasSelection())
        return std::nullopt;
    return m_scans.of(Book.Banks.at(Book.Selected));
}

QRect TChequeForm::scanRect() const { return m_scan->isVisible() ? m_scan->geometry() : QRect(); }

QString TChequeForm::scanNote() const { return m_scanNote; }

void TChequeForm::loadScan()
{
    m_scanNote.clear();
    m_scan->setImage({});
    const auto kept = scanSettings();
    if (kept) {
        // A scan that cannot be shown is noted quietly; nothing else waits on it.
        const LoadedScan loaded = LoadScan(m_scans.pathOf(*kept));
        if (!loaded.problem.isEmpty()) {
            m_scanNote = tr("Scan not shown: %1.").arg(loaded.problem);
        } else {
            const double dpi = kept->dpi > 0 ? kept->dpi : loaded.dpi.value_or(0);
            if (dpi <= 0) {
                m_scanNote = tr("Scan not shown: its resolution is not known.");
            } else {
                const QImage shown = ScanForDesigner(loaded.image, dpi, kept->opacity);
                m_scan->setImage(shown);
                m_scan->setGeometry(QRect(QPoint(MmToPx(kept->leftMm), MmToPx(kept->topMm)), shown.size()));
                m_scan->lower();
            }
        }
    }
    ScanLB->setText(m_scanNote);
}

void TChequeForm::chooseScan()
{
    if (!Book.hasSelection() || !m_scans.usable())
        return;
    const auto file =
        dialogs().askOpenFile(this, tr("Scanned Cheque"), tr("Scans (*.png *.jpg *.jpeg *.pdf);;All files (*)"));
    if (file)
        setScan(*file);
}

bool TChequeForm::setScan(const QString &path, std::optional<double> dpi)
{
    const LoadedScan loaded = LoadScan(path);
    if (!loaded.problem.isEmpty()) {
        dialogs().showMessage(this, DesignerTitle(), tr("The scan cannot be used: %1.").arg(loaded.problem));
        return false;
    }
    if (!dpi)
        dpi = loaded.dpi;
    if (!dpi) {
        const auto typed = dialogs().askText(this, DesignerTitle(),
                                             tr("The scan does not say its resolution. At how many dots "
                                                "per inch was it scanned?"),
                                             QStringLiteral("300"));
        bool ok = false;
        const double value = typed ? typed->trimmed().toDouble(&ok) : 0;
        if (!typed || !ok || value < 20 || value > 2400)
            return false;
        dpi = value;
    }
    if (const auto problem = m_scans.keep(Book.Banks.at(Book.Selected), path, *dpi)) {
        dialogs().showMessage(this, DesignerTitle(), *problem);
        return false;
    }
    loadScan();
    return true;
}

void TChequeForm::removeScan()
{
    if (!Book.hasSelection())
        return;
    m_scans.remove(Book.Banks.at(Book.Selected));
    loadScan();
}

void TChequeForm::setScanPlace(double leftMm, double topMm, double opacity)
{
    if (!Book.hasSelection())
        return;
    m_scans.place(Book.Banks.at(Book.Selected), leftMm, topMm, opacity);
    loadScan();
}

void TChequeForm::PrintCalibration()
{
    if (m_printForm)
        m_printForm->PrintCalibration(Layout(), Book.hasSelection() ? Book.Banks.at(Book.Selected) : QString(), this);
}

void TChequeForm::editPrinterOffsets()
{
    if (!m_printForm)
        return;
    PrinterOffsetsDialog dialog(*m_printForm, m_printForm->printerName(), this);
    dialog.exec();
}

LayoutOrProblem DesignerLayouts::layoutFor(const QString &bank) const
{
    const BankBook &book = m_designer.Book;
    if (book.hasSelection() && book.Banks.at(book.Selected) == bank)
        return {m_designer.Layout(), QString()};
    return BankLayout(bank, book.Banks, book.Options);
}
