// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QSqlError>

#include "core/chequeerror.h"
#include "register/chequeregister.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

// The history: each cheque's events, their chain, and what this computer saw of it.

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
        if (m_gathered && !m_gathered->empty()) {
            // It follows the last event gathered.
            e.seq = m_gathered->back().seq;
            e.prevHash = m_gathered->back().hash;
        } else {
            // The write lock is held: the last event is this program's to follow.
            QSqlQuery &last = prepared(QStringLiteral("SELECT seq, hash FROM cheque_events ORDER BY seq DESC LIMIT 1"));
            if (!last.exec())
                failWrite(last);
            if (last.next()) {
                e.seq = last.value(0).toLongLong();
                e.prevHash = last.value(1).toString();
            }
            last.finish();
        }
        ++e.seq;
        e.at = EventTime(QDateTime::currentDateTimeUtc());
        e.actor = LoginName();
        e.hash = EventHash(e.prevHash, e.seq, e.cheque, e.kind, e.at, e.actor, e.detail);
        if (m_gathered) {
            m_gathered->push_back(std::move(e));
            return;
        }
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

void ChequeRegister::writeGathered()
{
    std::vector<ChequeEvent> events = std::move(*m_gathered);
    m_gathered.reset();
    constexpr std::size_t kRows = 64; // of 8 values each
    for (std::size_t from = 0; from < events.size(); from += kRows) {
        const std::size_t rows = std::min(kRows, events.size() - from);
        QStringList values(qsizetype(rows), QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?)"));
        QSqlQuery &q = prepared(QStringLiteral("INSERT INTO cheque_events (seq, cheque, kind, at, actor, detail, "
                                               "prev_hash, hash) VALUES %1")
                                    .arg(values.join(u',')));
        int at = 0;
        for (std::size_t i = from; i < from + rows; ++i) {
            const ChequeEvent &e = events[i];
            for (const QVariant &value :
                 {QVariant(e.seq), QVariant(e.cheque), QVariant(e.kind), QVariant(e.at), QVariant(e.actor),
                  QVariant(e.detail), QVariant(e.prevHash), QVariant(e.hash)})
                q.bindValue(at++, value);
        }
        if (!q.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), q.lastError().text());
        q.finish();
    }
}

namespace {

ChequeEvent EventOf(const QSqlQuery &q)
{
    return {q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toString(),
            q.value(3).toString(),   q.value(4).toString(),   q.value(5).toString(),
            q.value(6).toString(),   q.value(7).toString(),   q.value(8).isNull() ? QString() : q.value(8).toString()};
}

} // namespace

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
    q.prepare(QStringLiteral("SELECT %1 FROM cheque_events WHERE cheque = :cheque ORDER BY seq").arg(eventColumns()));
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
    if (!q.exec(QStringLiteral("SELECT %1 FROM cheque_events ORDER BY seq DESC LIMIT 1").arg(eventColumns())))
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
            check.refuse(cheque
                         + QCoreApplication::translate("ChequeRegister",
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
            check.refuse(cheque
                         + QCoreApplication::translate("ChequeRegister",
                                                       " is not as its history holds it: it was changed "
                                                       "behind the register's back"));
            break;
        }
    }
    return check;
}
