// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a use case asks of the person who started it: to be told something,
// to answer a question, to give a password. The window (or the command
// line) that calls the desk answers it; without one, nothing is asked and
// nothing is told.

#include <optional>

#include <QString>

class DeskUser
{
public:
    virtual ~DeskUser() = default;
    /// A message, read before the use case goes on.
    virtual void tell(const QString &text) = 0;
    /// A question answered Yes or No; `yesByDefault`: Enter answers Yes.
    virtual bool ask(const QString &question, bool yesByDefault) = 0;
    /// A password, typed unseen; nothing when the person declines.
    virtual std::optional<QString> askPassword(const QString &question) = 0;
};
