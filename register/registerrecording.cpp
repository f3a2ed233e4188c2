// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <bit>

#include <QCoreApplication>
#include <QSqlError>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "register/chequeregister.h"
#include "register/registercolumns.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

// Recording a cheque before it is printed, and changing its state.

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
    need.bindValue(QStringLiteral(":thousandths"), cheque.money().thousandths());
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
        q.bindValue(QStringLiteral(":day"),
                    cheque.day.isValid() ? QVariant(cheque.day) : QVariant(QMetaType(QMetaType::QDate)));
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
    q.bindValue(QStringLiteral(":thousandths"), cheque.money().thousandths());
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

namespace {

// The local day a stored time of printing falls on.
QDate PrintingDay(const QVariant &stored)
{
    return LocalDay(QDateTime::fromString(stored.toString(), Qt::ISODateWithMs));
}

} // namespace

void ChequeRegister::changeState(qint64 number, ChequeState state, const QString &reason, const QDate &day,
                                 std::optional<QDate> printedOn)
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
    if (NeedsReason(state) && reason.trimmed().isEmpty())
        fail(cannot(), QCoreApplication::translate("ChequeRegister", "the reason must be given"));
    if (state == ChequeState::Cleared && !day.isValid())
        fail(cannot(), QCoreApplication::translate("ChequeRegister", "the bank's date must be given"));
    // The bank pays a cheque once it is printed, never before.
    if (state == ChequeState::Cleared) {
        if (!printedOn) {
            QSqlQuery &printed = prepared(QStringLiteral("SELECT printed_at FROM cheques WHERE id = :id"));
            printed.bindValue(QStringLiteral(":id"), number);
            printedOn = printed.exec() && printed.next() ? PrintingDay(printed.value(0)) : QDate();
            printed.finish();
        }
        if (printedOn->isValid() && day < *printedOn)
            fail(cannot(),
                 QCoreApplication::translate("ChequeRegister",
                                             "the bank cannot have paid it on %1: it was printed on %2")
                     .arg(WriteShortDate(day), WriteShortDate(*printedOn)));
    }
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
        if (RegisterAllows(s, state))
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
        // The cheques' printing days, read at once.
        QList<qint64> numbers;
        for (const auto &[number, day] : cleared)
            numbers << number;
        QHash<qint64, QDate> printed;
        selectIn(QStringLiteral("SELECT id, printed_at FROM cheques WHERE id IN (%1)"), QVariant(), numbers,
                 [&](const QSqlQuery &q) { printed.insert(q.value(0).toLongLong(), PrintingDay(q.value(1))); });
        if (!m_connection.isServer())
            gatherEvents();
        for (const auto &[number, day] : cleared)
            changeState(number, ChequeState::Cleared, QString(), day, printed.value(number));
        if (m_gathered)
            writeGathered();
        commit();
    } catch (const ChequeError &) {
        m_gathered.reset();
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

void ChequeRegister::selectIn(const QString &sql, const QVariant &first, const QList<qint64> &values,
                              const std::function<void(const QSqlQuery &)> &row)
{
    QList<qint64> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    constexpr qsizetype kChunk = 1024;
    for (qsizetype from = 0; from < sorted.size(); from += kChunk) {
        const qsizetype count = std::min(kChunk, sorted.size() - from);
        // A chunk of a power of two values, the last one repeated to fill
        // it: a few statements, prepared once.
        const auto size = qsizetype(std::bit_ceil(std::size_t(count)));
        QSqlQuery &q = prepared(sql.arg(QStringList(size, QStringLiteral("?")).join(u',')));
        const int at = first.isValid() ? 1 : 0;
        if (first.isValid())
            q.bindValue(0, first);
        for (qsizetype i = 0; i < size; ++i)
            q.bindValue(at + int(i), sorted[from + std::min(i, count - 1)]);
        if (!q.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
        while (q.next())
            row(q);
        q.finish();
    }
}

QHash<qint64, RegisteredCheque> ChequeRegister::chequesByNumber(const QString &bank, const QList<qint64> &chequeNumbers)
{
    const Use use(*this);
    QHash<qint64, RegisteredCheque> found;
    found.reserve(chequeNumbers.size());
    selectIn(QStringLiteral("SELECT %1 FROM cheques WHERE bank = ? AND cheque_number IN (%2)")
                 .arg(QLatin1String(kColumns), QStringLiteral("%1")),
             Text(bank), chequeNumbers, [&](const QSqlQuery &q) {
                 RegisteredCheque cheque = Row(q);
                 found.insert(cheque.chequeNumber, std::move(cheque));
             });
    return found;
}

void ChequeRegister::markAfterPrint(qint64 number, ChequeState state, const QDate &day, const QString &reason)
{
    setState(number, state, reason, true, day);
}

void ChequeRegister::correctAfterPrint(qint64 number, const QString &reason)
{
    const Use use(*this);
    checkSound();
    const auto cannot = [&](const QString &why) {
        fail(QCoreApplication::translate("ChequeRegister", "Cannot correct the cheque in %1: %2"), why);
    };
    if (reason.trimmed().isEmpty())
        cannot(QCoreApplication::translate("ChequeRegister", "the reason must be given"));
    const Durability durability(*this, true);
    begin();
    durability.inTransaction();
    try {
        QSqlQuery q(db());
        if (m_connection.isServer()) {
            q.prepare(QStringLiteral("SELECT cheque_correct(:id, :reason)"));
        } else {
            QStringList from;
            for (ChequeState s : AllStates)
                if (CanCorrect(s))
                    from << QStringLiteral("'%1'").arg(StateName(s));
            q.prepare(
                QStringLiteral("UPDATE cheques SET state = 'printed', reason = :reason, state_day = '' WHERE id = "
                               ":id AND state IN (%1)")
                    .arg(from.join(u',')));
        }
        q.bindValue(QStringLiteral(":id"), number);
        q.bindValue(QStringLiteral(":reason"), Text(reason.trimmed()));
        if (!q.exec())
            cannot(serverReason(q.lastError()));
        if (!m_connection.isServer()) {
            if (q.numRowsAffected() != 1)
                cannot(QCoreApplication::translate("ChequeRegister",
                                                   "only a cheque delivered, cleared, returned or stopped is set "
                                                   "back to printed"));
            addEvent(number, StateName(ChequeState::Printed), reason.trimmed());
        }
        q.finish();
        commit();
    } catch (const ChequeError &) {
        rollback();
        throw;
    }
}

void ChequeRegister::markPrinted(qint64 number, bool durable)
{
    setState(number, ChequeState::Printed, QString(), durable);
}

void ChequeRegister::markFailed(qint64 number, const QString &reason) { setState(number, ChequeState::Failed, reason); }

void ChequeRegister::voidCheque(qint64 number, const QString &reason) { setState(number, ChequeState::Voided, reason); }

void ChequeRegister::markSpoilt(qint64 number, const QString &reason) { setState(number, ChequeState::Spoilt, reason); }
