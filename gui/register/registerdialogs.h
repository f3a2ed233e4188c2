// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register's dialogs: where the register is, and the banks' cheque
// numbers and books.

#include <QDialog>

#include "register/chequeregister.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class RegisterAccess;

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
