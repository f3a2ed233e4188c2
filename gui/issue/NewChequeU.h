// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The issue window: the main window of the program. The user picks a bank,
// types the date, the payee and the amount, sees the amount in words while
// typing, and prints one cheque or a monthly run. Its show and close run the
// start-up and shut-down of the data files.

#include <functional>
#include <memory>

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include "batch/chequebatch.h"
#include "desk/chequedesk.h"
#include "output/cheque.h"
#include "register/chequeissuer.h"

class QCheckBox;
class QFrame;
class QLabel;
class QVBoxLayout;
class QLineEdit;
class QMenuBar;
class QPushButton;
class CountBox;
class QToolButton;
class BankComboBox;
class RadioGroup;
class BankFiles;
class CurrencyRecord;
class TChequeForm;
class TMoneyForm;
class TPrintChequeForm;
class WebPanel;
class RegisterAccess;
class RegisterWindow;
class BatchWindow;
struct BatchContext;
struct BatchRow;
class ChequeRegister;
struct RegisteredCheque;

/// The product page the web panel shows.
extern const QString ProductPageURL;

/// The address the web panel is sent to: ProductPageURL (tests point it at a
/// server of their own with CHEQUE_PRODUCT_URL).
QUrl ProductPage();

class TNewChequeForm : public QWidget
{
    Q_OBJECT

public:
    explicit TNewChequeForm(QWidget *parent = nullptr);
    ~TNewChequeForm() override;

    /// The other windows and the current currency, as the program entry made
    /// them.
    void setWindows(TChequeForm *cheque, TMoneyForm *money, TPrintChequeForm *print, CurrencyRecord *currency);

    /// The executable's full path, whose folder holds the data files: the
    /// running program's unless given before the window is first shown.
    void setExeName(const QString &path) { ExeName = path; }
    /// The data folder, with its trailing separator (set at start-up).
    QString dataFolder() const { return DataFolder; }
    /// The data folder the program entry chose (otherwise the executable's
    /// folder); before the window is first shown.
    void setDataDir(const QString &dir) { m_dataDir = dir; }

    /// The About box: the version, the data folder, the licence.
    void showAbout();
    /// Keeps the interface language for the next start.
    void chooseLanguage(const QString &language);
    /// The program's settings (the register's connection among them), in
    /// the data folder.
    QString settingsFile() const;

    /// The register every printed cheque is recorded in (set at start-up).
    RegisterAccess *chequeRegister() const { return m_register.get(); }
    /// The register window, opened from the Register menu.
    void showRegister();
    RegisterWindow *registerWindow() const { return m_registerWindow.get(); }
    void editRegisterConnection();
    /// Prints a cheque of the register again under the bank's next number.
    void reprint(const RegisteredCheque &cheque);

    /// The list window, opened from the File menu.
    void showBatch();
    BatchWindow *batchWindow() const { return m_batchWindow.get(); }
    /// What the rows of a list are checked against: the banks and layouts,
    /// the bank chosen here, the currency.
    BatchContext batchContext() const;
    /// Prints the rows of a list: one print dialog, one job per cheque, each
    /// recorded; a progress window whose Cancel stops after the cheque in
    /// flight. Returns the cheques printed.
    int PrintList(const QList<BatchRow> &rows, QWidget *parent);

    // Handlers.
    void AmountEDChange();
    void SpeedButton1Click();
    void ManyRGClick();
    void BankNameCBChange();
    void BitBtn2Click();
    void PrintBtnClick();
    void FormShow();
    /// The shut-down; false when the window is to stay open.
    bool FormClose();

    /// What the last print did ("Cheque No. 12 of SIB printed to …").
    QString status() const;

    /// Copies the designer's bank list into the bank choice.
    void MirrorBanks();

signals:
    /// The window has closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The window's parts, top to bottom (the boxes in the keyboard's tab order).
    void buildMenu();
    QFrame *buildChequeBoxes(QFrame *panel1);
    void buildWordLines(QFrame *panel1);
    QFrame *buildButtons(QFrame *panel1);
    void buildBanners(QVBoxLayout *outer);
    void loadBankFiles();
    /// Writes banks.txt and options.txt (see SaveBankFiles).
    bool writeBankFiles(bool closing);
    /// A bank's option line was damaged and has been repaired: the file as it
    /// was is kept as options.txt.bak (once), and the user is told.
    void layoutRepaired(int bank, const QString &reason);
    /// Shows the text of an error as the program's message.
    void report(const QString &text);
    /// The cheque as typed into the window.
    TypedCheque typed() const;
    /// Shows what a print did: the date as printed, the words, the status
    /// line, the designer's fields.
    void showOutcome(const IssueOutcome &outcome);
    /// The window a reprint's or an approved print's questions stand over.
    QWidget *registerParent();
    /// Prints a cheque the office approved, once.
    void printApproved(const RegisteredCheque &approved);
    /// Keeps the bank chosen for the next start.
    void rememberBank();

    // The executable, and the data folder (its folder unless the program
    // entry chose another).
    QString ExeName;
    QString DataFolder;

    // Controls (object names as the controls' names).
    BankComboBox *BankNameCB;
    QLineEdit *DateEd;
    QToolButton *SpeedButton1;
    QLineEdit *NameED;
    QLineEdit *AmountED;
    QCheckBox *AccOnly;
    RadioGroup *ManyRG;
    QWidget *ManyPanel;
    CountBox *CountED;
    QLabel *EAmountLB;
    QLabel *AAmountLB;
    QPushButton *PrintBtn;
    QPushButton *BitBtn2;
    QPushButton *BitBtn1;
    QMenuBar *MenuBar;
    QLabel *Label1;
    QLabel *LabelNewl5;
    QLabel *LabelNew4;
    WebPanel *WebBrowser2;
    QLabel *StatusLB; ///< what the last print did

    TChequeForm *m_designer = nullptr;
    TMoneyForm *m_money = nullptr;
    TPrintChequeForm *m_print = nullptr;
    CurrencyRecord *m_currency = nullptr;
    std::unique_ptr<BankFiles> m_files;
    std::unique_ptr<RegisterAccess> m_register;
    std::unique_ptr<RegisterWindow> m_registerWindow;
    std::unique_ptr<BatchWindow> m_batchWindow;
    bool m_started = false;
    QString m_dataDir;
};
