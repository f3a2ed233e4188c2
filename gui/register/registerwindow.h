// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register window: the printed cheques in a table, filtered by days,
// bank, payee, amount and state, with the totals of what is shown; a cheque
// can be voided, marked spoilt or printed, or reprinted (by the issue
// window, which holds the printer and the layouts); what is shown can be
// exported or given as a report. Also the register connection dialog.

#include <memory>

#include <QDialog>
#include <QWidget>

#include "register/chequeregister.h"

class DueWindow;
class QCheckBox;
class QComboBox;
class QLayout;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QSpinBox;
class QTimer;
class RegisterAccess;
class RegisterModel;

class RegisterWindow : public QWidget
{
    Q_OBJECT

public:
    explicit RegisterWindow(RegisterAccess &access, QWidget *parent = nullptr);
    ~RegisterWindow() override;

    /// The banks of the bank list, offered beside those of the register.
    void setBanks(const QStringList &banks);
    /// The program's currency, in which an account is added.
    void setCurrency(const MonyType &currency) { m_currency = currency; }

    /// The view the filters make; nothing (and the reason) while an amount
    /// typed in them is not one.
    std::optional<RegisterView> view(QString *problem = nullptr) const;
    /// Reads the register again for the filters.
    void refresh();

    /// The selected cheque (of the table's current row).
    const RegisteredCheque *selected() const;
    void selectRow(int row);

    // Actions, on the selected cheque.
    void voidSelected();
    void spoilSelected();
    void markSelectedPrinted();
    void reprintSelected();
    /// On a server: approve or reject a prepared cheque (with a comment),
    /// print one approved.
    void approveSelected();
    void rejectSelected();
    void printApprovedSelected();
    /// A printed cheque's life: delivered, cleared on the bank's date,
    /// returned or stopped (with the reason).
    void markAfterPrint(ChequeState state);
    /// Shows the selected cheque's history: each change, who made it, when and why.
    void showHistory();
    void editChequeNumbers();
    /// On a server: the register's accounts, and the account of the bank
    /// filter's bank added in the program's currency.
    void editAccounts();
    void exportShown();
    /// Reads the bank's statement (the bank of the bank filter), marks the
    /// cheques it paid cleared and tells what does not match, with a report
    /// to keep.
    void reconcile();
    /// The due dates of the outstanding cheques, in a window of their own.
    void showDueDates();
    DueWindow *dueWindow() const { return m_due.get(); }
    void saveReport();
    void printReport();
    void editConnection();

signals:
    /// The user asked to print `cheque` again under a new number.
    void reprintRequested(const RegisteredCheque &cheque);
    /// The user asked to print an approved cheque.
    void printApprovedRequested(const RegisteredCheque &cheque);

private:
    QLayout *buildFilters();
    void buildTable();
    QLayout *buildActions();
    void connectFilters();
    ChequeRegister *openRegister();
    void updateButtons();
    void setState(ChequeState state);
    void decide(bool approve);
    void status(const QString &text);

    RegisterAccess &m_access;
    MonyType m_currency = UaeMoney();
    std::unique_ptr<DueWindow> m_due;
    RegisterModel *m_model;
    QStringList m_banks;

    QComboBox *DateKindCB; ///< From and To as days of printing, or the cheques' dates
    QCheckBox *FromChk;
    QDateEdit *FromDate;
    QCheckBox *ToChk;
    QDateEdit *ToDate;
    QComboBox *BankCB;
    QComboBox *StateCB;
    QLineEdit *PayeeEd;
    QLineEdit *MinEd;
    QLineEdit *MaxEd;
    QTableView *Table;
    QLabel *TotalsLB;
    QLabel *StatusLB;
    QPushButton *VoidBtn;
    QPushButton *SpoiltBtn;
    QPushButton *PrintedBtn;
    QPushButton *ReprintBtn;
    QPushButton *HistoryBtn;
    QPushButton *AccountsBtn = nullptr;
    QPushButton *ApproveBtn;
    QPushButton *RejectBtn;
    QPushButton *PrintApprovedBtn;
    QPushButton *LifeBtn; ///< its menu marks a printed cheque delivered, cleared, returned or stopped
    QSpinBox *ValiditySB; ///< months a cheque stays valid, for the stale filter
    QTimer *m_typing;
};

/// The register connection dialog: the register file of this computer, or
/// a PostgreSQL server (host or socket folder, port, database, user; the
/// password is asked for when the server wants it, never kept).
class ConnectionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConnectionDialog(const RegisterConnection &connection, QWidget *parent = nullptr);
    RegisterConnection connection() const;

private:
    void updateEnabled();

    QRadioButton *FileRB;
    QRadioButton *ServerRB;
    QLineEdit *FileEd;
    QPushButton *BrowseBtn;
    QLineEdit *HostEd;
    QLineEdit *PortEd;
    QLineEdit *DatabaseEd;
    QLineEdit *UserEd;
    QComboBox *EncryptionCB;
    QLineEdit *CaEd;
    QPushButton *CaBtn;
};

/// The next cheque numbers of the banks: the first number of a new cheque
/// book is set here.
class ChequeNumbersDialog : public QDialog
{
    Q_OBJECT

public:
    ChequeNumbersDialog(ChequeRegister &reg, RegisterAccess &access, const QStringList &banks,
                        QWidget *parent = nullptr);
    /// Sets the bank's next number; false (and the user told) when it is not
    /// a number, is used already or is in none of the bank's books.
    bool apply();
    /// Asks for the first and last leaves of the bank's new cheque book.
    void addBook();

private:
    void showNext();

    ChequeRegister &m_register;
    RegisterAccess &m_access;
    QComboBox *BankCB;
    QLineEdit *NextEd;
    QLabel *BooksLB; ///< the bank's books, and the leaves left in the one in use
    QSpinBox *LowSB; ///< how few leaves left are told
};
