// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register the program prints into: its connection, kept in the
// program's settings (never its password), and the register opened on it
// when first needed, the password asked for when the server wants one.

#include <memory>

#include <QObject>
#include <QString>

#include "register/chequeregister.h"

class DeskUser;

class RegisterAccess : public QObject
{
    Q_OBJECT

public:
    /// `settingsFile` keeps the connection; without one in it, the register
    /// is the register file of `dataDir`.
    RegisterAccess(QString settingsFile, QString dataDir, QObject *parent = nullptr);
    ~RegisterAccess() override;

    const RegisterConnection &connection() const { return m_connection; }
    /// Another register: kept in the settings (the password only for this
    /// session); the old one is closed.
    void setConnection(const RegisterConnection &connection);

    /// The register, open; or why it cannot be opened (or `user`, asked for
    /// the password the server wants, did not give it; without a user it is
    /// not asked for).
    struct Opened
    {
        ChequeRegister *reg = nullptr;
        QString problem;
    };
    Opened open(DeskUser *user = nullptr);
    /// Whether the register is open (open() asks nothing more).
    bool isOpen() const { return m_register && m_register->isOpen(); }

    /// How many months after its date a cheque can still be paid: one
    /// outstanding longer is stale. Kept in the settings.
    int validityMonths() const { return m_validityMonths; }
    void setValidityMonths(int months);

    /// How few leaves left in a cheque book are told after a print. Kept in
    /// the settings.
    int lowLeaves() const { return m_lowLeaves; }
    void setLowLeaves(int leaves);

    /// Tells the register's windows that its cheques have changed.
    void touch() { emit chequesChanged(); }

signals:
    void connectionChanged();
    void chequesChanged();

private:
    QString m_settingsFile;
    QString m_dataDir;
    RegisterConnection m_connection;
    int m_validityMonths = DefaultValidityMonths;
    int m_lowLeaves = DefaultLowLeaves;
    std::unique_ptr<ChequeRegister> m_register;
};
