#include "layout/chequeU.h"

#include <QCheckBox>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "core/datafile.h"
#include "currency/monyU.h"
#include "output/PrintChequeU.h"
#include "output/chequepage.h"
#include "ui/dialogs.h"
#include "ui/widgets.h"

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

} // namespace

TChequeForm::TChequeForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ChequeForm"));
    setWindowTitle(QStringLiteral("ChequeForm"));
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
    resizeEvent(nullptr);

    Book.Banks = QStringList{QStringLiteral("SIB")};
    Book.Selected = 0;
    connect(&Book, &BankBook::saved, this, [this] { SetEditing(false); });
    ShowBanks();
    ShowLayout(InitialLayout());
    SetEditing(false);
    FitCaptions(this);
}

TChequeForm::~TChequeForm()
{
    // The children report focus and popups while they are torn down.
}

void TChequeForm::buildTopStrip(QWidget *column)
{
    auto *strip = new QWidget(column);
    strip->setGeometry(1, 0, 320, TopStripHeight);
    Caption(QStringLiteral("Bank"), strip, 11, 0); // not -1: the strip's edge would cut the letters' tops
    BankNameCB = new BankComboBox(strip);
    BankNameCB->setObjectName(QStringLiteral("BankNameCB"));
    BankNameCB->setEditable(false);
    BankNameCB->setGeometry(8, 21, 79, 23);
    ChangeBtn = new QPushButton(QStringLiteral("Change"), strip);
    ChangeBtn->setObjectName(QStringLiteral("ChangeBtn"));
    ChangeBtn->setGeometry(90, 19, 70, 25);
    PrintBtn = new QPushButton(QStringLiteral("Print Test"), strip);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setGeometry(171, 19, 70, 25);

    connect(BankNameCB, &QComboBox::currentIndexChanged, this, [this](int index) {
        Book.Selected = index;
        BankNameCBChange();
    });
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
    NewBtn->setToolTip(QStringLiteral("Add"));
    NewBtn->setGeometry(8, 0, 23, 22);
    NewBtn->setFont(ArialBold(19));
    SpeedButton7 = new QToolButton(p);
    SpeedButton7->setObjectName(QStringLiteral("SpeedButton7"));
    SpeedButton7->setText(QStringLiteral("-"));
    SpeedButton7->setToolTip(QStringLiteral("Del"));
    SpeedButton7->setGeometry(32, 0, 23, 22);
    SpeedButton7->setFont(ArialBold(19));
    Money = new QPushButton(QStringLiteral("Money"), p);
    Money->setObjectName(QStringLiteral("Money"));
    Money->setGeometry(96, 6, 75, 21);
    SaveBtn = new QPushButton(QStringLiteral("Save Options"), p);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setGeometry(197, 3, 93, 23);

    Caption(QStringLiteral("Labels Count"), p, 4, 57);
    SpinEdit1 = new QSpinBox(p);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, FieldCount);
    SpinEdit1->setValue(FieldCount);
    SpinEdit1->setGeometry(84, 57, 41, 23);
    Caption(QStringLiteral("B/A Ammount"), p, 157, 57);
    BAEdit = new QLineEdit(QStringLiteral("#"), p);
    BAEdit->setObjectName(QStringLiteral("BAEdit"));
    BAEdit->setMaxLength(MaxBATextChars);
    BAEdit->setGeometry(241, 57, 50, 22);
    RestrictToCp1256(BAEdit, OptionsFile());

    Caption(QStringLiteral("Left"), p, 4, 87);
    LeftEd = new QLineEdit(QStringLiteral("0"), p);
    LeftEd->setObjectName(QStringLiteral("LeftEd"));
    LeftEd->setGeometry(32, 85, 33, 22);
    Caption(QStringLiteral("mm"), p, 65, 87);
    Caption(QStringLiteral("Top"), p, 96, 87);
    TopEd = new QLineEdit(QStringLiteral("0"), p);
    TopEd->setObjectName(QStringLiteral("TopEd"));
    TopEd->setGeometry(123, 85, 33, 22);
    Caption(QStringLiteral("mm"), p, 156, 87);
    // The offsets are items of the option line, which "/" ends.
    for (QLineEdit *edit : {LeftEd, TopEd})
        RestrictToCp1256(edit, OptionsFile(), ItemEnd);

    PortialChk = new QCheckBox(QStringLiteral("Portial"), p);
    PortialChk->setObjectName(QStringLiteral("PortialChk"));
    PortialChk->setGeometry(200, 85, 57, 17);
    previewChk = new QCheckBox(QStringLiteral("preview"), p);
    previewChk->setObjectName(QStringLiteral("previewChk"));
    previewChk->setGeometry(12, 111, 63, 17);
    OnlyFirstChk = new QCheckBox(QStringLiteral("Only First"), p);
    OnlyFirstChk->setObjectName(QStringLiteral("OnlyFirstChk"));
    OnlyFirstChk->setGeometry(104, 109, 84, 17);

    connect(NewBtn, &QToolButton::clicked, this, [this] { NewBtnClick(); });
    connect(SpeedButton7, &QToolButton::clicked, this, [this] { SpeedButton7Click(); });
    connect(Money, &QPushButton::clicked, this, [this] { MoneyClick(); });
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtnClick(); });
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this](int value) { SpinEdit1Change(value); });
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
    auto *right = new QCheckBox(QStringLiteral("Right"), panel);
    right->setObjectName(QStringLiteral("RightChk%1").arg(i + 1));
    right->setGeometry(25, 4, 57, 17);
    RightChk[std::size_t(i)] = right;
    auto *fontBtn = new QPushButton(QStringLiteral("Font"), panel);
    fontBtn->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
    fontBtn->setGeometry(25, 22, 40, 25);
    SpeedButton[std::size_t(i)] = fontBtn;
    QStringList kinds;
    for (int k = 0; k < FieldKindCount; ++k)
        kinds << KindCaption(FieldKind(k));
    auto *group = new RadioGroup(QString(), kinds, 2, panel);
    group->setObjectName(QStringLiteral("KindRG%1").arg(i + 1));
    group->setGeometry(82, -4, 230, 72);
    KindRG[std::size_t(i)] = group;

    connect(right, &QCheckBox::toggled, this, [this, i] { RightChkClick(i + 1); });
    connect(fontBtn, &QPushButton::clicked, this, [this, i] { SpeedButtonClick(i + 1); });
    connect(group, &RadioGroup::clicked, this, [this, i] { KindRGClick(i + 1); });
}

void TChequeForm::buildField(int i)
{
    auto *edit = new ChequeFieldEdit(ChequeArea);
    edit->setObjectName(QStringLiteral("ChequeEdit%1").arg(i + 1));
    edit->setMouseTracking(true);
    edit->setCursor(Qt::DragMoveCursor);

    ChequeEdit[std::size_t(i)] = edit;
    connect(edit, &ChequeFieldEdit::entered, this, [this, i] { ChequeEdit1Enter(i + 1); });
    connect(edit, &ChequeFieldEdit::left, this, [this, i] { ChequeEdit1Exit(i + 1); });
    connect(edit, &ChequeFieldEdit::mousePressed, this,
            [this, i](QMouseEvent *e) { ChequeEdit1MouseDown(i + 1, e->button(), e->position().toPoint()); });
    connect(edit, &ChequeFieldEdit::mouseMoved, this, [this, i](QMouseEvent *e) {
        ChequeEdit1MouseMove(i + 1, e->buttons(), e->modifiers(), e->position().toPoint());
    });
}

void TChequeForm::resizeEvent(QResizeEvent *)
{
    const int columnLeft = std::max(0, width() - ColumnWidth);
    m_column->setGeometry(columnLeft, 0, ColumnWidth, height());
    SettingsArea->setGeometry(0, TopStripHeight, ColumnWidth, std::max(0, height() - TopStripHeight));
    ChequeArea->setGeometry(0, 0, columnLeft, height());
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

ChequeLayout TChequeForm::Layout() const
{
    ChequeLayout layout;
    layout.LabelsCount = SpinEdit1->value();
    layout.BAText = BAEdit->text();
    layout.LeftMm = LeftEd->text();
    layout.TopMm = TopEd->text();
    layout.Portial = PortialChk->isChecked();
    for (int i = 0; i < FieldCount; ++i) {
        const auto n = std::size_t(i);
        const ChequeFieldEdit *edit = ChequeEdit[n];
        ChequeField &f = layout.Fields[n];
        f.Kind = FieldKind(std::max(0, KindRG[n]->itemIndex()));
        f.Right = RightChk[n]->isChecked();
        const QRect r = edit->geometry();
        f.Top = r.top();
        f.Left = r.left();
        f.Height = r.height();
        f.Width = r.width();
        const QFont font = edit->font();
        f.FontName = font.family();
        f.FontSize = font.pointSize() == m_extra[n].shownSize ? m_extra[n].size : font.pointSize();
        f.FontColor = m_extra[n].color;
        f.Bold = font.bold();
        f.Italic = font.italic();
        f.Underline = font.underline();
        f.StrikeOut = font.strikeOut();
        f.FontScript = m_extra[n].script;
        f.Text = edit->text();
        f.Visible = !edit->isHidden();
    }
    return layout;
}

void TChequeForm::ShowLayout(const ChequeLayout &layout)
{
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
        edit->setFont(FieldFont(f));
        m_extra[n].script = f.FontScript;
        m_extra[n].size = f.FontSize;
        m_extra[n].shownSize = edit->font().pointSize();
        setFieldColor(i, f.FontColor);
        edit->setGeometry(f.Left, f.Top, f.Width, f.Height);
        edit->setText(f.Text);
        edit->setCursorPosition(0);
        edit->setHidden(!f.Visible);
        EPanel[n]->setHidden(i >= layout.LabelsCount);
    }
    stackPanels();
}

void TChequeForm::SaveChequeOptions() { Book.SaveChequeOptions(Layout()); }

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
    const auto damage = Book.BankNameCBChange(layout);
    ShowLayout(layout);
    if (damage)
        emit layoutRepaired(bank, *damage);
}

void TChequeForm::PrintBtnClick(bool fromPrintRun)
{
    ChequeLayout layout = Layout();
    const ReportPage page = PageFromLayout(layout);
    RightChk[3]->setChecked(layout.Fields[3].Right); // field 4 keeps field 2's direction
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
    dialogs().showMessage(this, QStringLiteral("Error"),
                          QStringLiteral("%1 «%2» cannot be kept: it holds %3. %4")
                              .arg(what, text, DescribeCharacter(*bad), Cp1256RefusalText(fileName, separator)));
    return false;
}

void TChequeForm::NewBtnClick()
{
    const auto name = dialogs().askText(this, QStringLiteral("Add"), QStringLiteral("Bank Name"), QString());
    if (!name || !storable(QStringLiteral("The bank name"), *name, QString::fromLatin1(BanksFileName)))
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
    if (!dialogs().askYesNo(this, QStringLiteral("Confirm"),
                            QStringLiteral("Delete حذف \"%1\"?\n\nThe bank and its layout are removed.").arg(name),
                            Dialogs::Default::No))
        return;
    Book.DeleteBank(Book.Selected);
    ShowBanks();
    SaveChequeOptions();
    BankNameCBChange();
}

void TChequeForm::SpinEdit1Change(int count)
{
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
    m_extra[std::size_t(i)].color = stored;
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
    if (!storable(QStringLiteral("The font name"), family, OptionsFile(), ItemEnd))
        return;
    // Every attribute set explicitly, so that none is taken from the window's font.
    QFont font(family);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(chosen->bold());
    font.setItalic(chosen->italic());
    font.setUnderline(chosen->underline());
    font.setStrikeOut(chosen->strikeOut());
    // The layout keeps whole points.
    const int size = chosen->pointSize() > 0 ? chosen->pointSize() : qRound(chosen->pixelSize() * 72.0 / 96.0);
    font.setPointSize(std::max(1, size));
    m_extra[n].size = m_extra[n].shownSize = font.pointSize();
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
    if (buttons == Qt::LeftButton && !(modifiers & keys))
        focused->setGeometry(DraggedBounds(focused->geometry(), m_zone, m_grab, position));
}
