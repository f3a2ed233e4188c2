// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A file written in full beside its target before it takes the target's
// place: the output of a print to a file. Every write is checked (a full
// disk fails at once, naming the file), the part is held locked while its
// writer lives, and it replaces the target in one step, only once all of it
// is on disk. A part left by a writer that died is told apart from one still
// being written by its lock.

#include <optional>

#include <QByteArray>
#include <QIODevice>
#include <QString>

class PartFile : public QIODevice
{
    Q_OBJECT

public:
    /// The part of `target` (a link is written through), named but not yet
    /// created.
    explicit PartFile(QString target);
    ~PartFile() override;

    /// Creates the part beside the target, new and locked, and opens it for
    /// writing; why it cannot be, or nothing.
    std::optional<QString> create();

    const QString &target() const { return m_target; }
    /// The part's own path, beside the target.
    const QString &partPath() const { return m_part; }

    /// The first write that failed, as a message naming the target ("No
    /// space left on device"); nothing while every write went through (what
    /// is written is gathered and handed to the disk 64 KB at a time, and
    /// on sync()).
    const std::optional<QString> &failure() const { return m_failure; }

    /// Puts every byte written on the disk; why it could not, or nothing.
    std::optional<QString> sync();
    /// Replaces the target with the part (which must be synced), keeping the
    /// lock until it is in place; why it could not, or nothing.
    std::optional<QString> replaceTarget();
    /// Removes the part (the target is left as it was).
    void discard();

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    /// Writes what was gathered; false (and the failure kept) when it could not.
    bool flushBuffer();

    static constexpr qint64 kBufferBytes = 64 * 1024;
    QString m_target;
    QString m_part;
    int m_fd = -1;
    QByteArray m_buffer;
    std::optional<QString> m_failure;
};

/// What became of the writer of a part file.
enum class PartState {
    Absent,  ///< there is no such file
    Writing, ///< its writer holds it
    Left,    ///< nobody holds it: its writer is gone
};
PartState ProbePartFile(const QString &part);

/// Puts a part left complete by a writer that is gone in its target's place.
/// Returns why it could not, or nothing.
std::optional<QString> ReplaceWithPart(const QString &part, const QString &target);

/// The message for a file that cannot be written: "Cannot write the file
/// "X": reason".
QString CannotWriteFile(const QString &path, const QString &reason);
