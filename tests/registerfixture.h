// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the register's tests share: cheques to record, the PostgreSQL server
// the test script started (if any), a folder of their own for each test,
// and the server's register emptied after each.

#include <csignal>
#include <memory>
#include <optional>
#include <random>
#include <thread>
#include <unistd.h>

#include <QDir>
#include <QMutex>
#include <QPdfWriter>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include "errorof.h"
#include "pdftext.h"
#include "testfiles.h"

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "desk/chequedesk.h"
#include "layout/chequelayout.h"
#include "output/pageoutput.h"
#include "output/printrun.h"
#include "register/chequeissuer.h"
#include "register/duedates.h"
#include "register/registerexport.h"
#include "register/registerreport.h"
#include "register/registerschema.h"

inline Cheque Make(const QString &bank, const QString &payee, const QString &amount, MonyType money = UaeMoney())
{
    const ChequeOrProblem made = MakeCheque(bank, "1/31/26", payee, amount, false, money, "#", false, QLocale("en_US"));
    if (!made.cheque)
        qFatal("%s", qPrintable(made.problem));
    return *made.cheque;
}

inline std::optional<QString> Printed(const ChequeRegister::Recorded &) { return std::nullopt; }

// The PostgreSQL server of the test script, if there is one.
inline std::optional<RegisterConnection> Server()
{
    if (qEnvironmentVariableIsEmpty("CHEQUE_PG_HOST"))
        return std::nullopt;
    RegisterConnection c;
    c.driver = QStringLiteral("QPSQL");
    c.host = qEnvironmentVariable("CHEQUE_PG_HOST");
    c.database = qEnvironmentVariable("CHEQUE_PG_DATABASE");
    c.user = qEnvironmentVariable("CHEQUE_PG_USER");
    c.port = qEnvironmentVariableIntValue("CHEQUE_PG_PORT");
    return c;
}

// A connection of its own to a register's database, as another program or
// login would make it.
inline QSqlDatabase OpenAs(const QString &name, const RegisterConnection &c)
{
    QSqlDatabase d = QSqlDatabase::addDatabase(c.isServer() ? "QPSQL" : "QSQLITE", name);
    d.setHostName(c.host);
    d.setPort(c.port);
    d.setDatabaseName(c.isServer() ? c.database : c.file);
    d.setUserName(c.user);
    d.open();
    return d;
}

class RegisterFixture
{
protected:
    void setUp() { m_dir = std::make_unique<QTemporaryDir>(); }
    void tearDown()
    {
        // The server's register is emptied for the next test.
        if (const auto server = Server()) {
            QSqlDatabase d = QSqlDatabase::addDatabase("QPSQL", "cleanup");
            d.setHostName(server->host);
            d.setPort(server->port);
            d.setDatabaseName(server->database);
            d.setUserName(server->user);
            if (d.open() && QSqlQuery(d).exec("SET client_min_messages = warning"))
                for (const char *table : {"cheque_events", "cheques", "file_jobs", "cheque_numbers", "register_info",
                                          "cheque_approval_rules", "cheque_approval_limits", "cheque_books",
                                          "cheque_accounts", "register_lock"})
                    QSqlQuery(d).exec(QStringLiteral("DROP TABLE IF EXISTS %1 CASCADE").arg(QLatin1String(table)));
            d.close();
            d = QSqlDatabase();
            QSqlDatabase::removeDatabase("cleanup");
        }
        m_dir.reset();
    }
    /// A register file in the test's folder.
    RegisterConnection sqlite(const char *name = "register.sqlite") const
    {
        RegisterConnection c;
        c.file = m_dir->filePath(QString::fromLatin1(name));
        return c;
    }
    /// A test's rows for a register file and, when there is one, the server.
    static void addConnections()
    {
        QTest::addColumn<bool>("server");
        QTest::newRow("SQLite file") << false;
        QTest::newRow("PostgreSQL server") << true;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_said; ///< what a program run by a test said
    int m_status = 0;
};
