// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register window: the printed cheques in a table, filtered by days,
// bank, payee, amount and state, with the totals of what is shown; a cheque
// can be voided, marked spoilt or printed, or reprinted (by the issue
// window, which holds the printer and the layouts); what is shown can be
// exported or given as a report.

#include <memory>

#include <QWidget>

#include "gui/register/registerdialogs.h"
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
    /// A step after print made by mistake set back to printed, with the
    /// reason (on a server, an administrator's).
    void correctSelected();
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

protected:
    void changeEvent(QEvent *event) override;

signals:
    /// The user asked to print `cheque` again under a new number.
    void reprintRequested(const RegisteredCheque &cheque);
    /// The user asked to print an approved cheque.
    void printApprovedRequested(const RegisteredCheque &cheque);

private:
    /// Reads the register again unless a dialog of the window is open.
    void refreshWhenFree();
    QLayout *buildFilters();
    void buildTable();
    QLayout *buildActions();
    void connectFilters();
    ChequeRegister *openRegister();
    /// A reason asked for until one is given (told when none was); nothing
    /// when the user cancels.
    std::optional<QString> askReason(const QString &question);
    /// A day asked for, in the desktop's format or as yyyy-mm-dd, until it
    /// reads as one (told what was wrong, the text kept to mend).
    std::optional<QDate> askDay(const QString &question, QDate initial);
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
    bool m_stale = false; ///< the register changed while the window could not read it again
};
