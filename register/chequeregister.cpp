// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chequeregister.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <tuple>
#include <type_traits>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>
#include <QThread>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "core/partfile.h"
#include "output/printrun.h"
#include "register/registercheck.h"
#include "register/registerschema.h"
#include "register/serverwatch.h"

#include <dlfcn.h>
#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const char *const kStates[] = {"sent",     "printed",  "failed",    "voided",  "spoilt",   "prepared",
                               "approved", "rejected", "delivered", "cleared", "returned", "stopped"};

// Every state as SQL lists it: 'sent', 'printed', …
QString StateList()
{
    QStringList names;
    for (const char *state : kStates)
        names << QStringLiteral("'%1'").arg(QLatin1String(state));
    return names.join(QLatin1String(", "));
}

// What a change of state tells in the history: its reason, after its day
// when it has one ("2027-03-01: insufficient funds").
QString EventDetail(const QString &reason, const QDate &day)
{
    if (!day.isValid())
        return reason;
    return reason.isEmpty() ? day.toString(Qt::ISODate) : day.toString(Qt::ISODate) + QStringLiteral(": ") + reason;
}

// The desktop user who prints.
// The cheques of a file job recorded to one transaction, and the longest it
// is held open.
constexpr int kJobBatch = 32;
constexpr qint64 kJobBatchMs = 100;
// How often opening a register another program is opening is tried again,
// 100 ms apart: as long as a locked register is waited for (3 s).
constexpr int kOpenAttempts = 30;

QString LoginName()
{
    // Asked of the password database once: it is the same for every cheque.
    static const QString name = [] {
        if (const passwd *pw = ::getpwuid(::geteuid()); pw && pw->pw_name)
            return QString::fromLocal8Bit(pw->pw_name);
        return qEnvironmentVariable("USER");
    }();
    return name;
}

// A text for a NOT NULL column: Qt binds a null QString as NULL.
QVariant Text(const QString &text) { return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text); }

QString Utc(const QDateTime &time) { return time.toUTC().toString(Qt::ISODateWithMs); }

// An amount in thousandths of the currency, whatever its sub-units: the
// register compares amounts of two- and three-digit currencies so.
qint64 Thousandths(qint64 minorUnits, int digits) { return digits == 3 ? minorUnits : minorUnits * 10; }

// The columns of a cheque, in the order Row() reads them.
const char *const kColumns = "id, bank, cheque_number, cheque_date, payee, amount_minor, digits, currency, "
                             "currency_arabic, words_en, words_ar, account_only, printed_at, destination, login, "
                             "state, reason, replaces, cheque_day, state_day";

// A cheque from its columns, each as `q.value(column)` gives it (a QVariant
// as Qt's drivers give it).
template <class Columns>
RegisteredCheque RowOf(const Columns &q)
{
    RegisteredCheque c;
    c.number = q.value(0).toLongLong();
    c.bank = q.value(1).toString();
    c.chequeNumber = q.value(2).toLongLong();
    c.date = q.value(3).toString();
    c.payee = q.value(4).toString();
    c.minorUnits = q.value(5).toLongLong();
    c.digits = q.value(6).toInt();
    c.currency = q.value(7).toString();
    c.currencyArabic = q.value(8).toString();
    c.english = q.value(9).toString();
    c.arabic = q.value(10).toString();
    c.accountOnly = q.value(11).toInt() != 0;
    c.printedAt = QDateTime::fromString(q.value(12).toString(), Qt::ISODateWithMs);
    c.destination = q.value(13).toString();
    c.login = q.value(14).toString();
    c.state = StateFromName(q.value(15).toString()).value_or(ChequeState::Sent);
    c.reason = q.value(16).toString();
    c.replaces = q.value(17).isNull() ? 0 : q.value(17).toLongLong();
    c.day = QDate::fromString(q.value(18).toString(), Qt::ISODate);
    c.stateDay = QDate::fromString(q.value(19).toString(), Qt::ISODate);
    return c;
}

RegisteredCheque Row(const QSqlQuery &q) { return RowOf(q); }

// The column an order sorts on.
const char *OrderColumn(RegisterOrder order)
{
    switch (order) {
    case RegisterOrder::Number: return "id";
    case RegisterOrder::PrintedAt: return "printed_at";
    case RegisterOrder::Bank: return "bank";
    case RegisterOrder::ChequeNumber: return "cheque_number";
    case RegisterOrder::Payee: return "payee_key";
    case RegisterOrder::Amount: return "amount_thousandths";
    case RegisterOrder::State: return "state";
    case RegisterOrder::Day: return "cheque_day";
    }
    return "id";
}

// SQLite's mark of a register of this program (PRAGMA application_id):
// "Cheq".
constexpr qint64 kRegisterMark = 0x43686571;

QString AnotherProgram()
{
    return QCoreApplication::translate("ChequeRegister",
                                       "it is a database of another program (it has no cheque "
                                       "register); it is left as it is");
}

// Why a database cannot be used, from what SQLite or the server said (and,
// for a register file, whether its folder can be written: a register keeps
// its journal beside it).
QString Unusable(const QString &said, const QString &file = QString())
{
    const bool folderReadOnly = !file.isEmpty() && QFileInfo(file).exists()
        && ::access(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), W_OK) != 0;
    if (said.contains(QLatin1String("readonly"), Qt::CaseInsensitive)
        || (folderReadOnly && said.contains(QLatin1String("unable to open"))))
        return QCoreApplication::translate("ChequeRegister",
                                           "the file or its folder cannot be written (a register "
                                           "keeps its journal beside it); choose a folder that can "
                                           "be written");
    return QCoreApplication::translate("ChequeRegister", "it is not a database, or it is damaged (%1)").arg(said);
}

} // namespace

QString RegisterConnection::describe() const
{
    if (isServer())
        return QCoreApplication::translate("ChequeRegister", "the register \"%1\" on the server %2 (user %3)")
            .arg(database, host.isEmpty() ? QStringLiteral("localhost") : host, user);
    return QCoreApplication::translate("ChequeRegister", "the register file \"%1\"")
        .arg(QDir::toNativeSeparators(file));
}

std::variant<QString, QString> RegisterConnection::serverOptions() const
{
    // A server that does not answer, or a row another clerk holds, is given
    // a few seconds; then the cheque is not printed.
    QString options = QStringLiteral("connect_timeout=5;options='-c lock_timeout=5000'");
    const auto refused = [](const QString &why) { return std::variant<QString, QString>(std::in_place_index<1>, why); };
    switch (encryption) {
    case Encryption::Required: options += QStringLiteral(";sslmode=require"); break;
    case Encryption::Verified:
        if (caFile.isEmpty() || !QFileInfo(caFile).isFile())
            return refused(QCoreApplication::translate("ChequeRegister",
                                                       "the certificate authority's file \"%1\" to verify the "
                                                       "server by does not exist")
                               .arg(QDir::toNativeSeparators(caFile)));
        if (caFile.contains(u';'))
            return refused(QCoreApplication::translate("ChequeRegister",
                                                       "the certificate authority's file name \"%1\" "
                                                       "holds a \";\", which a connection cannot carry")
                               .arg(QDir::toNativeSeparators(caFile)));
        // libpq reads its options with blanks and quotes of its own.
        options += QStringLiteral(";sslmode=verify-full;sslrootcert='%1'")
                       .arg(QString(caFile).replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'")));
        break;
    case Encryption::Off:
        if (!isLocalSocket())
            return refused(QCoreApplication::translate("ChequeRegister",
                                                       "a connection without encryption is allowed only through "
                                                       "this computer's own socket; choose encrypted in Register "
                                                       "Connection"));
        options += QStringLiteral(";sslmode=disable");
        break;
    }
    return std::variant<QString, QString>(std::in_place_index<0>, options);
}

namespace {

const char *EncryptionName(RegisterConnection::Encryption e)
{
    switch (e) {
    case RegisterConnection::Encryption::Verified: return "verified";
    case RegisterConnection::Encryption::Off: return "off";
    case RegisterConnection::Encryption::Required: break;
    }
    return "required";
}

// What the client library says of a secure connection that failed, in words
// that name the server and what to do.
std::optional<QString> TlsProblem(const QString &why, const RegisterConnection &c)
{
    const QString server = c.host.isEmpty() ? QStringLiteral("localhost") : c.host;
    if (why.contains(QLatin1String("certificate verify failed")))
        return QCoreApplication::translate("ChequeRegister",
                                           "the server %1 showed a certificate that the certificate authority of "
                                           "\"%2\" did not sign: it may not be your office's server. Nothing is "
                                           "printed without the register")
            .arg(server, QDir::toNativeSeparators(c.caFile));
    if (why.contains(QLatin1String("does not match host name")))
        return QCoreApplication::translate("ChequeRegister",
                                           "the server's certificate is not for the name %1: connect by the name "
                                           "its certificate gives")
            .arg(server);
    if (why.contains(QLatin1String("server does not support SSL")))
        return QCoreApplication::translate("ChequeRegister",
                                           "the server %1 does not offer an encrypted connection: its administrator "
                                           "has to turn TLS on (ssl = on)")
            .arg(server);
    return std::nullopt;
}

} // namespace

namespace {

// A register's name in this computer's local file: its server and database.
QString RegisterKey(const RegisterConnection &c)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(QStringLiteral("%1:%2/%3").arg(c.host).arg(c.port).arg(c.database).toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(32));
}

} // namespace

RegisterConnection ConnectionFromSettings(const QSettings &settings, const QString &dataDir)
{
    RegisterConnection c;
    c.localFile = QDir(dataDir).filePath(QLatin1String(RegisterLocalFileName));
    c.driver = settings.value(QStringLiteral("register/driver"), QStringLiteral("QSQLITE")).toString();
    c.file = settings.value(QStringLiteral("register/file")).toString();
    if (c.file.isEmpty())
        c.file = QDir(dataDir).filePath(QLatin1String(RegisterFileName));
    c.host = settings.value(QStringLiteral("register/host")).toString();
    c.port = settings.value(QStringLiteral("register/port"), 5432).toInt();
    c.database = settings.value(QStringLiteral("register/database")).toString();
    c.user = settings.value(QStringLiteral("register/user")).toString();
    const QString encryption = settings.value(QStringLiteral("register/encryption")).toString();
    c.encryption = encryption == QLatin1String("verified") ? RegisterConnection::Encryption::Verified
        : encryption == QLatin1String("off")               ? RegisterConnection::Encryption::Off
                                                           : RegisterConnection::Encryption::Required;
    c.caFile = settings.value(QStringLiteral("register/ca")).toString();
    return c;
}

void SaveConnection(QSettings &settings, const RegisterConnection &c)
{
    settings.setValue(QStringLiteral("register/driver"), c.driver);
    settings.setValue(QStringLiteral("register/file"), c.file);
    settings.setValue(QStringLiteral("register/host"), c.host);
    settings.setValue(QStringLiteral("register/port"), c.port);
    settings.setValue(QStringLiteral("register/database"), c.database);
    settings.setValue(QStringLiteral("register/user"), c.user);
    settings.setValue(QStringLiteral("register/encryption"), QLatin1String(EncryptionName(c.encryption)));
    settings.setValue(QStringLiteral("register/ca"), c.caFile);
}

QString StateName(ChequeState state) { return QString::fromLatin1(kStates[int(state)]); }

std::optional<ChequeState> StateFromName(const QString &name)
{
    for (int i = 0; i < int(std::size(kStates)); ++i)
        if (name == QLatin1String(kStates[i]))
            return ChequeState(i);
    return std::nullopt;
}

QString ChequeDateText(const RegisteredCheque &cheque, const QLocale &locale)
{
    return cheque.day.isValid() ? WriteShortDate(cheque.day, locale) : cheque.date;
}

QString RegisteredCheque::amountText() const
{
    Cheque c;
    c.minorUnits = minorUnits;
    c.digits = digits;
    return c.amountText();
}

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
    m_queries.clear();
    {
        QSqlDatabase d = QSqlDatabase::database(m_name, false);
        if (d.isValid())
            d.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase ChequeRegister::db() const { return QSqlDatabase::database(m_name, false); }

namespace {

// A call of the PostgreSQL client library by its name; null when it has
// none. The library is the one Qt's driver loaded: asked for by name, not
// linked (linking it would load it, and all it needs, at every start).
void *ServerClientCall(const char *name)
{
    void *library = dlopen("libpq.so.5", RTLD_NOW | RTLD_NOLOAD);
    return library ? dlsym(library, name) : nullptr;
}

// The client library's connection of an open connection to a PostgreSQL
// server; null for any other.
void *ServerClientConnection(const QSqlDatabase &d)
{
    if (!d.isOpen() || !d.driver())
        return nullptr;
    const QVariant handle = d.driver()->handle();
    if (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0)
        return nullptr;
    return *static_cast<void *const *>(handle.constData());
}

// The socket of a connection to a PostgreSQL server; -1 for any other.
int SocketOf(const QSqlDatabase &d)
{
    using Socket = int (*)(const void *);
    const void *connection = ServerClientConnection(d);
    if (!connection)
        return -1;
    static const auto socketOf = reinterpret_cast<Socket>(ServerClientCall("PQsocket"));
    return socketOf ? socketOf(connection) : -1;
}

} // namespace

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
        const auto options = m_connection.serverOptions();
        if (options.index() == 1)
            fail(QCoreApplication::translate("ChequeRegister", "Cannot open %1: %2"), std::get<1>(options));
        d.setConnectOptions(std::get<0>(options));
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

void ChequeRegister::createSchema()
{
    const bool server = m_connection.isServer();
    begin();
    serialize();
    // Another program starting at the same moment may have made it while
    // this one waited for the write lock.
    if (!db().tables(QSql::Tables).isEmpty()) {
        rollback();
        return;
    }
    m_checked = true; // a new file
    if (!server)
        RegisterCheck::Forget(m_connection.file);
    try {
        if (!server)
            exec(QStringLiteral("PRAGMA application_id = %1").arg(kRegisterMark));
        upgradeFrom(0);
        commit();
    } catch (...) {
        rollback();
        throw;
    }
}

void ChequeRegister::runScript(const QString &name)
{
    const QString script = SchemaScript(name);
    if (script.isEmpty())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"),
             QStringLiteral("the program carries no script %1").arg(name));
    for (const QString &statement : SchemaStatements(script))
        exec(statement);
}

void ChequeRegister::upgradeFrom(int version)
{
    // Each version's script in turn, the server's functions first (their
    // bodies are read when they run, by then against the newest tables).
    const bool server = m_connection.isServer();
    if (server) {
        exec(QStringLiteral("SET LOCAL check_function_bodies = off"));
        runScript(QStringLiteral("server-functions"));
    }
    for (int v = version + 1; v <= latestVersion(); ++v)
        runScript(QStringLiteral("%1-%2").arg(server ? QStringLiteral("server") : QStringLiteral("sqlite")).arg(v));
    // What the scripts cannot do: the dates of cheques older than schema 3
    // read from their printed texts; a first event for each cheque older
    // than the history; a file's cheques taking every state (SQLite changes
    // no constraint: its table is made again).
    if (version > 0 && version < 3) {
        if (!server)
            exec(QStringLiteral("PRAGMA application_id = %1").arg(kRegisterMark));
        if (server)
            exec(QStringLiteral("ALTER TABLE cheques DISABLE TRIGGER cheques_guard"));
        fillChequeDays();
        if (server)
            exec(QStringLiteral("ALTER TABLE cheques ENABLE TRIGGER cheques_guard"));
    }
    if (version > 0 && version < 4) {
        QSqlQuery rows(db());
        rows.setForwardOnly(true);
        if (!rows.exec(QStringLiteral("SELECT id, state, reason FROM cheques ORDER BY id")))
            fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), rows.lastError().text());
        QList<std::pair<qint64, QString>> cheques;
        while (rows.next()) {
            const QString reason = rows.value(2).toString();
            cheques.append({rows.value(0).toLongLong(),
                            rows.value(1).toString() + (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason)});
        }
        rows.finish();
        for (const auto &[id, state] : cheques)
            addEvent(id, QStringLiteral("existing"), state);
    }
    if (version < 5 && !server)
        allowEveryState();
    if (server)
        runScript(QStringLiteral("server-grants"));
    exec(QStringLiteral("UPDATE register_info SET value = '%1' WHERE key = 'schema_version'").arg(latestVersion()));
}

int ChequeRegister::latestVersion() const
{
    return m_connection.isServer() ? ServerSchemaVersion : FileSchemaVersion;
}

void ChequeRegister::allowEveryState()
{
    // The table made again with every state in its constraint, its rows,
    // indexes and keys as they were (foreign keys are not enforced while a
    // register is opened, so the history keeps pointing at the table of
    // that name).
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = 'cheques'")) || !q.next())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), q.lastError().text());
    QString table = q.value(0).toString();
    static const QRegularExpression check(QStringLiteral("CHECK \\(state IN \\([^)]*\\)\\)"));
    if (!table.contains(check))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), AnotherProgram());
    table.replace(check, QStringLiteral("CHECK (state IN (%1))").arg(StateList()));
    table.replace(QRegularExpression(QStringLiteral("^CREATE TABLE \"?cheques\"?")),
                  QStringLiteral("CREATE TABLE cheques_new"));
    QStringList indexes;
    if (!q.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'cheques' AND sql "
                               "IS NOT NULL")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), q.lastError().text());
    while (q.next())
        indexes << q.value(0).toString();
    q.finish();
    exec(table);
    exec(QStringLiteral("INSERT INTO cheques_new SELECT * FROM cheques"));
    exec(QStringLiteral("DROP TABLE cheques"));
    exec(QStringLiteral("ALTER TABLE cheques_new RENAME TO cheques"));
    for (const QString &index : std::as_const(indexes))
        exec(index);
}

void ChequeRegister::setUpOfficeRoles()
{
    const Use use(*this);
    if (!m_connection.isServer())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot set up %1: %2"),
             QCoreApplication::translate("ChequeRegister", "people and roles are for a register on a server"));
    begin();
    try {
        QSqlQuery q(db());
        // Making roles needs the right to: said so, for the owner to be given it.
        if (!q.exec(QStringLiteral("SELECT rolcreaterole OR rolsuper FROM pg_roles WHERE rolname = current_user"))
            || !q.next() || !q.value(0).toBool())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot set up %1: %2"),
                 QCoreApplication::translate("ChequeRegister",
                                             "the login %1 may not make roles; give it the right to "
                                             "(sudo -u postgres psql -c \"ALTER ROLE %1 CREATEROLE\"), "
                                             "or make it with createuser --createrole")
                     .arg(m_connection.user));
        q.finish();
        runScript(QStringLiteral("server-roles"));
        runScript(QStringLiteral("server-grants"));
        exec(QStringLiteral("SELECT cheque_office_event('roles', 'cheque_clerks, cheque_approvers, cheque_admins')"));
        commit();
    } catch (...) {
        rollback();
        throw;
    }
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

void ChequeRegister::approvalCall(const QString &sentence, const QString &sql, const QVariantMap &values)
{
    const Use use(*this);
    if (!m_connection.isServer())
        fail(sentence, QCoreApplication::translate("ChequeRegister", "approvals are for a register on a server"));
    begin();
    QSqlQuery q(db());
    q.prepare(sql);
    for (auto it = values.begin(); it != values.end(); ++it)
        q.bindValue(it.key(), it.value());
    if (!q.exec()) {
        const QString why = serverReason(q.lastError());
        q.finish();
        rollback();
        fail(sentence, why);
    }
    q.finish();
    commit();
}

void ChequeRegister::decide(qint64 number, bool approve, const QString &comment)
{
    const QString sentence = approve
        ? QCoreApplication::translate("ChequeRegister", "Cannot approve the cheque in %1: %2")
        : QCoreApplication::translate("ChequeRegister", "Cannot reject the cheque in %1: %2");
    if (!approve && comment.trimmed().isEmpty())
        fail(sentence, QCoreApplication::translate("ChequeRegister", "the reason must be given"));
    approvalCall(sentence, QStringLiteral("SELECT cheque_decide(:id, :approve, :comment)"),
                 {{QStringLiteral(":id"), number},
                  {QStringLiteral(":approve"), approve},
                  {QStringLiteral(":comment"), Text(comment.trimmed())}});
}

void ChequeRegister::setApprovalRule(const QString &bank, const QString &currency, std::optional<qint64> above)
{
    setApprovalAmount("cheque_set_rule", bank, currency, above);
}

void ChequeRegister::setApprovalLimit(const QString &login, const QString &currency, std::optional<qint64> limit)
{
    setApprovalAmount("cheque_set_limit", login, currency, limit);
}

void ChequeRegister::setApprovalAmount(const char *function, const QString &who, const QString &currency,
                                       std::optional<qint64> amount)
{
    approvalCall(QCoreApplication::translate("ChequeRegister", "Cannot set the approval in %1: %2"),
                 QStringLiteral("SELECT %1(:who, :currency, :amount)").arg(QLatin1String(function)),
                 {{QStringLiteral(":who"), Text(who)},
                  {QStringLiteral(":currency"), Text(currency)},
                  {QStringLiteral(":amount"), amount ? QVariant(*amount) : QVariant(QMetaType(QMetaType::LongLong))}});
}

void ChequeRegister::addAccount(const QString &bank, const MonyType &currency)
{
    approvalCall(QCoreApplication::translate("ChequeRegister", "Cannot add the account in %1: %2"),
                 QStringLiteral("SELECT cheque_add_account(:bank, :currency, :arabic, :digits)"),
                 {{QStringLiteral(":bank"), Text(bank)},
                  {QStringLiteral(":currency"), Text(FromStd(currency.EMoneyName.str()))},
                  {QStringLiteral(":arabic"), Text(FromStd(currency.AMoneyName.str()))},
                  {QStringLiteral(":digits"), FigureDigits(currency)}});
}

QList<ChequeRegister::Account> ChequeRegister::accounts()
{
    const Use use(*this);
    QList<Account> accounts;
    if (!m_connection.isServer())
        return accounts;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT bank, currency, digits FROM cheque_accounts ORDER BY bank")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), serverReason(q.lastError()));
    while (q.next())
        accounts.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt()});
    return accounts;
}

QList<ChequeRegister::ApprovalSetting> ChequeRegister::approvalSettings(const QString &select)
{
    const Use use(*this);
    QList<ApprovalSetting> settings;
    if (!m_connection.isServer())
        return settings;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(select))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    while (q.next())
        settings.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toLongLong()});
    return settings;
}

QList<ChequeRegister::ApprovalSetting> ChequeRegister::approvalRules()
{
    return approvalSettings(
        QStringLiteral("SELECT bank, currency, above_thousandths FROM cheque_approval_rules ORDER BY currency, bank"));
}

QList<ChequeRegister::ApprovalSetting> ChequeRegister::approvalLimits()
{
    return approvalSettings(QStringLiteral(
        "SELECT login, currency, limit_thousandths FROM cheque_approval_limits ORDER BY currency, login"));
}

void ChequeRegister::addEvent(qint64 cheque, const QString &kind, const QString &detail)
{
    const auto failWrite = [&](const QSqlQuery &q) {
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), q.lastError().text());
    };
    ChequeEvent e;
    e.cheque = cheque;
    e.kind = kind;
    e.detail = detail.isNull() ? QStringLiteral("") : detail;
    e.at = QStringLiteral("");
    e.actor = QStringLiteral("");
    e.prevHash = QStringLiteral("");
    e.hash = QStringLiteral("");
    if (!m_connection.isServer()) {
        // The write lock is held: the last event is this program's to follow.
        QSqlQuery &last = prepared(QStringLiteral("SELECT seq, hash FROM cheque_events ORDER BY seq DESC LIMIT 1"));
        if (!last.exec())
            failWrite(last);
        if (last.next()) {
            e.seq = last.value(0).toLongLong();
            e.prevHash = last.value(1).toString();
        }
        last.finish();
        ++e.seq;
        e.at = EventTime(QDateTime::currentDateTimeUtc());
        e.actor = LoginName();
        e.hash = EventHash(e.prevHash, e.seq, e.cheque, e.kind, e.at, e.actor, e.detail);
    }
    QSqlQuery &q = prepared(QStringLiteral("INSERT INTO cheque_events (seq, cheque, kind, at, actor, detail, "
                                           "prev_hash, hash) VALUES (:seq, :cheque, :kind, :at, :actor, :detail, "
                                           ":prev, :hash)"));
    q.bindValue(QStringLiteral(":seq"), e.seq);
    q.bindValue(QStringLiteral(":cheque"), e.cheque);
    q.bindValue(QStringLiteral(":kind"), e.kind);
    q.bindValue(QStringLiteral(":at"), e.at);
    q.bindValue(QStringLiteral(":actor"), e.actor);
    q.bindValue(QStringLiteral(":detail"), e.detail);
    q.bindValue(QStringLiteral(":prev"), e.prevHash);
    q.bindValue(QStringLiteral(":hash"), e.hash);
    if (!q.exec())
        failWrite(q);
    q.finish();
}

namespace {

ChequeEvent EventOf(const QSqlQuery &q)
{
    return {q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(), q.value(3).toString(),
            q.value(4).toString(),   q.value(5).toString(),   q.value(6).toString(), q.value(7).toString(),
            q.value(8).isNull() ? QString() : q.value(8).toString()};
}

} // namespace

QList<ChequeRegister::DueDay> ChequeRegister::dueDays(const QDate &from, const QDate &to)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.setForwardOnly(true);
    // Read from the index of the cheques' dates alone, which holds all the
    // sums need (SQLite is kept from the index of the states, which nearly
    // every cheque shares).
    q.prepare(QStringLiteral("SELECT cheque_day, bank, currency, digits, count(*), CAST(sum(amount_minor) AS BIGINT) "
                             "FROM cheques WHERE cheque_day >= :from AND cheque_day <= :to AND %1state IN ('sent', "
                             "'printed', 'delivered') GROUP BY cheque_day, bank, currency, digits")
                  .arg(m_connection.isServer() ? QString() : QStringLiteral("+")));
    q.bindValue(QStringLiteral(":from"), from.toString(Qt::ISODate));
    q.bindValue(QStringLiteral(":to"), to.toString(Qt::ISODate));
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    QList<DueDay> days;
    while (q.next())
        days.append({QDate::fromString(q.value(0).toString(), Qt::ISODate), q.value(1).toString(),
                     q.value(2).toString(), q.value(3).toInt(), q.value(4).toLongLong(), q.value(5).toLongLong(),
                     QString()});
    q.finish();
    // Each currency's Arabic name, from one of its cheques.
    QHash<QString, QString> arabic;
    for (DueDay &d : days) {
        if (!arabic.contains(d.currency)) {
            QSqlQuery name(db());
            name.prepare(QStringLiteral("SELECT currency_arabic FROM cheques WHERE currency = :currency LIMIT 1"));
            name.bindValue(QStringLiteral(":currency"), d.currency);
            arabic.insert(d.currency, name.exec() && name.next() ? name.value(0).toString() : QString());
        }
        d.currencyArabic = arabic.value(d.currency);
    }
    return days;
}

// Every program that opens a shared register keeps the latest event of its
// history it saw: a history shortened or written anew behind the office's
// back no longer holds it.
QString ChequeRegister::witnessGroup() const { return QStringLiteral("witness/") + RegisterKey(m_connection); }

void ChequeRegister::checkWitness()
{
    if (m_connection.localFile.isEmpty())
        return;
    const QSettings local(m_connection.localFile, QSettings::IniFormat);
    const qint64 seq = local.value(witnessGroup() + QStringLiteral("/seq")).toLongLong();
    const QString hash = local.value(witnessGroup() + QStringLiteral("/hash")).toString();
    if (seq > 0) {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT hash FROM cheque_events WHERE seq = :seq"));
        q.bindValue(QStringLiteral(":seq"), seq);
        if (!q.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), serverReason(q.lastError()));
        if (!q.next() || q.value(0).toString() != hash) {
            m_open = false;
            fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"),
                 QCoreApplication::translate("ChequeRegister",
                                             "its history no longer holds the event %1 with the hash %2 that this "
                                             "computer saw on %3: it was shortened or written anew since. Nothing "
                                             "is written to it: tell the office's administrator. Should the change "
                                             "be the office's own (the register restored from its backup), the "
                                             "administrator removes what this computer saw from \"%4\".")
                     .arg(seq)
                     .arg(hash, local.value(witnessGroup() + QStringLiteral("/at")).toString(),
                          QDir::toNativeSeparators(m_connection.localFile)));
        }
    }
    rememberLatestEvent();
}

void ChequeRegister::rememberLatestEvent()
{
    if (m_connection.localFile.isEmpty())
        return;
    const std::optional<ChequeEvent> latest = latestEvent();
    if (!latest)
        return;
    QSettings local(m_connection.localFile, QSettings::IniFormat);
    local.beginGroup(witnessGroup());
    if (local.value(QStringLiteral("seq")).toLongLong() == latest->seq)
        return;
    local.setValue(QStringLiteral("seq"), latest->seq);
    local.setValue(QStringLiteral("hash"), latest->hash);
    local.setValue(QStringLiteral("at"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
}

QString ChequeRegister::eventColumns() const
{
    return m_connection.isServer() ? QStringLiteral("seq, cheque, kind, at, actor, detail, prev_hash, hash, contents")
                                   : QStringLiteral("seq, cheque, kind, at, actor, detail, prev_hash, hash, NULL");
}

QList<ChequeEvent> ChequeRegister::history(qint64 number)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT %1 FROM cheque_events WHERE cheque = :cheque ORDER BY seq")
                  .arg(eventColumns()));
    q.bindValue(QStringLiteral(":cheque"), number);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    QList<ChequeEvent> events;
    while (q.next())
        events.append(EventOf(q));
    return events;
}

std::optional<ChequeEvent> ChequeRegister::latestEvent()
{
    const Use use(*this);
    QSqlQuery q(db());
    if (!q.exec(
            QStringLiteral("SELECT %1 FROM cheque_events ORDER BY seq DESC LIMIT 1").arg(eventColumns())))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    return q.next() ? std::optional(EventOf(q)) : std::nullopt;
}

ChainCheck ChequeRegister::checkHistory()
{
    const Use use(*this);
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM cheque_events ORDER BY seq").arg(eventColumns())))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    ChainCheck check;
    while (q.next() && check.add(EventOf(q))) {
    }
    q.finish();
    if (!m_connection.isServer() || check.problem())
        return check;
    // Every cheque stands as its latest event holds it, and has events: a
    // cheque written or changed behind the register's back does not.
    if (!q.exec(QStringLiteral(
            "SELECT c.id, c.bank, c.cheque_number, c.payee, c.amount_minor, c.digits, c.currency, c.cheque_day, "
            "c.words_en, c.words_ar, c.account_only, c.state, c.reason, c.state_day, (SELECT e.contents FROM "
            "cheque_events e WHERE e.cheque = c.id ORDER BY e.seq DESC LIMIT 1), EXISTS (SELECT 1 FROM cheque_events "
            "e WHERE e.cheque = c.id) FROM cheques c ORDER BY c.id")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), serverReason(q.lastError()));
    while (q.next()) {
        const QString cheque = QCoreApplication::translate("ChequeRegister", "Cheque %1 (%2 No. %3, %4)")
                                   .arg(q.value(0).toLongLong())
                                   .arg(q.value(1).toString(), q.value(2).toString(), q.value(3).toString());
        if (!q.value(15).toBool()) {
            check.refuse(cheque + QCoreApplication::translate("ChequeRegister",
                                                              " has no event in the history: it was written behind "
                                                              "the register's back"));
            break;
        }
        if (q.value(14).isNull())
            continue; // its events are older than the history's contents
        QStringList fields;
        for (int i = 1; i <= 13; ++i)
            fields << (q.value(i).isNull() ? QString() : q.value(i).toString());
        if (ChequeContents(fields) != q.value(14).toString()) {
            check.refuse(cheque + QCoreApplication::translate("ChequeRegister",
                                                              " is not as its history holds it: it was changed "
                                                              "behind the register's back"));
            break;
        }
    }
    return check;
}

void ChequeRegister::fillChequeDays()
{
    // The dates as they were printed: in this desktop's short format, or
    // as yyyy-mm-dd; left empty ('') where neither reads.
    QSqlQuery rows(db());
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT id, cheque_date FROM cheques")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), rows.lastError().text());
    QSqlQuery update(db());
    update.prepare(QStringLiteral("UPDATE cheques SET cheque_day = :day WHERE id = :id"));
    QHash<QString, QString> days;
    QList<std::pair<qint64, QString>> found;
    while (rows.next()) {
        const QString text = rows.value(1).toString();
        auto known = days.constFind(text);
        if (known == days.cend()) {
            QDate day = ReadShortDate(text).value_or(QDate());
            if (!day.isValid())
                day = QDate::fromString(text.trimmed(), Qt::ISODate);
            known = days.insert(text, day.isValid() ? day.toString(Qt::ISODate) : QString());
        }
        if (!known->isEmpty())
            found.append({rows.value(0).toLongLong(), *known});
    }
    rows.finish();
    for (const auto &[id, day] : found) {
        update.bindValue(QStringLiteral(":day"), day);
        update.bindValue(QStringLiteral(":id"), id);
        if (!update.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), update.lastError().text());
    }
}

bool ChequeRegister::ownsRegister()
{
    QSqlQuery q(db());
    return q.exec(QStringLiteral("SELECT pg_has_role(session_user, tableowner, 'MEMBER') FROM pg_tables WHERE "
                                 "schemaname = current_schema() AND tablename = 'cheques'"))
        && q.next() && q.value(0).toBool();
}

void ChequeRegister::upgrade(int from)
{
    // In place, in one transaction: a register is never left half upgraded
    // (nor upgraded twice by two programs starting at once).
    begin();
    try {
        serialize();
        if (schemaVersion() != from) {
            rollback();
            return;
        }
        upgradeFrom(from);
        commit();
    } catch (...) {
        rollback();
        throw;
    }
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

ChequeRegister::Recorded ChequeRegister::recordSent(const Cheque &cheque, const QString &destination, qint64 replaces,
                                                    qint64 job, qint64 approved)
{
    const Use use(*this, job > 0);
    if (approved > 0 && !m_connection.isServer())
        fail(QCoreApplication::translate("ChequeRegister", "The cheque could not be recorded in %1: %2"),
             QCoreApplication::translate("ChequeRegister", "approvals are for a register on a server"));
    try {
        return record(cheque, destination, replaces, job, approved);
    } catch (const ChequeError &) {
        // A server that went away is connected to afresh for the next cheque.
        if (m_connection.isServer())
            m_open = false;
        throw;
    }
}

namespace {
const QString kNeedsApproval = QStringLiteral("SELECT cheque_needs_approval(:bank, :currency, :thousandths)");
} // namespace

std::optional<bool> ChequeRegister::askApproval(const Cheque &cheque)
{
    QSqlQuery &need = prepared(kNeedsApproval);
    need.bindValue(QStringLiteral(":bank"), Text(cheque.bank));
    need.bindValue(QStringLiteral(":currency"), Text(FromStd(cheque.currency.EMoneyName.str())));
    need.bindValue(QStringLiteral(":thousandths"), Thousandths(cheque.minorUnits, cheque.digits));
    if (!need.exec() || !need.next())
        return std::nullopt; // the error stays on the query
    const bool needed = need.value(0).toBool();
    need.finish();
    return needed;
}

bool ChequeRegister::needsApproval(const Cheque &cheque)
{
    if (!m_connection.isServer())
        return false;
    try {
        const Use use(*this);
        return askApproval(cheque).value_or(false);
    } catch (const ChequeError &) {
        return false; // recording the cheque says what is wrong
    }
}

ChequeRegister::Recorded ChequeRegister::record(const Cheque &cheque, const QString &destination, qint64 replaces,
                                                qint64 job, qint64 approved)
{
    Recorded recorded;
    // A cheque of a file job: in the job's transaction.
    const bool batched = job > 0;
    auto failWrite = [&](QSqlQuery &q) {
        QString why = serverReason(q.lastError());
        // A cheque number already taken: the next number was set back into
        // a cheque book already used.
        const QString code = q.lastError().nativeErrorCode();
        if (recorded.chequeNumber > 0 && (code == QLatin1String("2067") || code == QLatin1String("23505")))
            why = QCoreApplication::translate(
                      "ChequeRegister",
                      "the cheque number %1 of the bank \"%2\" is already in the register; set the "
                      "bank's next cheque number (Cheque Numbers in the register window)")
                      .arg(recorded.chequeNumber)
                      .arg(cheque.bank);
        q.finish();
        // A file job's transaction goes with its cheque: the file is given up.
        rollback();
        if (batched) {
            m_jobBatch = 0;
            waitForTheDisk(true);
        }
        fail(QCoreApplication::translate("ChequeRegister", "The cheque could not be recorded in %1: %2"), why);
    };
    if (batched) {
        // Not waited for on the disk: the job's completion, written before
        // the file takes its place, brings every cheque of it there (a
        // cheque lost to a power cut was in a file that never took its
        // place).
        if (m_jobBatch == 0)
            beginJobBatch();
        else
            ++m_jobBatch;
    } else {
        begin();
    }
    const auto finishRecord = [&] {
        QSqlQuery done(db());
        if (!batched && !done.exec(QStringLiteral("COMMIT")))
            failWrite(done);
        // A few cheques to a transaction, and none held long: another
        // program recording a cheque waits a moment at most.
        // A cheque kept for approval is not the file's: it stays recorded
        // whatever becomes of the file.
        if (batched && (recorded.prepared || m_jobBatch >= kJobBatch || m_jobBatchAge.elapsed() >= kJobBatchMs))
            endJobBatch();
        return recorded;
    };
    if (approved > 0) {
        // The server takes its number and sends it, if it is approved and
        // was never printed.
        QSqlQuery &q = prepared(QStringLiteral("SELECT cheque_print_approved(:id, :destination, :job)"));
        q.bindValue(QStringLiteral(":id"), approved);
        q.bindValue(QStringLiteral(":destination"), Text(destination));
        q.bindValue(QStringLiteral(":job"), job > 0 ? QVariant(job) : QVariant(QMetaType(QMetaType::LongLong)));
        if (!q.exec() || !q.next())
            failWrite(q);
        recorded.number = approved;
        recorded.chequeNumber = q.value(0).toLongLong();
        q.finish();
        return finishRecord();
    }
    // On a server, the register's own function records it from what was
    // chosen (the account, the payee, the amount, the date) and derives the
    // rest: its number, or that it is prepared for the office's approval
    // (no number, nothing printed), in the account's currency.
    if (m_connection.isServer()) {
        QSqlQuery &q = prepared(QStringLiteral(
            "SELECT r_id, r_number, r_prepared FROM cheque_record(:bank, :currency, :arabic, :digits, :payee, :key, "
            ":minor, :day, :en, :ar, :account, :destination, :replaces, :job)"));
        q.bindValue(QStringLiteral(":bank"), Text(cheque.bank));
        q.bindValue(QStringLiteral(":currency"), Text(FromStd(cheque.currency.EMoneyName.str())));
        q.bindValue(QStringLiteral(":arabic"), Text(FromStd(cheque.currency.AMoneyName.str())));
        q.bindValue(QStringLiteral(":digits"), cheque.digits);
        q.bindValue(QStringLiteral(":payee"), Text(cheque.payee));
        q.bindValue(QStringLiteral(":key"), Text(PayeeKey(cheque.payee)));
        q.bindValue(QStringLiteral(":minor"), cheque.minorUnits);
        q.bindValue(QStringLiteral(":day"), cheque.day.isValid() ? QVariant(cheque.day) : QVariant(QMetaType(QMetaType::QDate)));
        q.bindValue(QStringLiteral(":en"), Text(cheque.english));
        q.bindValue(QStringLiteral(":ar"), Text(cheque.arabic));
        q.bindValue(QStringLiteral(":account"), cheque.accountOnly);
        q.bindValue(QStringLiteral(":destination"), Text(destination));
        q.bindValue(QStringLiteral(":replaces"),
                    replaces > 0 ? QVariant(replaces) : QVariant(QMetaType(QMetaType::LongLong)));
        q.bindValue(QStringLiteral(":job"), job > 0 ? QVariant(job) : QVariant(QMetaType(QMetaType::LongLong)));
        if (!q.exec() || !q.next())
            failWrite(q);
        recorded.number = q.value(0).toLongLong();
        recorded.chequeNumber = q.value(1).toLongLong();
        recorded.prepared = q.value(2).toBool();
        q.finish();
        return finishRecord();
    }
    // The bank's next cheque number, taken: 1 for a bank the register has
    // never seen.
    QSqlQuery &number = prepared(
        QStringLiteral("INSERT INTO cheque_numbers (bank, next_number) VALUES (:bank, 2) ON CONFLICT (bank) DO UPDATE "
                       "SET next_number = cheque_numbers.next_number + 1 RETURNING next_number - 1"));
    number.bindValue(QStringLiteral(":bank"), Text(cheque.bank));
    if (!recorded.prepared) {
        if (!number.exec() || !number.next())
            failWrite(number);
        recorded.chequeNumber = number.value(0).toLongLong();
        number.finish();
        // A bank with cheque books prints only on their leaves: past the
        // last leaf of one, its numbers go on at the first leaf of the next.
        QSqlQuery &leaf = prepared(QStringLiteral(
            "SELECT (SELECT count(*) FROM cheque_books WHERE bank = :bank), (SELECT count(*) FROM cheque_books WHERE "
            "bank = :bank2 AND :number BETWEEN first_leaf AND last_leaf), (SELECT min(first_leaf) FROM cheque_books "
            "WHERE bank = :bank3 AND first_leaf > :number2)"));
        for (const char *name : {":bank", ":bank2", ":bank3"})
            leaf.bindValue(QLatin1String(name), Text(cheque.bank));
        leaf.bindValue(QStringLiteral(":number"), recorded.chequeNumber);
        leaf.bindValue(QStringLiteral(":number2"), recorded.chequeNumber);
        if (!leaf.exec() || !leaf.next())
            failWrite(leaf);
        const bool outside = leaf.value(0).toLongLong() > 0 && leaf.value(1).toLongLong() == 0;
        const QVariant nextBook = leaf.value(2);
        leaf.finish();
        if (outside && !nextBook.isNull()) {
            recorded.chequeNumber = nextBook.toLongLong();
            QSqlQuery &move =
                prepared(QStringLiteral("UPDATE cheque_numbers SET next_number = :next WHERE bank = :bank"));
            move.bindValue(QStringLiteral(":next"), recorded.chequeNumber + 1);
            move.bindValue(QStringLiteral(":bank"), Text(cheque.bank));
            if (!move.exec())
                failWrite(move);
            move.finish();
        } else if (outside) {
            rollback();
            if (batched) {
                m_jobBatch = 0;
                waitForTheDisk(true);
            }
            fail(QCoreApplication::translate("ChequeRegister", "The cheque could not be recorded in %1: %2"),
                 QCoreApplication::translate("ChequeRegister",
                                             "its number %1 is in none of the cheque books of \"%2\"; add the "
                                             "bank's next cheque book (Cheque Numbers in the register window)")
                     .arg(recorded.chequeNumber)
                     .arg(cheque.bank));
        }
    }
    QSqlQuery &q = prepared(QStringLiteral(
        "INSERT INTO cheques (bank, cheque_number, cheque_date, payee, payee_key, amount_minor, digits, "
        "amount_thousandths, currency, currency_arabic, words_en, words_ar, account_only, printed_at, destination, "
        "login, state, replaces, cheque_day, job) VALUES (:bank, :number, :date, :payee, :key, :minor, :digits, "
        ":thousandths, :currency, :arabic, :en, :ar, :account, :at, :destination, :login, :state, :replaces, :day, "
        ":job) RETURNING id"));
    q.bindValue(QStringLiteral(":bank"), Text(cheque.bank));
    q.bindValue(QStringLiteral(":number"),
                recorded.prepared ? QVariant(QMetaType(QMetaType::LongLong)) : QVariant(recorded.chequeNumber));
    q.bindValue(QStringLiteral(":state"), StateName(recorded.prepared ? ChequeState::Prepared : ChequeState::Sent));
    q.bindValue(QStringLiteral(":date"), Text(cheque.date));
    q.bindValue(QStringLiteral(":payee"), Text(cheque.payee));
    q.bindValue(QStringLiteral(":key"), Text(PayeeKey(cheque.payee)));
    q.bindValue(QStringLiteral(":minor"), cheque.minorUnits);
    q.bindValue(QStringLiteral(":digits"), cheque.digits);
    q.bindValue(QStringLiteral(":thousandths"), Thousandths(cheque.minorUnits, cheque.digits));
    q.bindValue(QStringLiteral(":currency"), Text(FromStd(cheque.currency.EMoneyName.str())));
    q.bindValue(QStringLiteral(":arabic"), Text(FromStd(cheque.currency.AMoneyName.str())));
    q.bindValue(QStringLiteral(":en"), Text(cheque.english));
    q.bindValue(QStringLiteral(":ar"), Text(cheque.arabic));
    q.bindValue(QStringLiteral(":account"), cheque.accountOnly ? 1 : 0);
    q.bindValue(QStringLiteral(":at"), Utc(QDateTime::currentDateTimeUtc()));
    q.bindValue(QStringLiteral(":destination"), Text(recorded.prepared ? QString() : destination));
    q.bindValue(QStringLiteral(":login"), Text(LoginName()));
    q.bindValue(QStringLiteral(":replaces"),
                replaces > 0 ? QVariant(replaces) : QVariant(QMetaType(QMetaType::LongLong)));
    q.bindValue(QStringLiteral(":day"), cheque.day.isValid() ? cheque.day.toString(Qt::ISODate) : QStringLiteral(""));
    q.bindValue(QStringLiteral(":job"),
                job > 0 && !recorded.prepared ? QVariant(job) : QVariant(QMetaType(QMetaType::LongLong)));
    if (!q.exec() || !q.next())
        failWrite(q);
    recorded.number = q.value(0).toLongLong();
    q.finish();
    try {
        if (!m_connection.isServer()) // a server writes it itself
            addEvent(recorded.number, StateName(ChequeState::Sent), destination);
    } catch (const ChequeError &) {
        rollback();
        if (batched) {
            m_jobBatch = 0;
            waitForTheDisk(true);
        }
        throw;
    }
    return finishRecord();
}

void ChequeRegister::setState(qint64 number, ChequeState state, const QString &reason, bool durable, const QDate &day)
{
    const Use use(*this);
    checkSound();
    const Durability durability(*this, durable);
    begin();
    durability.inTransaction();
    try {
        changeState(number, state, reason, day);
        commit();
    } catch (const ChequeError &) {
        rollback();
        throw;
    }
}

void ChequeRegister::changeState(qint64 number, ChequeState state, const QString &reason, const QDate &day)
{
    const auto cannot = [state] {
        switch (state) {
        case ChequeState::Voided:
            return QCoreApplication::translate("ChequeRegister", "Cannot void the cheque in %1: %2");
        case ChequeState::Spoilt:
            return QCoreApplication::translate("ChequeRegister", "Cannot mark the cheque spoilt in %1: %2");
        case ChequeState::Failed:
            return QCoreApplication::translate("ChequeRegister", "Cannot mark the cheque failed in %1: %2");
        case ChequeState::Delivered:
            return QCoreApplication::translate("ChequeRegister", "Cannot mark the cheque delivered in %1: %2");
        case ChequeState::Cleared:
            return QCoreApplication::translate("ChequeRegister", "Cannot mark the cheque cleared in %1: %2");
        case ChequeState::Returned:
            return QCoreApplication::translate("ChequeRegister", "Cannot mark the cheque returned in %1: %2");
        case ChequeState::Stopped:
            return QCoreApplication::translate("ChequeRegister", "Cannot mark the cheque stopped in %1: %2");
        default: return QCoreApplication::translate("ChequeRegister", "Cannot mark the cheque printed in %1: %2");
        }
    };
    const bool needsReason = state == ChequeState::Voided || state == ChequeState::Spoilt
        || state == ChequeState::Returned || state == ChequeState::Stopped;
    if (needsReason && reason.trimmed().isEmpty())
        fail(cannot(), QCoreApplication::translate("ChequeRegister", "the reason must be given"));
    if (state == ChequeState::Cleared && !day.isValid())
        fail(cannot(), QCoreApplication::translate("ChequeRegister", "the bank's date must be given"));
    if (m_connection.isServer()) {
        // The server moves it as its rules allow, and writes its event.
        QSqlQuery &q = prepared(QStringLiteral("SELECT cheque_set_state(:id, :state, :reason, :day)"));
        q.bindValue(QStringLiteral(":id"), number);
        q.bindValue(QStringLiteral(":state"), StateName(state));
        q.bindValue(QStringLiteral(":reason"), Text(reason.trimmed()));
        q.bindValue(QStringLiteral(":day"), day.isValid() ? day.toString(Qt::ISODate) : QStringLiteral(""));
        if (!q.exec()) {
            const QString why = serverReason(q.lastError());
            q.finish();
            fail(cannot(), why);
        }
        q.finish();
        return;
    }
    // A state is reached only from the states it comes from (a file has no
    // guard of its own for it).
    QStringList from;
    for (ChequeState s : AllStates)
        if (CanChangeState(s, state) || (state == ChequeState::Failed && s == ChequeState::Sent))
            from << QStringLiteral("'%1'").arg(StateName(s));
    QSqlQuery &q = prepared(
        QStringLiteral("UPDATE cheques SET state = :state, reason = :reason, state_day = :day WHERE id = :id%1")
            .arg(from.isEmpty() ? QString() : QStringLiteral(" AND state IN (%1)").arg(from.join(u','))));
    q.bindValue(QStringLiteral(":state"), StateName(state));
    q.bindValue(QStringLiteral(":reason"), Text(reason.trimmed()));
    q.bindValue(QStringLiteral(":day"), day.isValid() ? day.toString(Qt::ISODate) : QStringLiteral(""));
    q.bindValue(QStringLiteral(":id"), number);
    const bool done = q.exec();
    const QString why = q.lastError().text();
    const int rows = q.numRowsAffected();
    q.finish();
    if (!done)
        fail(cannot(), why);
    if (rows == 0) {
        QSqlQuery now(db());
        now.prepare(QStringLiteral("SELECT state FROM cheques WHERE id = :id"));
        now.bindValue(QStringLiteral(":id"), number);
        fail(cannot(),
             now.exec() && now.next()
                 ? QCoreApplication::translate("ChequeRegister", "the cheque is %1").arg(now.value(0).toString())
                 : QCoreApplication::translate("ChequeRegister", "there is no cheque %1").arg(number));
    }
    addEvent(number, StateName(state), EventDetail(reason.trimmed(), day));
}

void ChequeRegister::markClearedAll(const QList<std::pair<qint64, QDate>> &cleared)
{
    const Use use(*this);
    checkSound();
    begin();
    try {
        for (const auto &[number, day] : cleared)
            changeState(number, ChequeState::Cleared, QString(), day);
        commit();
    } catch (const ChequeError &) {
        rollback();
        throw;
    }
}

std::optional<RegisteredCheque> ChequeRegister::chequeByNumber(const QString &bank, qint64 chequeNumber)
{
    const Use use(*this);
    QSqlQuery &q = prepared(QStringLiteral("SELECT %1 FROM cheques WHERE bank = :bank AND cheque_number = :number")
                                .arg(QLatin1String(kColumns)));
    q.bindValue(QStringLiteral(":bank"), Text(bank));
    q.bindValue(QStringLiteral(":number"), chequeNumber);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    std::optional<RegisteredCheque> found;
    if (q.next())
        found = Row(q);
    q.finish();
    return found;
}

void ChequeRegister::markAfterPrint(qint64 number, ChequeState state, const QDate &day, const QString &reason)
{
    setState(number, state, reason, true, day);
}

void ChequeRegister::markPrinted(qint64 number, bool durable)
{
    setState(number, ChequeState::Printed, QString(), durable);
}

void ChequeRegister::markFailed(qint64 number, const QString &reason) { setState(number, ChequeState::Failed, reason); }

void ChequeRegister::voidCheque(qint64 number, const QString &reason) { setState(number, ChequeState::Voided, reason); }

void ChequeRegister::markSpoilt(qint64 number, const QString &reason) { setState(number, ChequeState::Spoilt, reason); }

// A shared register is told nothing of a print job's files: their paths
// stay in the data folder of the computer that prints (a record on a server
// anyone of the office writes would name any file), with the digest of the
// file completed.
QString ChequeRegister::localJobsGroup() const
{
    return QStringLiteral("jobs/") + RegisterKey(m_connection);
}

QList<ChequeRegister::FileJob> ChequeRegister::unfinishedFileJobs()
{
    QList<FileJob> jobs;
    if (!m_connection.isServer()) {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT id, target, part, state, digest FROM file_jobs "
                                 "WHERE host = :host AND state IN ('writing', 'complete')"));
        q.bindValue(QStringLiteral(":host"), Text(QSysInfo::machineHostName()));
        if (!q.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
        while (q.next())
            jobs.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                         q.value(4).toString().toLatin1()});
        return jobs;
    }
    if (m_connection.localFile.isEmpty())
        return jobs;
    QSettings local(m_connection.localFile, QSettings::IniFormat);
    local.beginGroup(localJobsGroup());
    for (const QString &id : local.childGroups()) {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT state FROM file_jobs WHERE id = :id AND login = session_user"));
        q.bindValue(QStringLiteral(":id"), id.toLongLong());
        if (!q.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), serverReason(q.lastError()));
        const QString state = q.next() ? q.value(0).toString() : QString();
        if (state != QLatin1String("writing") && state != QLatin1String("complete")) {
            local.remove(id); // ended, or none of this login's
            continue;
        }
        jobs.append({id.toLongLong(), local.value(id + QStringLiteral("/target")).toString(),
                     local.value(id + QStringLiteral("/part")).toString(), state,
                     local.value(id + QStringLiteral("/digest")).toString().toLatin1()});
    }
    return jobs;
}

qint64 ChequeRegister::beginFileJob(const QString &target, const QString &part)
{
    const Use use(*this);
    checkSound();
    // Two prints of one computer to one file: the second would replace the
    // first's file after its cheques were marked printed.
    for (const FileJob &job : unfinishedFileJobs())
        if (job.target == target && ProbePartFile(job.part) == PartState::Writing)
            throw ChequeError(QCoreApplication::translate("ChequeRegister",
                                                          "The file \"%1\" is being written by another print: wait "
                                                          "for it to end, or choose another name")
                                  .arg(QDir::toNativeSeparators(target))
                                  .toStdString());
    const bool server = m_connection.isServer();
    QSqlQuery q(db());
    if (server) {
        q.prepare(QStringLiteral("SELECT cheque_job_begin(:host)"));
    } else {
        q.prepare(QStringLiteral("INSERT INTO file_jobs (target, part, host, started_at, state) "
                                 "VALUES (:target, :part, :host, :at, 'writing') RETURNING id"));
        q.bindValue(QStringLiteral(":target"), Text(target));
        q.bindValue(QStringLiteral(":part"), Text(part));
        q.bindValue(QStringLiteral(":at"), Utc(QDateTime::currentDateTimeUtc()));
    }
    q.bindValue(QStringLiteral(":host"), Text(QSysInfo::machineHostName()));
    // In a transaction of its own: SQLite writes a statement that returns a
    // row only after the row is read, and a write that fails then (a full
    // disk) would leave a job that never was.
    begin();
    QSqlQuery end(db());
    const bool done = q.exec() && q.next();
    const qint64 job = done ? q.value(0).toLongLong() : 0;
    const QString why = server ? serverReason(q.lastError()) : q.lastError().text();
    q.finish();
    if (!done || !end.exec(QStringLiteral("COMMIT"))) {
        const QString reason = done ? end.lastError().text() : why;
        rollback();
        fail(QCoreApplication::translate("ChequeRegister", "The cheques could not be recorded in %1: %2"), reason);
    }
    if (server && !m_connection.localFile.isEmpty()) {
        QSettings local(m_connection.localFile, QSettings::IniFormat);
        local.beginGroup(localJobsGroup() + u'/' + QString::number(job));
        local.setValue(QStringLiteral("target"), target);
        local.setValue(QStringLiteral("part"), part);
    }
    return job;
}

void ChequeRegister::completeFileJob(qint64 job, const QByteArray &digest)
{
    const Use use(*this); // the job's last cheques written first
    checkSound();
    // Waited for on the disk: its cheques, written before it and not waited
    // for, are there with it.
    QSqlQuery q(db());
    if (m_connection.isServer()) {
        if (!m_connection.localFile.isEmpty()) {
            QSettings local(m_connection.localFile, QSettings::IniFormat);
            local.setValue(localJobsGroup() + QStringLiteral("/%1/digest").arg(job), QString::fromLatin1(digest));
            local.sync();
        }
        q.prepare(QStringLiteral("SELECT cheque_job_complete(:job)"));
    } else {
        q.prepare(QStringLiteral("UPDATE file_jobs SET state = 'complete', digest = :digest WHERE id = :job"));
        q.bindValue(QStringLiteral(":digest"), Text(QString::fromLatin1(digest)));
    }
    q.bindValue(QStringLiteral(":job"), job);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), serverReason(q.lastError()));
}

int ChequeRegister::endFileJob(qint64 job, ChequeState state, const QString &reason, const char *jobState)
{
    const Use use(*this);
    begin();
    if (m_connection.isServer()) {
        // The server marks them, and writes their events.
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT cheque_job_end(:job, :printed, :reason)"));
        q.bindValue(QStringLiteral(":job"), job);
        q.bindValue(QStringLiteral(":printed"), state == ChequeState::Printed);
        q.bindValue(QStringLiteral(":reason"), Text(reason));
        const bool done = q.exec() && q.next();
        const int count = done ? q.value(0).toInt() : 0;
        const QString why = serverReason(q.lastError());
        q.finish();
        QSqlQuery end(db());
        if (!done || !end.exec(QStringLiteral("COMMIT"))) {
            const QString problem = done ? end.lastError().text() : why;
            rollback();
            fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), problem);
        }
        if (!m_connection.localFile.isEmpty())
            QSettings(m_connection.localFile, QSettings::IniFormat)
                .remove(localJobsGroup() + u'/' + QString::number(job));
        return count;
    }
    QSqlQuery q(db());
    QList<qint64> cheques;
    q.prepare(QStringLiteral("SELECT id FROM cheques WHERE job = :job AND state = 'sent' ORDER BY id"));
    q.bindValue(QStringLiteral(":job"), job);
    bool done = q.exec();
    while (done && q.next())
        cheques << q.value(0).toLongLong();
    if (done) {
        q.prepare(
            QStringLiteral("UPDATE cheques SET state = :state, reason = :reason WHERE job = :job AND state = 'sent'"));
        q.bindValue(QStringLiteral(":state"), StateName(state));
        q.bindValue(QStringLiteral(":reason"), Text(reason));
        q.bindValue(QStringLiteral(":job"), job);
        done = q.exec();
    }
    if (done) {
        q.prepare(QStringLiteral("UPDATE file_jobs SET state = :state WHERE id = :job"));
        q.bindValue(QStringLiteral(":state"), QLatin1String(jobState));
        q.bindValue(QStringLiteral(":job"), job);
        done = q.exec();
    }
    const QString why = q.lastError().text();
    q.finish();
    try {
        for (qsizetype i = 0; done && i < cheques.size(); ++i)
            addEvent(cheques[i], StateName(state), reason);
    } catch (const ChequeError &) {
        rollback();
        throw;
    }
    QSqlQuery end(db());
    if (!done || !end.exec(QStringLiteral("COMMIT"))) {
        const QString problem = done ? end.lastError().text() : why;
        rollback();
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), problem);
    }
    return int(cheques.size());
}

void ChequeRegister::closeFileJob(qint64 job) { endFileJob(job, ChequeState::Printed, QString(), "done"); }

int ChequeRegister::failFileJob(qint64 job, const QString &reason)
{
    return endFileJob(job, ChequeState::Failed, reason, "failed");
}

int ChequeRegister::settleInterruptedFiles()
{
    const Use use(*this);
    int settled = 0;
    for (const FileJob &job : unfinishedFileJobs()) {
        const PartState part = ProbePartFile(job.part);
        if (part == PartState::Writing)
            continue; // its program is still writing it
        // A part is never put in place but by its own writer: the file took
        // its place when the part is gone and the file holds what it did.
        const bool complete = job.state == QLatin1String("complete");
        const bool inPlace = complete && part == PartState::Absent && !job.digest.isEmpty()
            && FileDigest(job.target) == job.digest;
        if (inPlace) {
            settled += endFileJob(job.id, ChequeState::Printed, QString(), "done");
            continue;
        }
        // The part goes first: stopped between the two, the next settling
        // finds the job without its part, and fails it. (Only a file named
        // as the target's part: a record names any path.)
        if (IsPartOf(job.part, job.target))
            QFile::remove(job.part);
        const QString target = QDir::toNativeSeparators(job.target);
        settled += failFileJob(job.id, complete && part == PartState::Absent
                                           ? QCoreApplication::translate("ChequeRegister",
                                                                         "the file \"%1\" does not hold them: it was "
                                                                         "replaced or removed before the program that "
                                                                         "wrote it marked them")
                                                 .arg(target)
                                           : QCoreApplication::translate("ChequeRegister",
                                                                         "the file \"%1\" never took its place: the "
                                                                         "program stopped while writing it")
                                                 .arg(target));
    }
    return settled;
}

std::optional<RegisteredCheque> ChequeRegister::cheque(qint64 number)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT %1 FROM cheques WHERE id = :id").arg(QLatin1String(kColumns)));
    q.bindValue(QStringLiteral(":id"), number);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    if (!q.next())
        return std::nullopt;
    return Row(q);
}

std::optional<RegisteredCheque> ChequeRegister::findDuplicate(const Cheque &cheque, const QDateTime &since)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT %1 FROM cheques WHERE bank = :bank AND payee_key = :key AND amount_minor = :minor "
                             "AND digits = :digits AND currency = :currency AND state IN ('sent', 'printed') "
                             "AND printed_at >= :since ORDER BY id DESC LIMIT 1")
                  .arg(QLatin1String(kColumns)));
    q.bindValue(QStringLiteral(":bank"), Text(cheque.bank));
    q.bindValue(QStringLiteral(":key"), Text(PayeeKey(cheque.payee)));
    q.bindValue(QStringLiteral(":minor"), cheque.minorUnits);
    q.bindValue(QStringLiteral(":digits"), cheque.digits);
    q.bindValue(QStringLiteral(":currency"), Text(FromStd(cheque.currency.EMoneyName.str())));
    q.bindValue(QStringLiteral(":since"), Utc(since));
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    if (!q.next())
        return std::nullopt;
    return Row(q);
}

QStringList ChequeRegister::banks()
{
    const Use use(*this);
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT bank FROM cheque_numbers UNION SELECT DISTINCT bank FROM cheques ORDER BY 1")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    QStringList banks;
    while (q.next())
        banks << q.value(0).toString();
    return banks;
}

bool SetFilterAmounts(RegisterFilter &filter, const QString &minimum, const QString &maximum)
{
    // In thousandths; nothing for an empty box.
    const auto read = [](const QString &text, std::optional<qint64> &amount) {
        if (text.trimmed().isEmpty()) {
            amount.reset();
            return true;
        }
        const auto value = ReadAmountLoosely(text);
        if (!value || *value < 0 || *value > 1e15)
            return false;
        amount = std::llround(*value * 1000);
        return true;
    };
    std::optional<qint64> low, high;
    if (!read(minimum, low) || !read(maximum, high))
        return false;
    filter.minThousandths = low;
    filter.maxThousandths = high;
    return true;
}

bool CanChangeState(ChequeState from, ChequeState to)
{
    switch (to) {
    case ChequeState::Voided: return from != ChequeState::Voided && from != ChequeState::Cleared;
    case ChequeState::Spoilt:
        return from == ChequeState::Sent || from == ChequeState::Printed || from == ChequeState::Failed;
    case ChequeState::Printed: return from == ChequeState::Sent;
    case ChequeState::Approved:
    case ChequeState::Rejected: return from == ChequeState::Prepared;
    case ChequeState::Delivered: return from == ChequeState::Printed;
    case ChequeState::Cleared:
    case ChequeState::Stopped:
        return from == ChequeState::Printed || from == ChequeState::Delivered || from == ChequeState::Returned;
    case ChequeState::Returned: return from == ChequeState::Printed || from == ChequeState::Delivered;
    default: return false;
    }
}

QStringList AllBanks(const QStringList &listed, ChequeRegister *reg)
{
    QStringList all = listed;
    try {
        if (reg)
            all += reg->banks();
    } catch (const ChequeError &) {
    }
    all.removeDuplicates();
    all.sort(Qt::CaseInsensitive);
    return all;
}

std::optional<ChequeBook> BookOf(const QList<ChequeBook> &books, qint64 number)
{
    for (const ChequeBook &book : books)
        if (number >= book.first && number <= book.last)
            return book;
    return std::nullopt;
}

QList<ChequeBook> ChequeRegister::chequeBooks(const QString &bank)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT first_leaf, last_leaf FROM cheque_books WHERE bank = :bank ORDER BY first_leaf"));
    q.bindValue(QStringLiteral(":bank"), Text(bank));
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    QList<ChequeBook> books;
    while (q.next())
        books.append({bank, q.value(0).toLongLong(), q.value(1).toLongLong()});
    return books;
}

void ChequeRegister::addChequeBook(const QString &bank, qint64 first, qint64 last)
{
    const Use use(*this);
    checkSound();
    const QString cannot = QCoreApplication::translate("ChequeRegister", "Cannot add the cheque book in %1: %2");
    if (m_connection.isServer()) {
        approvalCall(cannot, QStringLiteral("SELECT cheque_add_book(:bank, :first, :last)"),
                     {{QStringLiteral(":bank"), Text(bank)}, {QStringLiteral(":first"), first}, {QStringLiteral(":last"), last}});
        return;
    }
    if (first < 1 || last < first)
        fail(cannot,
             QCoreApplication::translate("ChequeRegister",
                                         "its leaves run from a number from 1 to one as "
                                         "high or higher"));
    const QList<ChequeBook> books = chequeBooks(bank);
    for (const ChequeBook &book : books)
        if (first <= book.last && last >= book.first)
            fail(cannot,
                 QCoreApplication::translate("ChequeRegister", "its leaves meet those of the book %1–%2")
                     .arg(book.first)
                     .arg(book.last));
    const qint64 next = nextChequeNumber(bank);
    const bool nextInABook = BookOf(books, next).has_value();
    begin();
    try {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("INSERT INTO cheque_books (bank, first_leaf, last_leaf, added_at) VALUES (:bank, "
                                 ":first, :last, :at)"));
        q.bindValue(QStringLiteral(":bank"), Text(bank));
        q.bindValue(QStringLiteral(":first"), first);
        q.bindValue(QStringLiteral(":last"), last);
        q.bindValue(QStringLiteral(":at"), Utc(QDateTime::currentDateTimeUtc()));
        if (!q.exec())
            fail(cannot, q.lastError().text());
        // The bank's numbers go on in the new book when the one in use is
        // used up (or there was none), never back onto leaves behind them.
        if (!nextInABook && next < first) {
            QSqlQuery move(db());
            move.prepare(QStringLiteral("INSERT INTO cheque_numbers (bank, next_number) VALUES (:bank, :next) "
                                        "ON CONFLICT (bank) DO UPDATE SET next_number = excluded.next_number"));
            move.bindValue(QStringLiteral(":bank"), Text(bank));
            move.bindValue(QStringLiteral(":next"), first);
            if (!move.exec())
                fail(cannot, move.lastError().text());
        }
        commit();
    } catch (const ChequeError &) {
        rollback();
        throw;
    }
}

std::optional<qint64> ChequeRegister::leavesLeft(const QString &bank)
{
    const QList<ChequeBook> books = chequeBooks(bank);
    if (books.isEmpty())
        return std::nullopt;
    // In the book in use and the books after it.
    const qint64 next = nextChequeNumber(bank);
    qint64 left = 0;
    for (const ChequeBook &book : books)
        if (book.last >= next)
            left += book.last - std::max(book.first, next) + 1;
    return left;
}

qint64 ChequeRegister::nextChequeNumber(const QString &bank)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT next_number FROM cheque_numbers WHERE bank = :bank"));
    q.bindValue(QStringLiteral(":bank"), Text(bank));
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    return q.next() ? q.value(0).toLongLong() : 1;
}

void ChequeRegister::setNextChequeNumber(const QString &bank, qint64 next)
{
    const Use use(*this);
    checkSound();
    const QString cannot = QCoreApplication::translate("ChequeRegister", "Cannot set the next cheque number in %1: %2");
    if (m_connection.isServer()) {
        approvalCall(cannot, QStringLiteral("SELECT cheque_set_next_number(:bank, :next)"),
                     {{QStringLiteral(":bank"), Text(bank)}, {QStringLiteral(":next"), next}});
        return;
    }
    if (chequeByNumber(bank, next))
        fail(cannot,
             QCoreApplication::translate("ChequeRegister", "cheque No. %1 of \"%2\" is in the register already")
                 .arg(next)
                 .arg(bank));
    const QList<ChequeBook> books = chequeBooks(bank);
    if (!books.isEmpty() && !BookOf(books, next))
        fail(cannot,
             QCoreApplication::translate("ChequeRegister", "%1 is in none of the cheque books of \"%2\"")
                 .arg(next)
                 .arg(bank));
    QSqlQuery q(db());
    q.prepare(QStringLiteral("INSERT INTO cheque_numbers (bank, next_number) VALUES (:bank, :next) "
                             "ON CONFLICT (bank) DO UPDATE SET next_number = excluded.next_number"));
    q.bindValue(QStringLiteral(":bank"), Text(bank));
    q.bindValue(QStringLiteral(":next"), next);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), q.lastError().text());
}

namespace {

// The WHERE clause of a filter, and its values.
QString Where(const RegisterFilter &f, bool server, QVariantMap &values)
{
    QStringList parts;
    if (f.from) {
        parts << QStringLiteral("printed_at >= :from");
        values[QStringLiteral(":from")] = Utc(QDateTime(*f.from, QTime(0, 0)));
    }
    if (f.to) {
        parts << QStringLiteral("printed_at < :to");
        values[QStringLiteral(":to")] = Utc(QDateTime(f.to->addDays(1), QTime(0, 0)));
    }
    if (f.datedFrom) {
        parts << QStringLiteral("cheque_day >= :datedFrom");
        values[QStringLiteral(":datedFrom")] = f.datedFrom->toString(Qt::ISODate);
    }
    if (f.datedTo) {
        parts << QStringLiteral("cheque_day <= :datedTo AND cheque_day <> ''");
        values[QStringLiteral(":datedTo")] = f.datedTo->toString(Qt::ISODate);
    }
    if (!f.bank.isEmpty()) {
        parts << QStringLiteral("bank = :bank");
        values[QStringLiteral(":bank")] = f.bank;
    }
    if (const QString key = PayeeKey(f.payee); !key.isEmpty()) {
        parts << (server ? QStringLiteral("strpos(payee_key, :payee) > 0")
                         : QStringLiteral("instr(payee_key, :payee) > 0"));
        values[QStringLiteral(":payee")] = key;
    }
    if (f.minThousandths) {
        parts << QStringLiteral("amount_thousandths >= :min");
        values[QStringLiteral(":min")] = *f.minThousandths;
    }
    if (f.maxThousandths) {
        parts << QStringLiteral("amount_thousandths <= :max");
        values[QStringLiteral(":max")] = *f.maxThousandths;
    }
    if (f.state) {
        parts << QStringLiteral("state = :state");
        values[QStringLiteral(":state")] = StateName(*f.state);
    }
    if (f.staleBefore) {
        parts << QStringLiteral("state IN ('sent', 'printed', 'delivered') AND cheque_day <> '' AND cheque_day < "
                                ":staleBefore");
        values[QStringLiteral(":staleBefore")] = f.staleBefore->toString(Qt::ISODate);
    }
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(QLatin1String(" AND "));
}

void Bind(QSqlQuery &q, const QVariantMap &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        q.bindValue(it.key(), it.value());
}

} // namespace

QList<ChequeRegister::Total> ChequeRegister::totals(const RegisterFilter &filter)
{
    QList<Total> live;
    for (const Total &t : stateTotals(filter)) {
        if (!IsLive(t.state))
            continue;
        if (live.isEmpty() || live.last().currency != t.currency || live.last().digits != t.digits)
            live.append({t.currency, t.digits, 0, 0, QString(), ChequeState::Printed});
        live.last().count += t.count;
        live.last().minorUnits += t.minorUnits;
    }
    return live;
}

QList<ChequeRegister::Total> ChequeRegister::stateTotals(const RegisterFilter &filter)
{
    const Use use(*this);
    QVariantMap values;
    const QString where = Where(filter, m_connection.isServer(), values);
    QSqlQuery q(db());
    // Unfiltered, the totals are read from their own index alone. Filtered,
    // SQLite is kept from walking that index in order (and reading every
    // cheque through it) when the filter's own index finds the few cheques.
    const bool unordered = !where.isEmpty() && !m_connection.isServer();
    q.prepare(QStringLiteral("SELECT currency, digits, count(*), CAST(sum(amount_minor) AS BIGINT), bank, state "
                             "FROM cheques%1 GROUP BY %2")
                  .arg(where,
                       unordered ? QStringLiteral("+currency, +digits, +state, +bank")
                                 : QStringLiteral("currency, digits, state, bank")));
    Bind(q, values);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    QList<Total> totals;
    while (q.next())
        totals.append({q.value(0).toString(), q.value(1).toInt(), q.value(2).toLongLong(), q.value(3).toLongLong(),
                       q.value(4).toString(), StateFromName(q.value(5).toString()).value_or(ChequeState::Sent)});
    std::sort(totals.begin(), totals.end(), [](const Total &a, const Total &b) {
        return std::tie(a.currency, a.digits, a.bank, a.state) < std::tie(b.currency, b.digits, b.bank, b.state);
    });
    return totals;
}

ChequeRegister::PageKey ChequeRegister::keyOf(const RegisteredCheque &c, RegisterOrder order)
{
    switch (order) {
    case RegisterOrder::Number: return {c.number, c.number};
    case RegisterOrder::PrintedAt: return {Utc(c.printedAt), c.number};
    case RegisterOrder::Bank: return {c.bank, c.number};
    case RegisterOrder::ChequeNumber: return {c.chequeNumber, c.number};
    case RegisterOrder::Payee: return {PayeeKey(c.payee), c.number};
    case RegisterOrder::Amount: return {Thousandths(c.minorUnits, c.digits), c.number};
    case RegisterOrder::State: return {StateName(c.state), c.number};
    case RegisterOrder::Day:
        return {c.day.isValid() ? c.day.toString(Qt::ISODate) : QString(QLatin1String("")), c.number};
    }
    return {c.number, c.number};
}

QList<RegisteredCheque> ChequeRegister::page(const RegisterFilter &filter, RegisterOrder order, bool descending,
                                             const std::optional<PageKey> &after, int limit)
{
    const Use use(*this);
    QVariantMap values;
    QString where = Where(filter, m_connection.isServer(), values);
    const QString column = QLatin1String(OrderColumn(order));
    const QString direction = descending ? QStringLiteral("DESC") : QStringLiteral("ASC");
    if (after) {
        // The rows after the last one shown: a page is found by its key,
        // however deep it lies.
        const QString beyond = descending ? QStringLiteral("<") : QStringLiteral(">");
        where += where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ");
        if (order == RegisterOrder::Number) {
            where += QStringLiteral("id %1 :afterId").arg(beyond);
        } else {
            where += QStringLiteral("(%1, id) %2 (:after, :afterId)").arg(column, beyond);
            values[QStringLiteral(":after")] = after->value;
        }
        values[QStringLiteral(":afterId")] = after->number;
    }
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM cheques%2 ORDER BY %3 %4, id %4 LIMIT %5")
                  .arg(QLatin1String(kColumns), where, column, direction)
                  .arg(limit));
    Bind(q, values);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    QList<RegisteredCheque> rows;
    while (q.next())
        rows.append(Row(q));
    return rows;
}

namespace {

class SqliteStoredCheque final : public ChequeRegister::StoredCheque
{
public:
    SqliteStoredCheque(ChequeRegister &reg, sqlite3_stmt *statement) : m_register(reg), m_statement(statement) {}
    // (SQLite runs a query beside the one that reads the cheques; Qt's
    // driver reads a number in a text column, and the like, its own way.)
    RegisteredCheque read() const override { return m_register.cheque(integer(Id)).value_or(RegisteredCheque()); }
    Kind kind(Column column) const override
    {
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_NULL: return Null;
        case SQLITE_INTEGER: return Integer;
        case SQLITE_TEXT: return Text;
        default: return Other;
        }
    }
    qint64 integer(Column column) const override { return sqlite3_column_int64(m_statement, column); }
    std::string_view text(Column column) const override
    {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return text ? std::string_view(text, std::size_t(sqlite3_column_bytes(m_statement, column)))
                    : std::string_view();
    }

private:
    ChequeRegister &m_register;
    sqlite3_stmt *m_statement;
};

// The calls of the PostgreSQL client library a read of the stored cheques
// makes. The result states are the library's own numbers, fixed by its
// interface.
struct ServerCalls
{
    enum : int { CommandOk = 1, TuplesOk = 2, SingleTuple = 9 };
    int (*sendQueryParams)(void *, const char *, int, const void *, const char *const *, const int *, const int *,
                           int) = nullptr;
    int (*setSingleRowMode)(void *) = nullptr;
    int (*isBusy)(void *) = nullptr;
    void *(*getResult)(void *) = nullptr;
    int (*resultStatus)(const void *) = nullptr;
    char *(*resultErrorMessage)(const void *) = nullptr;
    char *(*errorMessage)(const void *) = nullptr;
    char *(*getValue)(const void *, int, int) = nullptr;
    int (*getLength)(const void *, int, int) = nullptr;
    int (*getIsNull)(const void *, int, int) = nullptr;
    void (*clear)(void *) = nullptr;
    bool loaded = false;

    static const ServerCalls &get()
    {
        static const ServerCalls calls = [] {
            ServerCalls c;
            const auto load = [](auto &call, const char *name) {
                call = reinterpret_cast<std::remove_reference_t<decltype(call)>>(ServerClientCall(name));
                return call != nullptr;
            };
            c.loaded = load(c.sendQueryParams, "PQsendQueryParams") && load(c.setSingleRowMode, "PQsetSingleRowMode")
                && load(c.isBusy, "PQisBusy") && load(c.getResult, "PQgetResult")
                && load(c.resultStatus, "PQresultStatus") && load(c.resultErrorMessage, "PQresultErrorMessage")
                && load(c.errorMessage, "PQerrorMessage") && load(c.getValue, "PQgetvalue")
                && load(c.getLength, "PQgetlength") && load(c.getIsNull, "PQgetisnull") && load(c.clear, "PQclear");
            return c;
        }();
        return calls;
    }
};

class ServerStoredCheque final : public ChequeRegister::StoredCheque
{
public:
    explicit ServerStoredCheque(const ServerCalls &calls) : m_calls(calls) {}
    void setRow(const void *result) { m_result = result; }
    // As Qt's driver reads the server's texts (no other query can run on
    // the connection while this one sends its rows).
    RegisteredCheque read() const override
    {
        struct Columns
        {
            const ServerStoredCheque &row;
            QVariant value(int column) const
            {
                const auto c = Column(column);
                switch (row.kind(c)) {
                case Null: return QVariant();
                case Integer: return row.integer(c);
                default: return QString::fromUtf8(row.text(c).data(), qsizetype(row.text(c).size()));
                }
            }
        };
        return RowOf(Columns{*this});
    }
    Kind kind(Column column) const override
    {
        if (m_calls.getIsNull(m_result, 0, column))
            return Null;
        switch (column) {
        case Id:
        case ChequeNumber:
        case AmountMinor:
        case Digits:
        case AccountOnly:
        case Replaces: return Integer;
        default: return Text;
        }
    }
    qint64 integer(Column column) const override
    {
        const std::string_view digits = text(column);
        qint64 value = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return value;
    }
    std::string_view text(Column column) const override
    {
        return std::string_view(m_calls.getValue(m_result, 0, column),
                                std::size_t(m_calls.getLength(m_result, 0, column)));
    }

private:
    const ServerCalls &m_calls;
    const void *m_result = nullptr;
};

} // namespace

bool ChequeRegister::forEachStored(const RegisterView &view, const std::function<bool(const StoredCheque &)> &each)
{
    const Use use(*this);
    const QVariant handle = db().driver()->handle();
    const bool server = m_connection.isServer();
    if (server ? !ServerCalls::get().loaded || !ServerClientConnection(db())
               : qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    QVariantMap values;
    const QString where = Where(view.filter, server, values);
    const QString direction = view.descending ? QStringLiteral("DESC") : QStringLiteral("ASC");
    QString sql = QStringLiteral("SELECT %1 FROM cheques%2 ORDER BY %3 %4, id %4")
                      .arg(QLatin1String(kColumns), where, QLatin1String(OrderColumn(view.order)), direction);
    if (server)
        return forEachStoredOnServer(sql, values, each);

    auto *connection = *static_cast<sqlite3 *const *>(handle.constData());
    // Read as stored in a file of UTF-8 only: SQLite's conversion from a
    // UTF-16 file's texts is not Qt's.
    {
        QSqlQuery encoding(db());
        if (!encoding.exec(QStringLiteral("PRAGMA encoding")) || !encoding.next()
            || encoding.value(0).toString() != QLatin1String("UTF-8"))
            return false;
    }
    sqlite3_stmt *statement = nullptr;
    const auto finalize = qScopeGuard([&] { sqlite3_finalize(statement); });
    const auto failed = [&] {
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"),
             QString::fromUtf8(sqlite3_errmsg(connection)));
    };
    const QByteArray query = sql.toUtf8();
    if (sqlite3_prepare_v2(connection, query.constData(), int(query.size()), &statement, nullptr) != SQLITE_OK)
        failed();
    // Bound as Qt's SQLite driver binds them.
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int at = sqlite3_bind_parameter_index(statement, it.key().toUtf8().constData());
        switch (it.value().typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool: sqlite3_bind_int64(statement, at, it.value().toLongLong()); break;
        case QMetaType::Double: sqlite3_bind_double(statement, at, it.value().toDouble()); break;
        default: {
            const QByteArray text = it.value().toString().toUtf8();
            sqlite3_bind_text(statement, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    const SqliteStoredCheque row(*this, statement);
    for (;;) {
        const int step = sqlite3_step(statement);
        if (step == SQLITE_DONE)
            return true;
        if (step != SQLITE_ROW)
            failed();
        if (!each(row))
            return true;
    }
}

bool ChequeRegister::forEachStoredOnServer(QString sql, const QVariantMap &values,
                                           const std::function<bool(const StoredCheque &)> &each)
{
    const ServerCalls &pq = ServerCalls::get();
    void *connection = ServerClientConnection(db());
    // The named values as the server's numbered parameters, the longest
    // names first (no name is then taken for the start of another).
    QStringList names = values.keys();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    std::vector<QByteArray> texts;
    std::vector<const char *> parameters;
    for (const QString &name : std::as_const(names)) {
        texts.push_back(values[name].toString().toUtf8());
        sql.replace(name, QStringLiteral("$%1").arg(texts.size()));
    }
    for (const QByteArray &text : texts)
        parameters.push_back(text.constData());
    const auto failed = [&](const void *result) {
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"),
             QString::fromUtf8(result ? pq.resultErrorMessage(result) : pq.errorMessage(connection)).trimmed());
    };
    if (!pq.sendQueryParams(connection, sql.toUtf8().constData(), int(parameters.size()), nullptr, parameters.data(),
                            nullptr, nullptr, 0))
        failed(nullptr);
    pq.setSingleRowMode(connection);
    // The time limit holds while the program waits for the server, not
    // while it writes what it got.
    m_watch->disarm();
    const auto next = [&] {
        if (pq.isBusy(connection)) {
            m_watch->arm(SocketOf(db()), std::chrono::seconds(ServerSeconds));
            void *result = pq.getResult(connection);
            m_watch->disarm();
            return result;
        }
        return pq.getResult(connection);
    };
    const auto isError = [&](const void *result) {
        const int status = pq.resultStatus(result);
        return status != ServerCalls::SingleTuple && status != ServerCalls::TuplesOk
            && status != ServerCalls::CommandOk;
    };
    QString problem;
    {
        // Every result is taken, to the last, before the connection is used
        // again: the rest is read and dropped when the cheques are no longer
        // wanted (the export stopped, or its file could not take them).
        // (No cancel: the server's own connection for it is not under the
        // time limit.)
        const auto rest = qScopeGuard([&] {
            while (void *result = next()) {
                if (problem.isEmpty() && isError(result))
                    problem = QString::fromUtf8(pq.resultErrorMessage(result)).trimmed();
                pq.clear(result);
            }
        });
        ServerStoredCheque row(pq);
        while (void *result = next()) {
            const auto clear = qScopeGuard([&] { pq.clear(result); });
            if (isError(result)) {
                problem = QString::fromUtf8(pq.resultErrorMessage(result)).trimmed();
                break;
            }
            if (pq.resultStatus(result) != ServerCalls::SingleTuple)
                continue;
            row.setRow(result);
            if (!each(row))
                break;
        }
    }
    if (!problem.isEmpty())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), problem);
    return true;
}

qint64 ChequeRegister::forEach(const RegisterView &view, const std::function<bool(const RegisteredCheque &)> &each)
{
    qint64 given = 0;
    std::optional<PageKey> after;
    for (;;) {
        const QList<RegisteredCheque> rows = page(view.filter, view.order, view.descending, after, 1000);
        for (const RegisteredCheque &row : rows) {
            ++given;
            if (!each(row))
                return given;
        }
        if (rows.size() < 1000)
            return given;
        after = keyOf(rows.last(), view.order);
    }
}
