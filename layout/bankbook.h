// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bank list and the option lines: two parallel lists, bank i's name and
// bank i's option line, and the operations that move a layout between its
// line and the designer.

#include <optional>

#include <QObject>
#include <QString>
#include <QStringList>

#include "layout/chequelayout.h"

inline constexpr const char *BanksFileName = "banks.txt";
inline constexpr const char *OptionsFileName = "options.txt";

class BankBook : public QObject
{
    Q_OBJECT

public:
    QStringList Banks;   ///< the bank list, in file order
    QStringList Options; ///< the option lines; may be shorter or longer than Banks
    int Selected = -1;   ///< the selected bank, -1 for none

    bool hasSelection() const { return Selected >= 0 && Selected < Banks.size(); }

    /// The option line of bank i; a missing line counts as empty.
    QString lineOf(int i) const { return Options.value(i); }

    /// Stores `layout` as the selected bank's option line, after adding empty
    /// lines until there is one per bank. With no bank selected no line is
    /// written.
    void SaveChequeOptions(const ChequeLayout &layout);

    /// Gives every bank `layout` as its option line, as saving it for each
    /// bank in turn would (the lines are replaced; the hooks run once).
    void SaveForEveryBank(const ChequeLayout &layout);

    /// Applies the selected bank's option line to `layout`. Raises ChequeError
    /// when the line is empty, short or damaged; what was read before stays
    /// applied. With no bank selected nothing happens.
    void LoadChequeOptions(ChequeLayout &layout);

    /// Loads the selected bank's layout, and repairs a line that does not load
    /// by storing the layout on screen in its place. Never fails. When a line
    /// that held something was damaged, returns why it could not be read
    /// (an empty or missing line is no damage: it simply has no layout yet).
    std::optional<QString> LoadSelectedLayout(ChequeLayout &layout);

    /// Appends a bank (its line is filled at the next save).
    void AddBank(const QString &name);

    /// Removes bank i and its line; afterwards no bank is selected.
    void DeleteBank(int i);

signals:
    /// First on every save: the issue window takes a copy of the bank list.
    void saving();
    /// Last on every save: the designer locks itself.
    void saved();

private:
    void padOptions();
    /// A save: mirror, pad, write line `index` when it is a bank's, lock.
    void storeLine(int index, const ChequeLayout &layout);
};

/// Writes banks.txt and options.txt together (WriteDataFiles): a failure
/// never leaves one replaced and the other not.
void WriteBankFiles(const QString &banksPath, const QStringList &banks, const QString &optionsPath,
                    const QStringList &options);
