// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history of the register's cheques: every change of a cheque is an
// event (who, when, what, why), appended and never changed, each chained to
// the one before it by a SHA-256 hash, so that a history rewritten behind
// the program's back no longer matches, and a history rewritten whole no
// longer matches the latest hash printed on the register's report. No
// widgets.

#include <optional>

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

/// One event of the history, as the register keeps it.
struct ChequeEvent
{
    qint64 seq = 0;    ///< its place in the chain: 1, 2, 3 …
    qint64 cheque = 0; ///< the cheque's register number
    QString kind;      ///< "sent", "printed", "failed", "voided", "spoilt", or "existing" (before the history began)
    QString at;        ///< UTC, "2026-12-08T09:14:03.123456Z"
    QString actor;     ///< the database login, or the desktop user of a register file
    QString detail;    ///< where it was sent, or why
    QString prevHash;  ///< hex; empty for the first event
    QString hash;      ///< hex
    /// On a shared register: the cheque as it stood after the event (its
    /// fields joined by U+001E, see ChequeContents), or what the office's
    /// own change changed (no cheque: `cheque` 0); null for events before
    /// the history held them, and in a register file.
    QString contents;
};

/// The hash of an event: SHA-256 over the previous event's hash (as bytes)
/// and the event's fields joined by U+001F (its cheque empty for an event of
/// the office's, its contents last when it has them), in UTF-8; hex.
QString EventHash(const QString &prevHash, qint64 seq, qint64 cheque, const QString &kind, const QString &at,
                  const QString &actor, const QString &detail, const QString &contents = QString());

/// A cheque's contents as an event of a shared register holds them: bank,
/// cheque number (empty without one), payee, amount in sub-units, sub-unit
/// digits, currency, day, English and Arabic words, account only (0 or 1),
/// state, reason and the state's day, joined by U+001E.
QString ChequeContents(const QStringList &fields);

/// A time of an event as the history writes it.
QString EventTime(const QDateTime &utc);

/// Checks a history event by event, in the order of the chain.
class ChainCheck
{
public:
    /// Takes the next event; false (and problem() says why) at the first
    /// event that does not match the history before it.
    bool add(const ChequeEvent &event);

    /// A fault found beside the chain (a cheque that is not as its history
    /// holds it); the first problem stays.
    void refuse(const QString &why);
    /// Whether an event of the chain had `hash` (a hash kept elsewhere).
    bool held(const QString &hash) const { return m_hashes.contains(hash); }

    qint64 events() const { return m_events; }
    QString latestHash() const { return m_last; }
    const std::optional<QString> &problem() const { return m_problem; }

private:
    qint64 m_events = 0;
    QString m_last;
    std::optional<QString> m_problem;
    QSet<QString> m_hashes;
};
