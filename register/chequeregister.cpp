// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chequeregister.h"

#include <atomic>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>

#include "core/chequeerror.h"
#include "register/registercheck.h"
#include "register/registerdetail.h"
#include "register/serverwatch.h"

using namespace RegisterDetail;

// Opening a register, using it within the server's time limit, and its
// transactions.

ChequeRegister::ChequeRegister(RegisterConnection connection) : m_connection(std::move(connection))
{
    static std::atomic<int> count{0};
    m_name = QStringLiteral("cheque-register-%1").arg(++count);
}

ChequeRegister::~ChequeRegister()
{
    try {
        if (m_open && m_connection.isServer())
            rememberLatestEvent();
    } catch (const ChequeError &) {
        // Kept at the next opening.
    }
    QObject::disconnect(m_notification);
    m_queries.clear();
    {
        QSqlDatabase d = QSqlDatabase::database(m_name, false);
        if (d.isValid())
            d.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase ChequeRegister::db() const { return QSqlDatabase::database(m_name, false); }

bool ChequeRegister::changedElsewhere()
{
    if (m_connection.isServer() || !db().isOpen())
        return false;
    // SQLite counts the commits of other connections to the file.
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("PRAGMA data_version")) || !q.next())
        return false;
    const qint64 version = q.value(0).toLongLong();
    const bool changed = m_dataVersion >= 0 && version != m_dataVersion;
    m_dataVersion = version;
    return changed;
}

ChequeRegister::Use::Use(ChequeRegister &reg, bool inJobBatch) : m_register(reg)
{
    if (!m_register.m_open)
        m_register.open();
    if (!inJobBatch)
        m_register.endJobBatch();
    if (m_register.m_connection.isServer() && m_register.m_uses++ == 0) {
        if (!m_register.m_watch)
            m_register.m_watch = std::make_unique<ServerWatch>();
        m_register.m_watch->arm(SocketOf(m_register.db()), std::chrono::seconds(ServerSeconds));
    }
}

ChequeRegister::Use::~Use()
{
    if (m_register.m_connection.isServer() && --m_register.m_uses == 0)
        m_register.m_watch->disarm();
}

void ChequeRegister::fail(const QString &sentence, const QString &why) const
{
    QString reason = why.contains(QLatin1String("readonly database")) ? Unusable(why) : why;
    if (m_connection.isServer() && (m_watch && m_watch->fired())) {
        reason = QCoreApplication::translate("ChequeRegister", "the server did not answer for %1 seconds")
                     .arg(ServerSeconds);
        m_open = false; // connected to afresh next time
    } else if (m_connection.isServer() && (reason.trimmed().isEmpty() || (m_open && !db().isOpen()))) {
        // (While it is being opened, the server's own reason is told.)
        reason = QCoreApplication::translate("ChequeRegister", "the connection to the server was lost");
        m_open = false;
    }
    throw ChequeError(QString(sentence).arg(m_connection.describe(), reason).toStdString());
}

void ChequeRegister::exec(const QString &sql)
{
    QSqlQuery q(db());
    if (!q.exec(sql))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"), q.lastError().text());
}

void ChequeRegister::open()
{
    m_open = false;
    m_needsPassword = false;
    m_jobBatch = 0;
    m_queries.clear();
    if (!QSqlDatabase::isDriverAvailable(m_connection.driver))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"),
             QCoreApplication::translate("ChequeRegister", "the %1 database driver is not installed")
                 .arg(m_connection.driver));
    if (!QSqlDatabase::contains(m_name))
        QSqlDatabase::addDatabase(m_connection.driver, m_name);
    QSqlDatabase d = db();
    d.close();
    const bool server = m_connection.isServer();
    if (server) {
        d.setHostName(m_connection.host);
        d.setPort(m_connection.port);
        d.setDatabaseName(m_connection.database);
        d.setUserName(m_connection.user);
        d.setPassword(m_connection.password);
        if (const auto refusal = m_connection.refusal())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"), *refusal);
        d.setConnectOptions(m_connection.serverOptions());
    } else {
        const QFileInfo file(m_connection.file);
        if (file.exists() && !file.isFile())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"),
                 QCoreApplication::translate("ChequeRegister", "it is not a regular file"));
        if (!file.exists() && !QFileInfo(file.absolutePath()).isDir())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot create %1: %2"),
                 QCoreApplication::translate("ChequeRegister", "its folder does not exist"));
        // Opened read-only, a register would leave a read-only shared-memory
        // file beside it that keeps it unusable once it can be written again:
        // it is refused before it is opened; such a file left by a crash or
        // by another program is named.
        if (const auto path = RegisterCheck::UnwritablePart(m_connection.file))
            fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"),
                 *path == m_connection.file
                     ? QCoreApplication::translate("ChequeRegister",
                                                   "it cannot be written (it is read-only); make it "
                                                   "writable, or choose another register")
                     : QCoreApplication::translate("ChequeRegister",
                                                   "the file \"%1\" beside it cannot be written (a program "
                                                   "that stopped left it so); make it writable, or delete it "
                                                   "while no program has the register open")
                           .arg(QDir::toNativeSeparators(*path)));
        RegisterCheck::Start(m_connection.file);
        d.setDatabaseName(m_connection.file);
        // A register another program holds is waited for a few seconds.
        d.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    }
    if (!d.open()) {
        const QString why = d.lastError().text();
        m_needsPassword = server && (why.contains(QLatin1String("password")));
        fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"),
             server ? TlsProblem(why, m_connection).value_or(why) : why);
    }
    // The server is watched while the register is made ready, as in every use.
    if (server) {
        if (!m_watch)
            m_watch = std::make_unique<ServerWatch>();
        m_watch->arm(SocketOf(d), std::chrono::seconds(ServerSeconds));
    }
    const auto unwatch = qScopeGuard([&] {
        if (m_watch && m_uses == 0)
            m_watch->disarm();
    });

    QSqlQuery q(d);
    // A file that is not a database opens; the first question tells.
    if (!q.exec(server ? QStringLiteral("SELECT 1") : QStringLiteral("PRAGMA schema_version")) || !q.next())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"),
             Unusable(q.lastError().text(), m_connection.file));
    q.finish(); // a statement left open keeps SQLite from changing the schema
    if (!server) {
        // A database marked as another program's is never taken over, even
        // when it is empty.
        if (!q.exec(QStringLiteral("PRAGMA application_id")) || !q.next())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"),
                 Unusable(q.lastError().text(), m_connection.file));
        const qint64 mark = q.value(0).toLongLong();
        q.finish();
        if (mark != 0 && mark != kRegisterMark)
            fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"), AnotherProgram());
    }
    if (d.tables(QSql::Tables).isEmpty())
        createSchema(); // unless another program has just made it
    if (!d.tables(QSql::Tables).contains(QLatin1String("register_info")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"), AnotherProgram());
    const int version = schemaVersion();
    if (version < latestVersion()) {
        checkSound(); // a damaged register is not upgraded
        // On a server only the tables' owner may bring them up to date: a
        // person of the office is told who to ask.
        if (server && !ownsRegister())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"),
                 QCoreApplication::translate("ChequeRegister",
                                             "it was made by an older version of the program; its owner (the "
                                             "database's login that made it) opens it once with this version to "
                                             "bring it up to date"));
        upgrade(version);
    }
    if (!server) {
        // One write to the disk per recorded cheque, and a register another
        // process reads while this one writes.
        // (A register on a file system without shared memory stays in its
        // rollback journal: slower, as safe.)
        // Turning a new register to WAL needs it alone for an instant: a
        // program that finds another one opening it at the same moment
        // tries again for as long as a locked register is waited for.
        for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON"})
            for (int attempt = 0; !q.exec(QLatin1String(pragma)); ++attempt) {
                const bool locked = q.lastError().nativeErrorCode() == QLatin1String("5"); // SQLITE_BUSY
                if (!locked || attempt == kOpenAttempts)
                    fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"), q.lastError().text());
                QThread::msleep(100);
            }
        if (!q.exec(QStringLiteral("PRAGMA synchronous")) || !q.next() || q.value(0).toInt() != 2)
            fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"),
                 QCoreApplication::translate("ChequeRegister", "its writes cannot be made durable"));
    }
    m_open = true;
    // A shared register's history still holds what this computer saw.
    if (server)
        checkWitness();
    // Another program's change of a cheque is told as it happens.
    // (Once: a connection opened again keeps its driver, and what was
    // connected to it.)
    QObject::disconnect(m_notification);
    if (server && m_listener && d.driver()->subscribeToNotification(QStringLiteral("cheque_register")))
        m_notification =
            QObject::connect(d.driver(), &QSqlDriver::notification, d.driver(),
                             [listener = m_listener](const QString &, QSqlDriver::NotificationSource source) {
                                 if (source == QSqlDriver::OtherSource)
                                     listener();
                             });
    // A print to a file that a program killed while writing left: its
    // cheques are settled before anything looks at them.
    try {
        settleInterruptedFiles();
    } catch (const ChequeError &) {
        // Using the register says what is wrong with it.
    }
}

int ChequeRegister::schemaVersion()
{
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("SELECT value FROM register_info WHERE key = 'schema_version'")) || !q.next())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"),
             q.lastError().nativeErrorCode() == QLatin1String("42501")
                 ? QCoreApplication::translate("ChequeRegister",
                                               "the login %1 may not read it: the register's owner gives each "
                                               "person a login in one of the office's roles")
                       .arg(m_connection.user)
                 : QCoreApplication::translate("ChequeRegister",
                                               "it is damaged or of another program: it has no schema version"));
    bool ok = false;
    const QString text = q.value(0).toString();
    const int version = text.toInt(&ok);
    if (!ok || version < 1)
        fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"),
             QCoreApplication::translate("ChequeRegister",
                                         "its schema version \"%1\" is none this program ever wrote: "
                                         "it is damaged or of another program, and is left as it is")
                 .arg(text));
    if (version > latestVersion())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"),
             QCoreApplication::translate("ChequeRegister",
                                         "it was made by a newer version of this program (schema %1; this "
                                         "version knows schema %2); it is left untouched")
                 .arg(version)
                 .arg(latestVersion()));
    return version;
}

void ChequeRegister::checkSound()
{
    if (m_checked || m_connection.isServer())
        return;
    // Once a session, before the first write: a damaged file is never
    // written to. (Checked from the moment the register was known.)
    if (const auto problem = RegisterCheck::Result(m_connection.file))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"),
             QCoreApplication::translate("ChequeRegister",
                                         "%1; nothing is written to it. Keep it for its cheques, and choose "
                                         "another register")
                 .arg(*problem));
    m_checked = true;
}

namespace {

// A refusal by the register's own rules ("a cheque is approved by another
// person…"), as its first line; any other error as the driver tells it.
QString ServerReason(const QSqlError &error)
{
    if (error.nativeErrorCode() != QLatin1String("P0001"))
        return error.text();
    QString first = error.databaseText().section(u'\n', 0, 0).trimmed();
    first.remove(QRegularExpression(QStringLiteral("^ERROR:\\s*")));
    return first;
}

} // namespace

QString ChequeRegister::serverReason(const QSqlError &error)
{
    // A lock waited for in vain: who holds the register, asked in a
    // transaction of its own (this one was aborted by the wait), which the
    // caller ends as it would have ended this one.
    if (error.nativeErrorCode() == QLatin1String("55P03") && m_connection.isServer()) {
        QSqlQuery q(db());
        q.exec(QStringLiteral("ROLLBACK"));
        q.exec(QStringLiteral("BEGIN"));
        if (q.exec(QStringLiteral("SELECT string_agg(DISTINCT a.usename, ', ') FROM pg_locks l JOIN pg_stat_activity a "
                                  "ON a.pid = l.pid WHERE l.relation = 'register_lock'::regclass AND l.granted AND "
                                  "l.pid <> pg_backend_pid()"))
            && q.next() && !q.value(0).toString().isEmpty())
            return QCoreApplication::translate("ChequeRegister",
                                               "the register was held for more than %1 seconds by %2; ask them to "
                                               "finish what they are doing, or to close their program")
                .arg(ServerSeconds - 1)
                .arg(q.value(0).toString());
    }
    return ServerReason(error);
}

void ChequeRegister::begin()
{
    checkSound();
    // SQLite: the write lock at once, so that two programs taking the next
    // cheque number wait for each other instead of failing.
    // A server: read committed, so that each event follows the last one
    // committed, whatever isolation the database defaults to (the
    // register's functions take its lock).
    QSqlQuery q(db());
    const bool server = m_connection.isServer();
    if (!q.exec(server ? QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED") : QStringLiteral("BEGIN IMMEDIATE"))) {
        const QString why = q.lastError().text();
        if (server && db().isOpen())
            rollback();
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), why);
    }
}

void ChequeRegister::serialize()
{
    // A server runs two programs' transactions side by side: making or
    // upgrading the register waits for another doing the same.
    if (m_connection.isServer())
        exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kRegisterMark));
}

void ChequeRegister::commit()
{
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("COMMIT")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), q.lastError().text());
}

void ChequeRegister::waitForTheDisk(bool wait)
{
    if (m_connection.isServer())
        return;
    if (wait)
        QSqlQuery(db()).exec(QStringLiteral("PRAGMA synchronous=FULL")); // as the file is opened; never fails a write
    else
        exec(QStringLiteral("PRAGMA synchronous=OFF"));
}

void ChequeRegister::commitWithoutWaiting()
{
    if (m_connection.isServer())
        exec(QStringLiteral("SET LOCAL synchronous_commit TO OFF"));
}

ChequeRegister::Durability::Durability(ChequeRegister &reg, bool durable) : m_register(reg), m_durable(durable)
{
    if (!m_durable)
        m_register.waitForTheDisk(false);
}

ChequeRegister::Durability::~Durability()
{
    if (!m_durable)
        m_register.waitForTheDisk(true);
}

void ChequeRegister::Durability::inTransaction() const
{
    if (!m_durable)
        m_register.commitWithoutWaiting();
}

QSqlQuery &ChequeRegister::prepared(const QString &sql)
{
    auto it = m_queries.find(sql);
    if (it == m_queries.end()) {
        it = m_queries.insert(sql, QSqlQuery(db()));
        it->prepare(sql);
    }
    return *it;
}

void ChequeRegister::rollback()
{
    QSqlQuery q(db());
    q.exec(QStringLiteral("ROLLBACK"));
}

void ChequeRegister::beginJobBatch()
{
    waitForTheDisk(false);
    begin();
    commitWithoutWaiting();
    m_jobBatch = 1;
    m_jobBatchAge.start();
}

void ChequeRegister::endJobBatch()
{
    if (m_jobBatch == 0)
        return;
    m_jobBatch = 0;
    QSqlQuery q(db());
    const bool done = q.exec(QStringLiteral("COMMIT"));
    const QString why = q.lastError().text();
    if (!done)
        rollback();
    waitForTheDisk(true);
    if (!done)
        fail(QCoreApplication::translate("ChequeRegister", "The cheques could not be recorded in %1: %2"), why);
}
