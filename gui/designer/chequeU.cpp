// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/designer/chequeU.h"
#include "gui/designer/designerdetail.h"

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

using namespace DesignerDetail;

QString DesignerDetail::DesignerTitle() { return QCoreApplication::translate("TChequeForm", "Cheque Layout"); }

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
    const QString family = chosen->family() == initial.family() ? m_doc.layout().Fields[n].FontName : chosen->family();
    if (!storable(tr("The font name"), family, OptionsFile(), ItemEnd))
        return;
    const int size = LayoutDocument::ChosenPoints(chosen->pointSize(), chosen->pixelSize());
    if (const auto refusal = LayoutDocument::FontRefusal(size)) {
        dialogs().showMessage(this, DesignerTitle(), *refusal);
        return;
    }
    m_doc.setFieldFont(int(n), family, size, chosen->bold(), chosen->italic(), chosen->underline(),
                       chosen->strikeOut());
    // Shown as it prints: every attribute the field's, none the window's.
    ChequeEdit[n]->setFont(FieldFont(m_doc.layout().Fields[n]));
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
