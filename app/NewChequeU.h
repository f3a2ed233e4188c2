#pragma once

// The issue window: the main window of the program. The user picks a bank,
// types the date, the payee and the amount, sees the amount in words while
// typing, and prints one cheque or a monthly run. Its show and close run the
// start-up and shut-down of the data files.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class CountBox;
class QToolButton;
class BankComboBox;
class RadioGroup;
class TChequeForm;
class TMoneyForm;
class TPrintChequeForm;
class WebPanel;

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

    /// The other windows, as the program entry created them.
    void setWindows(TChequeForm *cheque, TMoneyForm *money, TPrintChequeForm *print);

    /// The executable's full path (the program entry's; tests give another)
    /// and its directory with the trailing separator, where the data files are.
    QString ExeName;
    QString ExeDir;

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

    // Print runs.
    void PrintOne(const QString &dateText, bool askPrinter);
    void PrintMany(const QString &dateText, int count);

    /// Copies the designer's bank list into the bank choice.
    void MirrorBanks();

    // Controls, open to the other windows.
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
    QLabel *Label1;
    QLabel *LabelNewl5;
    QLabel *LabelNew4;
    WebPanel *WebBrowser2;

signals:
    /// The window has closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void loadBankFiles();
    void loadCurrency();
    /// A bank's option line was damaged and has been repaired: the file as it
    /// was is kept as options.txt.bak (once), and the user is told.
    void layoutRepaired(int bank, const QString &reason);
    /// Shows the text of an error as the program's message.
    void report(const QString &text);
    /// Reports why a cheque for `value` (the amount box read) would state
    /// another amount in words than in figures; true when it would.
    bool figureAndWordsDiffer(double value);
    /// The amount checks that come before the print dialog; true (and the
    /// user told) when the cheque would be refused.
    bool refusedBeforeDialog();
    QString dataPath(const char *fileName) const { return ExeDir + QString::fromLatin1(fileName); }

    TChequeForm *m_cheque = nullptr;
    TMoneyForm *m_money = nullptr;
    TPrintChequeForm *m_print = nullptr;
    bool m_started = false;
    /// Set when banks.txt or options.txt could not be read: the files are then
    /// kept at close unless the lists changed and the user agrees.
    QString m_unreadBankFile;
    QStringList m_startBanks, m_startOptions;
    bool m_optionsKept = false; ///< options.txt.bak made in this run
};
