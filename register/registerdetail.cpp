// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerdetail.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

namespace RegisterDetail {

// What a change of state tells in the history: its reason, after its day
// when it has one ("2027-03-01: insufficient funds").
QString EventDetail(const QString &reason, const QDate &day)
{
    if (!day.isValid())
        return reason;
    return reason.isEmpty() ? day.toString(Qt::ISODate) : day.toString(Qt::ISODate) + QStringLiteral(": ") + reason;
}

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

QString AnotherProgram()
{
    return QCoreApplication::translate("ChequeRegister",
                                       "it is a database of another program (it has no cheque "
                                       "register); it is left as it is");
}

// Why a database cannot be used, from what SQLite or the server said (and,
// for a register file, whether its folder can be written: a register keeps
// its journal beside it).
QString Unusable(const QString &said, const QString &file)
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
        parts << QStringLiteral("state IN (%1) AND cheque_day <> '' AND cheque_day < :staleBefore")
                     .arg(StateSqlList(IsOutstanding));
        values[QStringLiteral(":staleBefore")] = f.staleBefore->toString(Qt::ISODate);
    }
    return parts.isEmpty() ? QString() : QStringLiteral(" WHERE ") + parts.join(QLatin1String(" AND "));
}

void Bind(QSqlQuery &q, const QVariantMap &values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        q.bindValue(it.key(), it.value());
}

} // namespace RegisterDetail
