// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <type_traits>

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>

#include "core/chequeerror.h"
#include "register/chequeregister.h"
#include "register/registerdetail.h"
#include "register/serverwatch.h"

#include <sqlite3.h>

using namespace RegisterDetail;

// Every cheque of a view as stored, in one query, for the exports.

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
