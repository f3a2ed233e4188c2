// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QSqlError>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "register/chequeregister.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

// The office's approval before print, its rules and limits, and its accounts.

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
