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
#include <QString>

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
};

/// The hash of an event: SHA-256 over the previous event's hash (as bytes)
/// and the event's fields joined by U+001F, in UTF-8; hex.
QString EventHash(const QString &prevHash, qint64 seq, qint64 cheque, const QString &kind, const QString &at,
                  const QString &actor, const QString &detail);

/// A time of an event as the history writes it.
QString EventTime(const QDateTime &utc);

/// Checks a history event by event, in the order of the chain.
class ChainCheck
{
public:
    /// Takes the next event; false (and problem() says why) at the first
    /// event that does not match the history before it.
    bool add(const ChequeEvent &event);

    qint64 events() const { return m_events; }
    QString latestHash() const { return m_last; }
    const std::optional<QString> &problem() const { return m_problem; }

private:
    qint64 m_events = 0;
    QString m_last;
    std::optional<QString> m_problem;
};
