// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The check a register file gets once a session, before the program first
// writes to it: SQLite's integrity check, which reads every row against
// every index and so finds a row changed inside its page (a quick check
// does not). It reads the whole file (some 14 seconds for a million
// cheques), so it runs on a thread of its own from the moment the register
// is known, and the first write waits only for what is left of it.

#include <optional>

#include <QString>

namespace RegisterCheck {

/// Starts checking the register file `file`, unless it is already being or
/// was checked this session. A file that is not there, or that cannot be
/// written (opening it would leave files beside it that cannot be either),
/// is left for opening it to tell.
void Start(const QString &file);

/// Waits for the check of `file` (starting it when it was not started) and
/// returns what it found: nothing when the file is sound; else a clause
/// saying the damage ("it is damaged (…)") or why it could not be read
/// through ("it could not be checked (…)"). A check that could not be made
/// is forgotten, to be made again.
std::optional<QString> Result(const QString &file);

/// Forgets the check of `file` (a register made afresh under its name),
/// stopping it.
void Forget(const QString &file);

/// The first of the register file `file` and the files SQLite keeps beside
/// it that is there and cannot be written; nothing when none is.
std::optional<QString> UnwritablePart(const QString &file);

} // namespace RegisterCheck
