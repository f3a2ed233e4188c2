// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// money.txt: the currency description as 12 lines.

#include <optional>

#include <QString>
#include <QStringList>

#include "words/DgToStU.h"

/// The name of the currency file beside the executable.
inline constexpr const char *MoneyFileName = "money.txt";

/// The 12 lines that keep `money`, in file order.
QStringList MoneyToLines(const MonyType &money);

/// What reading money.txt gave: the record, and a description of the damage
/// when the file is damaged. Damage is a line 10 that is not a whole number
/// (the record then has 2 fraction digits) and a name that holds control
/// characters (that name is left empty); a damaged file with no usable name
/// at all gives the UAE dirham whole.
struct MoneyRead
{
    MonyType money;
    std::optional<QString> damage;
    QStringList lines; ///< as the file holds them
};

/// Takes the lines of money.txt into a record: lines 1 to 9 are the names
/// (cut to 9 characters; line 2, the short name, whole), line 10 the number
/// of fraction digits, lines 11 and 12 the genders, true exactly for "T".
/// Missing lines read as empty lines; lines after the 12th are ignored.
/// `fileName` only names the file in the description of damage.
MoneyRead MoneyFromLines(const QStringList &lines, const QString &fileName);

/// Reads money.txt. Raises ChequeError when the file cannot be read.
MoneyRead ReadMoneyFile(const QString &path);

/// money.txt at `path` as the program starts with it, in the window and on
/// the command line alike: nothing when there is none (the program starts
/// with the UAE dirham); otherwise the file as read, damage and all. Raises
/// ChequeError naming the file when something is there that cannot be read
/// (a link to nothing, a folder, a file without permission).
std::optional<MoneyRead> ReadMoneyAtStart(const QString &path);

/// How the program starts with money.txt at `path`.
struct MoneyStart
{
    /// The file as read, damage and all; nothing when there is none (the
    /// UAE dirham is then written to it) or it cannot be read.
    std::optional<MoneyRead> read;
    /// Why the file cannot be read: the program goes on with the UAE dirham
    /// and leaves the file as it is until the user sets the currency.
    std::optional<QString> unreadable;
};
MoneyStart StartWithMoneyFile(const QString &path);

/// Keeps a damaged money.txt as "<path>.bak", so that what the user wrote
/// survives the file being written anew; returns the message that tells the
/// user what was kept and what is used.
QString KeepDamagedMoneyFile(const QString &path, const MoneyRead &read);

/// Writes money.txt. Raises ChequeError when it cannot be written; the old
/// file then stays as it was.
void WriteMoneyFile(const QString &path, const MonyType &money);
