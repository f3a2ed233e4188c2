// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The layout designer: the five fields of the selected bank's layout as edit
// boxes on a true-size cheque area, their settings beside them, the bank list
// with adding and deleting, and a test print.

#include <array>
#include <functional>

#include <QLineEdit>
#include <QUndoStack>
#include <QWidget>

#include "desk/chequedesk.h"
#include "gui/designer/chequefield.h"
#include "layout/bankbook.h"
#include "layout/chequescan.h"
#include "layout/fielddrag.h"
#include "layout/layoutdocument.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;
class BankComboBox;
class QComboBox;
class QDoubleSpinBox;
class QMenuBar;
class RadioGroup;
class ScanBackdrop;
class TMoneyForm;
class TPrintChequeForm;

/// Puts the bank list and the selection of `book` into a bank choice,
/// without raising its change events.
void ShowBankList(QComboBox *choice, const BankBook &book);

class TChequeForm : public QWidget
{
    Q_OBJECT

public:
    explicit TChequeForm(QWidget *parent = nullptr);
    ~TChequeForm() override;

    /// The windows the designer opens and prints through.
    void setMoneyForm(TMoneyForm *form) { m_moneyForm = form; }
    void setPrintForm(TPrintChequeForm *form) { m_printForm = form; }

    /// The bank list and the option lines (the hidden line list OptionsEd).
    /// After changing Book.Banks or Book.Selected directly, call ShowBanks.
    BankBook Book;
    /// Puts the bank list and the selection of Book into BankNameCB.
    void ShowBanks();
    /// Selects bank i in BankNameCB and Book, without loading its layout.
    void SelectBank(int i);

    /// The layout on screen, read from the controls.
    ChequeLayout Layout() const;
    /// Puts a layout into the controls.
    void ShowLayout(const ChequeLayout &layout);
    /// Shows the layout of a cheque just printed (its texts, and the
    /// directions the printing gave its fields): what printing does to the
    /// fields is no change of the user's to the layout.
    void showCheque(const ChequeLayout &layout);

    /// The option-line operations, on the layout on screen.
    void SaveChequeOptions();
    /// Every bank takes the layout on screen (a fresh options.txt).
    void SaveChequeOptionsForEveryBank() { Book.SaveForEveryBank(Layout()); }
    void LoadChequeOptions();

    void SetEditing(bool on);
    bool editing() const { return m_editing; }

    // Handlers.
    void ChangeBtnClick() { SetEditing(true); }
    /// "Save Options": the layout into its option line, and the bank list
    /// and option lines to their files at once (layoutSaved()).
    void SaveBtnClick();
    /// Renders the fields and prints or previews them; `fromPrintRun` when
    /// a print run calls it (its print dialog chose the printer), not the
    /// "Print Test" button.
    void PrintBtnClick(bool fromPrintRun = false);
    void MoneyClick();
    void NewBtnClick();
    void SpeedButton7Click();
    void BankNameCBChange();
    void BankNameCBCloseUp() { BankNameCBChange(); }
    void SpinEdit1Change(int count);
    void RightChkClick(int field);
    void SpeedButtonClick(int field);
    void KindRGClick(int field);
    void ChequeEdit1Enter(int field);
    void ChequeEdit1Exit(int field);
    void ChequeEdit1MouseDown(int field, Qt::MouseButton button, QPoint position);
    void ChequeEdit1MouseMove(int field, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);

    /// The field that has (or last had) the focus; -1 before any.
    int focusedField() const { return m_focused; }

    /// The program's settings (scans, printer offsets) and the data folder
    /// (the scans folder is beside the data files); set at start-up.
    void setSettingsFile(const QString &settingsFile, const QString &dataDir);

    /// Every change of the layout on screen, to undo and redo; clean when
    /// the layout is as loaded or last saved.
    QUndoStack *undoStack() { return &m_undo; }
    bool hasUnsavedChanges() const { return !m_undo.isClean(); }
    /// Before the layout on screen is replaced: with unsaved changes, asks
    /// Save, Discard or Cancel; false for Cancel (nothing is to happen).
    bool settleChanges(QWidget *parent);

    /// Moves or sizes a field to a place in millimetres from the cheque
    /// area's origin; the field takes the nearest pixel position the layout
    /// can hold. Recorded for undo.
    void placeField(int field, const QRectF &millimetres);
    /// A field's place in millimetres (at the pixel the layout holds).
    QRectF fieldMm(int field) const;
    /// Moves a field by pixels, or by millimetres (n moves of 1 mm move it n
    /// mm, to the nearest pixel). Recorded for undo.
    void nudgeField(int field, int dx, int dy, bool millimetres);

    // The scanned cheque under the fields, per bank.
    void chooseScan();
    /// Takes `path` as the selected bank's scan (copied beside the data
    /// files); `dpi` when the file does not say its resolution.
    bool setScan(const QString &path, std::optional<double> dpi = std::nullopt);
    void removeScan();
    void setScanPlace(double leftMm, double topMm, double opacity);
    /// The selected bank's scan as kept, and where it is shown (in the
    /// cheque area's pixels); a note when it cannot be shown.
    std::optional<ScanSettings> scanSettings() const;
    QRect scanRect() const;
    QString scanNote() const;

    /// The calibration page of the layout on screen, to the printer.
    void PrintCalibration();
    /// The offsets dialog for the printer in use.
    void editPrinterOffsets();

    /// The run-time choices beside the layout: "Only First" (the closing word
    /// of the amount in words stays first) and "preview".
    bool onlyFirst() const;
    bool preview() const;
    void setPreview(bool on);

signals:
    /// Bank `bank`'s option line could not be read (`reason`) and now holds
    /// the layout that was on screen.
    void layoutRepaired(int bank, const QString &reason);
    /// The user saved the layout ("Save Options", or Save when asked about
    /// unsaved changes): the files are to be written now.
    void layoutSaved();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Controls (object names as the controls' names; the arrays' elements
    // are named with the field's number, "ChequeEdit1" to "ChequeEdit5").
    BankComboBox *BankNameCB;
    QPushButton *ChangeBtn;
    QPushButton *PrintBtn;
    QToolButton *NewBtn;
    QToolButton *SpeedButton7;
    QPushButton *Money;
    QPushButton *SaveBtn;
    QSpinBox *SpinEdit1;
    QLineEdit *BAEdit;
    QLineEdit *LeftEd;
    QLineEdit *TopEd;
    QCheckBox *PortialChk;
    QCheckBox *previewChk;
    QCheckBox *OnlyFirstChk;
    std::array<ChequeFieldEdit *, FieldCount> ChequeEdit;
    std::array<QFrame *, FieldCount> EPanel;
    std::array<QCheckBox *, FieldCount> RightChk;
    std::array<QPushButton *, FieldCount> SpeedButton;
    std::array<RadioGroup *, FieldCount> KindRG;
    QMenuBar *MenuBar;
    QWidget *PositionBar; ///< the focused field's place in millimetres
    std::array<QDoubleSpinBox *, 4> PosEd{};
    QLabel *PixelLB;
    QLabel *PageLB = nullptr;
    QLabel *ScanLB;
    ScanBackdrop *m_scan = nullptr;
    QWidget *ChequeArea;   ///< origin of every field position
    QWidget *SettingsArea; ///< the options panel and the field panels
    QFrame *OptionsPanel;

    void buildTopStrip(QWidget *column);
    void buildMenus();
    void buildPositionBar();
    /// Pushes the change from the layout last known to the one on screen
    /// (nothing when no stored item changed); `merge` joins consecutive
    /// changes of the same kind (arrow keys on one field).
    void record(const QString &what, int merge = -1);
    /// A layout from the undo stack, the fields' texts kept as they are.
    void applyLayout(const ChequeLayout &layout);
    void showPosition();
    void showPageFault();
    void loadScan();
    int topBarHeight() const;
    void buildOptionsPanel();
    void buildFieldPanel(int i);
    void buildField(int i);
    void setFieldDirection(int i, bool rightToLeft);
    void setFieldColor(int i, std::int32_t stored);
    void setFieldBackground(int i, const QColor &color);
    void stackPanels();
    /// The field with the keyboard focus, else field `fallback`.
    ChequeFieldEdit *focusedEdit(int fallback) const;
    /// Tells the user why `text` cannot be kept in `fileName`, whose items
    /// `separator` ends; true when it can.
    bool storable(const QString &what, const QString &text, const QString &fileName, const QString &separator = {});

    /// The layout being edited: what the fields show, and what prints.
    LayoutDocument m_doc;

    QUndoStack m_undo;
    ChequeLayout m_known; ///< the layout on screen as last recorded or shown
    ScanStore m_scans{QString(), QString()};
    QString m_scanNote;
    bool m_applying = false;

    friend class LayoutCommand;

    QPoint m_grab;
    DragZone m_zone = DragZone::Body;
    int m_focused = -1;
    bool m_editing = false;
    QWidget *m_column = nullptr;
    TMoneyForm *m_moneyForm = nullptr;
    TPrintChequeForm *m_printForm = nullptr;
};

/// The designer's banks and layouts as the desk prints them: the bank it
/// shows in the layout on screen, as it stands; its changes settled over
/// `parent`.
class DesignerLayouts final : public DeskLayouts
{
public:
    DesignerLayouts(TChequeForm &designer, QWidget *parent) : m_designer(designer), m_parent(parent) {}
    QStringList banks() const override { return m_designer.Book.Banks; }
    QStringList options() const override { return m_designer.Book.Options; }
    LayoutOrProblem layoutFor(const QString &bank) const override;
    QString baText() const override { return m_designer.Layout().BAText; }
    bool onlyFirst() const override { return m_designer.onlyFirst(); }
    bool preview() const override { return m_designer.preview(); }
    bool settleChanges() override { return m_designer.settleChanges(m_parent); }

private:
    TChequeForm &m_designer;
    QWidget *m_parent;
};
