// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the parts of the register share: how its columns are read and
// written, and the PostgreSQL client library's calls. For register/ alone.

#include <optional>

#include <QDateTime>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include "register/chequeregister.h"

class QSqlError;

namespace RegisterDetail {

/// The cheques of a file job recorded to one transaction, and the longest it
/// is held open.
inline constexpr int kJobBatch = 32;
inline constexpr qint64 kJobBatchMs = 100;
/// How often opening a register another program is opening is tried again,
/// 100 ms apart: as long as a locked register is waited for (3 s).
inline constexpr int kOpenAttempts = 30;
/// SQLite's mark of a register of this program (PRAGMA application_id):
/// "Cheq".
inline constexpr qint64 kRegisterMark = 0x43686571;

/// The desktop user who prints.
QString LoginName();
/// A text for a NOT NULL column: Qt binds a null QString as NULL.
QVariant Text(const QString &text);
QString Utc(const QDateTime &time);
/// What a change of state tells in the history: its reason, after its day
/// when it has one ("2027-03-01: insufficient funds").
QString EventDetail(const QString &reason, const QDate &day);

/// The columns of a cheque, in the order RowOf() reads them.
inline constexpr const char *kColumns = "id, bank, cheque_number, cheque_date, payee, amount_minor, digits, currency, "
                                        "currency_arabic, words_en, words_ar, account_only, printed_at, destination, "
                                        "login, state, reason, replaces, cheque_day, state_day";

/// A cheque from its columns, each as `q.value(column)` gives it (a QVariant
/// as Qt's drivers give it).
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
RegisteredCheque Row(const QSqlQuery &q);

/// The column an order sorts on.
const char *OrderColumn(RegisterOrder order);
/// The WHERE clause of a filter, and its values.
QString Where(const RegisterFilter &filter, bool server, QVariantMap &values);
void Bind(QSqlQuery &q, const QVariantMap &values);

QString AnotherProgram();
/// Why a database cannot be used, from what SQLite or the server said (and,
/// for a register file, whether its folder can be written).
QString Unusable(const QString &said, const QString &file = QString());

/// A register's name in this computer's local file: its server and database.
QString RegisterKey(const RegisterConnection &connection);
/// What the client library says of a secure connection that failed, in
/// words that name the server and what to do.
std::optional<QString> TlsProblem(const QString &why, const RegisterConnection &connection);

/// A call of the PostgreSQL client library by its name; null when it has
/// none (the library Qt's driver loaded, asked for by name, not linked).
void *ServerClientCall(const char *name);
/// The client library's connection of an open connection to a PostgreSQL
/// server; null for any other.
void *ServerClientConnection(const QSqlDatabase &d);
/// The socket of a connection to a PostgreSQL server; -1 for any other.
int SocketOf(const QSqlDatabase &d);

} // namespace RegisterDetail
