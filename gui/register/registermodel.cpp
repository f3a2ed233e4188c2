// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/register/registermodel.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>

#include "core/bidi.h"
#include "core/chequeerror.h"
#include "gui/widgets/widgets.h"
#include "output/pageoutput.h"
#include "output/printrun.h"
#include "register/registerreport.h"

QString PrintedAtText(const QDateTime &printedAt)
{
    // Without the direction marks of an Arabic desktop's format: its date
    // reads as the cheques' dates are written.
    return WriteShortDateTime(printedAt);
}

RegisterModel::RegisterModel(QObject *parent) : QAbstractTableModel(parent) {}

void RegisterModel::show(ChequeRegister *reg, const RegisterView &view)
{
    beginResetModel();
    m_register = reg;
    m_view = view;
    m_rows.clear();
    m_atEnd = reg == nullptr;
    endResetModel();
    if (canFetchMore(QModelIndex()))
        fetchMore(QModelIndex());
}

const RegisteredCheque *RegisterModel::chequeAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows[row] : nullptr;
}

int RegisterModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int RegisterModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

bool RegisterModel::canFetchMore(const QModelIndex &parent) const { return !parent.isValid() && !m_atEnd; }

void RegisterModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || m_atEnd || !m_register)
        return;
    QList<RegisteredCheque> rows;
    try {
        std::optional<ChequeRegister::PageKey> after;
        if (!m_rows.isEmpty())
            after = ChequeRegister::keyOf(m_rows.last(), m_view.order);
        rows = m_register->page(m_view.filter, m_view.order, m_view.descending, after, PageSize);
    } catch (const ChequeError &error) {
        m_atEnd = true;
        emit failed(QString::fromStdString(error.message()));
        return;
    }
    m_atEnd = rows.size() < PageSize;
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + rows.size() - 1));
    m_rows.append(rows);
    endInsertRows();
}

void RegisterModel::sort(int column, Qt::SortOrder order)
{
    RegisterView view = m_view;
    switch (column) {
    case PrintedAt: view.order = RegisterOrder::PrintedAt; break;
    case Bank: view.order = RegisterOrder::Bank; break;
    case ChequeNo: view.order = RegisterOrder::ChequeNumber; break;
    case Payee: view.order = RegisterOrder::Payee; break;
    case Amount: view.order = RegisterOrder::Amount; break;
    case State: view.order = RegisterOrder::State; break;
    case Date: view.order = RegisterOrder::Day; break;
    default: view.order = RegisterOrder::Number; break;
    }
    view.descending = order == Qt::DescendingOrder;
    show(m_register, view);
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        QT_TRANSLATE_NOOP("RegisterWindow", "No."),    QT_TRANSLATE_NOOP("RegisterWindow", "Printed"),
        QT_TRANSLATE_NOOP("RegisterWindow", "Bank"),   QT_TRANSLATE_NOOP("RegisterWindow", "Cheque No."),
        QT_TRANSLATE_NOOP("RegisterWindow", "Date"),   QT_TRANSLATE_NOOP("RegisterWindow", "Payee"),
        QT_TRANSLATE_NOOP("RegisterWindow", "Amount"), QT_TRANSLATE_NOOP("RegisterWindow", "Currency"),
        QT_TRANSLATE_NOOP("RegisterWindow", "State"),  QT_TRANSLATE_NOOP("RegisterWindow", "Reason"),
        QT_TRANSLATE_NOOP("RegisterWindow", "User"),   QT_TRANSLATE_NOOP("RegisterWindow", "Printer or File")};
    return section >= 0 && section < ColumnCount ? QCoreApplication::translate("RegisterWindow", titles[section])
                                                 : QVariant();
}

QVariant RegisterModel::data(const QModelIndex &index, int role) const
{
    const RegisteredCheque *c = chequeAt(index.row());
    if (!c)
        return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Number: return c->number;
        case PrintedAt: return InReadingOrder(PrintedAtText(c->printedAt));
        case Bank: return InReadingOrder(c->bank);
        case ChequeNo: return c->chequeNumber > 0 ? QVariant(c->chequeNumber) : QVariant(); // none before print
        case Date: return InReadingOrder(ChequeDateText(*c));
        case Payee: return InReadingOrder(c->payee);
        case Amount: return InReadingOrder(MinorUnitsText(c->minorUnits, c->digits));
        case Currency: return CurrencyShown(*c);
        case State: return StateText(c->state);
        case Reason:
            if (c->stateDay.isValid()) // the day of its life after print: cleared on the bank's date
                return InReadingOrder(WriteShortDate(c->stateDay)
                                      + (c->reason.isEmpty() ? QString() : QStringLiteral(": ") + c->reason));
            return InReadingOrder(
                c->replaces > 0 && c->reason.isEmpty()
                    ? QCoreApplication::translate("RegisterWindow", "reprint of No. %1").arg(c->replaces)
                    : ReasonShown(c->reason));
        case User: return InReadingOrder(c->login);
        case Destination: return DestinationShown(c->destination);
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column == Number || column == ChequeNo || column == Amount)
            return int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        if (column == Payee && IsRightToLeftText(c->payee) && !c->payee.isEmpty())
            return int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // A cheque sent but never confirmed (the program stopped while it
        // printed): the user checks whether it came out.
        if (c->state == ChequeState::Sent)
            return QBrush(QColor(255, 236, 179));
        if (c->state == ChequeState::Failed || c->state == ChequeState::Returned)
            return QBrush(QColor(255, 205, 210));
        // Waiting for an approver, or approved and waiting for print.
        if (c->state == ChequeState::Prepared || c->state == ChequeState::Approved)
            return QBrush(QColor(187, 222, 251));
        return {};
    case Qt::ForegroundRole:
        if (c->state == ChequeState::Voided || c->state == ChequeState::Spoilt || c->state == ChequeState::Rejected
            || c->state == ChequeState::Stopped)
            return QBrush(QColor(117, 117, 117));
        return {};
    case Qt::ToolTipRole:
        if (column == Date)
            return c->date;   // as printed
        if (column == Reason) // whole, however narrow its column
            return data(index, Qt::DisplayRole);
        if (c->state == ChequeState::Sent)
            return QCoreApplication::translate(
                "RegisterWindow",
                "Sent to the printer, but the program stopped before the printer answered: check "
                "whether this cheque came out, then mark it spoilt or leave it.");
        return {};
    default: return {};
    }
}
