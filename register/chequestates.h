// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A cheque's states in the register, and the moves between them: one table
// from which the register window's choices, a register file's checks and a
// server's guard are all made. No widgets.

#include <optional>

#include <QList>
#include <QString>

/// A cheque's state. Where the office's approval is needed (a register on a
/// server), a cheque is first prepared, without a cheque number, and then
/// approved or rejected by another person; an approved one is printed once.
/// After print, a cheque is delivered to its payee, cleared by the bank (on
/// the bank's date), returned unpaid (with the reason) or stopped.
enum class ChequeState {
    Sent,
    Printed,
    Failed,
    Voided,
    Spoilt,
    Prepared,
    Approved,
    Rejected,
    Delivered,
    Cleared,
    Returned,
    Stopped
};

/// Every state, in the order the register window offers them.
inline constexpr ChequeState AllStates[] = {ChequeState::Sent,     ChequeState::Printed,  ChequeState::Delivered,
                                            ChequeState::Cleared,  ChequeState::Returned, ChequeState::Stopped,
                                            ChequeState::Failed,   ChequeState::Voided,   ChequeState::Spoilt,
                                            ChequeState::Prepared, ChequeState::Approved, ChequeState::Rejected};

/// The state as the register keeps it ("sent", "printed", …) and back.
QString StateName(ChequeState state);
/// The state as the interface shows it ("delivered", "مُسلَّم").
QString StateText(ChequeState state);
/// A cheque that stands as a payment made or to be made (every state but
/// failed, voided, spoilt and rejected): one like it is asked about.
bool Stands(ChequeState state);
std::optional<ChequeState> StateFromName(const QString &name);

/// A cheque that stands (sent, printed, delivered or cleared): the totals
/// add these, and show the others apart.
inline bool IsLive(ChequeState state)
{
    return state == ChequeState::Sent || state == ChequeState::Printed || state == ChequeState::Delivered
        || state == ChequeState::Cleared;
}
/// A cheque written and not yet paid by the bank: the cash it will need.
inline bool IsOutstanding(ChequeState state) { return IsLive(state) && state != ChequeState::Cleared; }

/// Who moves a cheque from one state to another.
enum class StateStep {
    Marked,    ///< a person marks it (the register window), or the print's own outcome
    Decided,   ///< an approver approves or rejects it
    Printed,   ///< an approved cheque is sent to print, by the register's own step
    Corrected, ///< a wrong step after print set back to printed, with the reason (on a server, by an administrator)
};

/// One move a cheque may make; `offered`: the register window offers it.
struct StateMove
{
    ChequeState from;
    ChequeState to;
    StateStep step;
    bool offered;
};

/// Every move the register allows.
QList<StateMove> StateMoves();

/// Whether the register window offers to change a cheque of state `from`
/// to `to`: void any cheque neither void nor cleared, spoil one sent,
/// printed or failed, mark printed only one sent and not known to be
/// printed, approve or reject one prepared; after print: delivered from
/// printed, cleared from printed, delivered or returned (presented again),
/// returned from printed or delivered, stopped from those or returned.
bool CanChangeState(ChequeState from, ChequeState to);
/// Whether the register moves a cheque from `from` to `to` as it is marked
/// or printed (a print that failed, too, which no one chooses); a
/// correction is not one of these.
bool RegisterAllows(ChequeState from, ChequeState to);
/// Whether a cheque in `state` (delivered, cleared, returned, stopped by
/// mistake) can be set back to printed, with the reason.
bool CanCorrect(ChequeState state);
/// Whether a cheque in `state` is printed as approved (once).
bool CanPrintApproved(ChequeState state);
/// A state that is given with its reason (voided, spoilt, rejected,
/// returned, stopped).
bool NeedsReason(ChequeState state);

/// For the register's SQL: the states `which` holds, as a list ('sent',
/// 'printed'); the moves of `step` as a list of pairs (('sent', 'printed'),
/// …).
QString StateSqlList(bool (*which)(ChequeState));
QString StateMovesSql(StateStep step);
