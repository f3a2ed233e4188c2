// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// banks.txt and options.txt in the data folder, as the start-up reads them
// and the shut-down writes them back: what is read when a file is missing or
// cannot be read, what a save killed half-way left behind, whether closing
// may replace a file that could not be read, and the copy of a damaged
// options.txt. No widgets; the issue window asks and tells the user.

#include <optional>

#include <QString>
#include <QStringList>

class BankFiles
{
public:
    /// `dir` is the data folder, with or without its trailing separator.
    explicit BankFiles(const QString &dir);

    QString banksPath() const;
    QString optionsPath() const;

    /// What the start-up takes from the files.
    struct Read
    {
        QStringList banks;                  ///< the bank list; "SIB" alone without a readable banks.txt
        std::optional<QStringList> options; ///< nothing: every bank gets the layout on screen
        QStringList problems;               ///< one message per file that exists but cannot be read
    };

    /// The bank list and layouts read at start: banks.txt, or the single bank
    /// "SIB" when it is missing; options.txt only when banks.txt was read
    /// (otherwise, or when options.txt is missing or cannot be read, the
    /// option lines are built afresh). A save killed half-way is finished,
    /// or undone, before anything is read. A file that exists but cannot be
    /// read is kept: see atClose().
    Read read();

    /// The lists as the start-up left them: what the session has to lose at
    /// close is what differs from them.
    void started(const QStringList &banks, const QStringList &options);
    bool changed(const QStringList &banks, const QStringList &options) const;

    /// What closing does with the lists.
    enum class Close {
        Write,            ///< write both files
        Keep,             ///< nothing: a file that could not be read stays, and nothing changed
        AskBeforeWriting, ///< a file could not be read, and banks or layouts changed since
    };
    Close atClose(const QStringList &banks, const QStringList &options) const;
    /// The question for Close::AskBeforeWriting.
    QString replaceQuestion() const;

    /// Writes both files so that they change together, and takes them as
    /// what the files now hold. Raises ChequeError naming the file that
    /// failed; neither file has changed then.
    void write(const QStringList &banks, const QStringList &options);

    /// The first repair of a damaged option line in a run keeps options.txt
    /// as it is on disk as options.txt.bak. Returns the sentence that tells
    /// the user where it is (or that it could not be kept); nothing when it
    /// was kept already in this run or there is no options.txt.
    std::optional<QString> keepDamagedOptions();

private:
    QString m_dir;
    QString m_unreadable; ///< a file that exists but could not be read at start
    QStringList m_startBanks;
    QStringList m_startOptions;
    bool m_kept = false;
};
