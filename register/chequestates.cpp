// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chequestates.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const char *const kStates[] = {"sent",     "printed",  "failed",    "voided",  "spoilt",   "prepared",
                               "approved", "rejected", "delivered", "cleared", "returned", "stopped"};

using S = ChequeState;

// The moves, each from every state of its list.
struct Moves
{
    std::initializer_list<S> from;
    S to;
    StateStep step;
    bool offered;
};
const Moves kMoves[] = {
    {{S::Sent}, S::Printed, StateStep::Marked, true},
    {{S::Sent}, S::Failed, StateStep::Marked, false},
    {{S::Sent, S::Printed, S::Failed, S::Spoilt, S::Prepared, S::Approved, S::Rejected, S::Delivered, S::Returned,
      S::Stopped},
     S::Voided,
     StateStep::Marked,
     true},
    {{S::Sent, S::Printed, S::Failed}, S::Spoilt, StateStep::Marked, true},
    {{S::Prepared}, S::Approved, StateStep::Decided, true},
    {{S::Prepared}, S::Rejected, StateStep::Decided, true},
    {{S::Approved}, S::Sent, StateStep::Printed, false},
    {{S::Printed}, S::Delivered, StateStep::Marked, true},
    {{S::Printed, S::Delivered, S::Returned}, S::Cleared, StateStep::Marked, true},
    {{S::Printed, S::Delivered}, S::Returned, StateStep::Marked, true},
    {{S::Printed, S::Delivered, S::Returned}, S::Stopped, StateStep::Marked, true},
    {{S::Delivered, S::Cleared, S::Returned, S::Stopped}, S::Printed, StateStep::Corrected, false},
};

const StateMove *Find(ChequeState from, ChequeState to)
{
    static const QList<StateMove> moves = StateMoves();
    for (const StateMove &m : moves)
        if (m.from == from && m.to == to)
            return &m;
    return nullptr;
}

QString Quoted(ChequeState state) { return QStringLiteral("'%1'").arg(StateName(state)); }

} // namespace

QString StateName(ChequeState state) { return QString::fromLatin1(kStates[int(state)]); }

std::optional<ChequeState> StateFromName(const QString &name)
{
    for (int i = 0; i < int(std::size(kStates)); ++i)
        if (name == QLatin1String(kStates[i]))
            return ChequeState(i);
    return std::nullopt;
}

QList<StateMove> StateMoves()
{
    QList<StateMove> moves;
    for (const Moves &m : kMoves)
        for (ChequeState from : m.from)
            moves.append({from, m.to, m.step, m.offered});
    return moves;
}

bool CanChangeState(ChequeState from, ChequeState to)
{
    const StateMove *move = Find(from, to);
    return move && move->offered;
}

bool RegisterAllows(ChequeState from, ChequeState to)
{
    const StateMove *move = Find(from, to);
    return move && move->step != StateStep::Corrected;
}

bool CanCorrect(ChequeState state)
{
    const StateMove *move = Find(state, S::Printed);
    return move && move->step == StateStep::Corrected;
}

bool CanPrintApproved(ChequeState state)
{
    const StateMove *move = Find(state, S::Sent);
    return move && move->step == StateStep::Printed;
}

bool NeedsReason(ChequeState state)
{
    return state == S::Voided || state == S::Spoilt || state == S::Rejected || state == S::Returned
        || state == S::Stopped;
}

QString StateSqlList(bool (*which)(ChequeState))
{
    QStringList names;
    for (ChequeState state : AllStates)
        if (which(state))
            names << Quoted(state);
    return names.join(QLatin1String(", "));
}

QString StateMovesSql(StateStep step)
{
    QStringList pairs;
    for (const StateMove &m : StateMoves())
        if (m.step == step)
            pairs << QStringLiteral("(%1, %2)").arg(Quoted(m.from), Quoted(m.to));
    return pairs.join(QLatin1String(", "));
}

QString StateText(ChequeState state)
{
    static const char *const names[] = {
        QT_TRANSLATE_NOOP("RegisterWindow", "sent"),      QT_TRANSLATE_NOOP("RegisterWindow", "printed"),
        QT_TRANSLATE_NOOP("RegisterWindow", "failed"),    QT_TRANSLATE_NOOP("RegisterWindow", "voided"),
        QT_TRANSLATE_NOOP("RegisterWindow", "spoilt"),    QT_TRANSLATE_NOOP("RegisterWindow", "prepared"),
        QT_TRANSLATE_NOOP("RegisterWindow", "approved"),  QT_TRANSLATE_NOOP("RegisterWindow", "rejected"),
        QT_TRANSLATE_NOOP("RegisterWindow", "delivered"), QT_TRANSLATE_NOOP("RegisterWindow", "cleared"),
        QT_TRANSLATE_NOOP("RegisterWindow", "returned"),  QT_TRANSLATE_NOOP("RegisterWindow", "stopped")};
    return QCoreApplication::translate("RegisterWindow", names[int(state)]);
}

bool Stands(ChequeState state)
{
    return state != S::Failed && state != S::Voided && state != S::Spoilt && state != S::Rejected;
}
