// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QSqlError>

#include "core/chequeerror.h"
#include "register/chequeregister.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

// Cheque numbers and cheque books.

std::optional<ChequeBook> BookOf(const QList<ChequeBook> &books, qint64 number)
{
    for (const ChequeBook &book : books)
        if (number >= book.first && number <= book.last)
            return book;
    return std::nullopt;
}

QList<ChequeBook> ChequeRegister::chequeBooks(const QString &bank)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT first_leaf, last_leaf FROM cheque_books WHERE bank = :bank ORDER BY first_leaf"));
    q.bindValue(QStringLiteral(":bank"), Text(bank));
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    QList<ChequeBook> books;
    while (q.next())
        books.append({bank, q.value(0).toLongLong(), q.value(1).toLongLong()});
    return books;
}

void ChequeRegister::addChequeBook(const QString &bank, qint64 first, qint64 last)
{
    const Use use(*this);
    checkSound();
    const QString cannot = QCoreApplication::translate("ChequeRegister", "Cannot add the cheque book in %1: %2");
    if (m_connection.isServer()) {
        approvalCall(cannot, QStringLiteral("SELECT cheque_add_book(:bank, :first, :last)"),
                     {{QStringLiteral(":bank"), Text(bank)},
                      {QStringLiteral(":first"), first},
                      {QStringLiteral(":last"), last}});
        return;
    }
    if (first < 1 || last < first)
        fail(cannot,
             QCoreApplication::translate("ChequeRegister",
                                         "its leaves run from a number from 1 to one as "
                                         "high or higher"));
    const QList<ChequeBook> books = chequeBooks(bank);
    for (const ChequeBook &book : books)
        if (first <= book.last && last >= book.first)
            fail(cannot,
                 QCoreApplication::translate("ChequeRegister", "its leaves meet those of the book %1–%2")
                     .arg(book.first)
                     .arg(book.last));
    const qint64 next = nextChequeNumber(bank);
    const bool nextInABook = BookOf(books, next).has_value();
    begin();
    try {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("INSERT INTO cheque_books (bank, first_leaf, last_leaf, added_at) VALUES (:bank, "
                                 ":first, :last, :at)"));
        q.bindValue(QStringLiteral(":bank"), Text(bank));
        q.bindValue(QStringLiteral(":first"), first);
        q.bindValue(QStringLiteral(":last"), last);
        q.bindValue(QStringLiteral(":at"), Utc(QDateTime::currentDateTimeUtc()));
        if (!q.exec())
            fail(cannot, q.lastError().text());
        // The bank's numbers go on in the new book when the one in use is
        // used up (or there was none), never back onto leaves behind them.
        if (!nextInABook && next < first) {
            QSqlQuery move(db());
            move.prepare(QStringLiteral("INSERT INTO cheque_numbers (bank, next_number) VALUES (:bank, :next) "
                                        "ON CONFLICT (bank) DO UPDATE SET next_number = excluded.next_number"));
            move.bindValue(QStringLiteral(":bank"), Text(bank));
            move.bindValue(QStringLiteral(":next"), first);
            if (!move.exec())
                fail(cannot, move.lastError().text());
        }
        commit();
    } catch (const ChequeError &) {
        rollback();
        throw;
    }
}

std::optional<qint64> ChequeRegister::leavesLeft(const QString &bank)
{
    const QList<ChequeBook> books = chequeBooks(bank);
    if (books.isEmpty())
        return std::nullopt;
    // In the book in use and the books after it.
    const qint64 next = nextChequeNumber(bank);
    qint64 left = 0;
    for (const ChequeBook &book : books)
        if (book.last >= next)
            left += book.last - std::max(book.first, next) + 1;
    return left;
}

qint64 ChequeRegister::nextChequeNumber(const QString &bank)
{
    const Use use(*this);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT next_number FROM cheque_numbers WHERE bank = :bank"));
    q.bindValue(QStringLiteral(":bank"), Text(bank));
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
    return q.next() ? q.value(0).toLongLong() : 1;
}

void ChequeRegister::setNextChequeNumber(const QString &bank, qint64 next)
{
    const Use use(*this);
    checkSound();
    const QString cannot = QCoreApplication::translate("ChequeRegister", "Cannot set the next cheque number in %1: %2");
    if (m_connection.isServer()) {
        approvalCall(cannot, QStringLiteral("SELECT cheque_set_next_number(:bank, :next)"),
                     {{QStringLiteral(":bank"), Text(bank)}, {QStringLiteral(":next"), next}});
        return;
    }
    if (chequeByNumber(bank, next))
        fail(cannot,
             QCoreApplication::translate("ChequeRegister", "cheque No. %1 of \"%2\" is in the register already")
                 .arg(next)
                 .arg(bank));
    const QList<ChequeBook> books = chequeBooks(bank);
    if (!books.isEmpty() && !BookOf(books, next))
        fail(cannot,
             QCoreApplication::translate("ChequeRegister", "%1 is in none of the cheque books of \"%2\"")
                 .arg(next)
                 .arg(bank));
    QSqlQuery q(db());
    q.prepare(QStringLiteral("INSERT INTO cheque_numbers (bank, next_number) VALUES (:bank, :next) "
                             "ON CONFLICT (bank) DO UPDATE SET next_number = excluded.next_number"));
    q.bindValue(QStringLiteral(":bank"), Text(bank));
    q.bindValue(QStringLiteral(":next"), next);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), q.lastError().text());
}
