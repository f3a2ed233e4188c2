// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chequehistory.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QStringList>

QString EventHash(const QString &prevHash, qint64 seq, qint64 cheque, const QString &kind, const QString &at,
                  const QString &actor, const QString &detail, const QString &contents)
{
    QStringList parts{QString::number(seq), cheque > 0 ? QString::number(cheque) : QString(), kind, at, actor, detail};
    if (!contents.isNull())
        parts << contents;
    const QByteArray fields = parts.join(QChar(0x1f)).toUtf8();
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::fromHex(prevHash.toLatin1()) + fields, QCryptographicHash::Sha256)
            .toHex());
}

QString ChequeContents(const QStringList &fields) { return fields.join(QChar(0x1e)); }

QString EventTime(const QDateTime &utc)
{
    return utc.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + QStringLiteral("000Z");
}

bool ChainCheck::add(const ChequeEvent &e)
{
    if (m_problem)
        return false;
    const auto refuse = [&](const QString &why) {
        m_problem = QCoreApplication::translate("ChequeHistory", "Event %1 (cheque %2, %3, %4): %5")
                        .arg(e.seq)
                        .arg(e.cheque)
                        .arg(e.kind, e.at, why);
        return false;
    };
    if (e.seq != m_events + 1)
        return refuse(QCoreApplication::translate("ChequeHistory",
                                                  "the history is not whole: event %1 comes where event %2 should")
                          .arg(e.seq)
                          .arg(m_events + 1));
    if (e.prevHash != m_last)
        return refuse(QCoreApplication::translate("ChequeHistory", "its link to the event before it is broken"));
    if (e.hash != EventHash(e.prevHash, e.seq, e.cheque, e.kind, e.at, e.actor, e.detail, e.contents))
        return refuse(QCoreApplication::translate("ChequeHistory", "it was changed after it was written"));
    ++m_events;
    m_last = e.hash;
    m_hashes.insert(e.hash);
    return true;
}

void ChainCheck::refuse(const QString &why)
{
    if (!m_problem)
        m_problem = why;
}
