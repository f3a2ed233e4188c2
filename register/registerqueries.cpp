// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <tuple>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlError>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "output/printrun.h"
#include "register/chequeregister.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

// Reading cheques: one, a page of a view, every one of a view, totals and due days.

QString ChequeDateText(const RegisteredCheque &cheque, const QLocale &locale)
{
    return cheque.day.isValid() ? WriteShortDate(cheque.day, locale) : cheque.date;
}

QString RegisteredCheque::amountText() const { return money().text(); }

bool CanReprint(const RegisteredCheque &cheque)
{
    return cheque.chequeNumber > 0 && cheque.state != ChequeState::Cleared;
}

std::optional<std::pair<qint64, qint64>> ReadLeafRange(const QString &text)
{
    static const QRegularExpression range(QStringLiteral("^\\s*(\\d{1,15})\\s*[-–]\\s*(\\d{1,15})\\s*$"));
    const QRegularExpressionMatch m = range.match(WithAsciiDigits(text));
    if (!m.hasMatch())
        return std::nullopt;
    return std::pair{m.captured(1).toLongLong(), m.captured(2).toLongLong()};
}

std::optional<qint64> ReadChequeNumber(const QString &text)
{
    bool ok = false;
    const qint64 number = WithAsciiDigits(text).trimmed().toLongLong(&ok);
    return ok && number >= 1 ? std::optional(number) : std::nullopt;
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
    return findStanding(cheque, QStringLiteral("printed_at >= :since"), {{QStringLiteral(":since"), Utc(since)}});
}

std::optional<RegisteredCheque> ChequeRegister::findIssued(const Cheque &cheque)
{
    if (!cheque.day.isValid())
        return std::nullopt;
    return findStanding(cheque, QStringLiteral("cheque_day = :day"),
                        {{QStringLiteral(":day"), cheque.day.toString(Qt::ISODate)}});
}

std::optional<RegisteredCheque> ChequeRegister::findStanding(const Cheque &cheque, const QString &condition,
                                                             const QVariantMap &values)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT %1 FROM cheques WHERE bank = :bank AND payee_key = :key AND amount_minor = :minor "
                             "AND digits = :digits AND currency = :currency AND state IN (%2) "
                             "AND %3 ORDER BY id DESC LIMIT 1")
                  .arg(QLatin1String(kColumns), StateSqlList(Stands), condition));
    q.bindValue(QStringLiteral(":bank"), Text(cheque.bank));
    q.bindValue(QStringLiteral(":key"), Text(PayeeKey(cheque.payee)));
    q.bindValue(QStringLiteral(":minor"), cheque.minorUnits);
    q.bindValue(QStringLiteral(":digits"), cheque.digits);
    q.bindValue(QStringLiteral(":currency"), Text(FromStd(cheque.currency.EMoneyName.str())));
    for (auto value = values.begin(); value != values.end(); ++value)
        q.bindValue(value.key(), value.value());
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
    case RegisterOrder::Amount: return {c.money().thousandths(), c.number};
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

QList<ChequeRegister::DueDay> ChequeRegister::dueDays(const QDate &from, const QDate &to)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.setForwardOnly(true);
    // Read from the index of the cheques' dates alone, which holds all the
    // sums need (SQLite is kept from the index of the states, which nearly
    // every cheque shares).
    q.prepare(QStringLiteral("SELECT cheque_day, bank, currency, digits, count(*), CAST(sum(amount_minor) AS BIGINT) "
                             "FROM cheques WHERE cheque_day >= :from AND cheque_day <= :to AND %1state IN (%2) "
                             "GROUP BY cheque_day, bank, currency, digits")
                  .arg(m_connection.isServer() ? QString() : QStringLiteral("+"), StateSqlList(IsOutstanding)));
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
