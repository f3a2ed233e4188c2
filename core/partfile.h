// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A file written in full beside its target before it takes the target's
// place: the output of a print to a file. Every write is checked (a full
// disk fails at once, naming the file), the part is held locked while its
// writer lives, and it replaces the target in one step, only once all of it
// is on disk, and only by its own writer. A part left by a writer that died
// is told apart from one still being written by its lock; what it holds is
// known by its digest.

#include <functional>
#include <optional>

#include <QByteArray>
#include <QCryptographicHash>
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
    /// The SHA-256 of every byte written, in hexadecimal: what the target
    /// holds once the part has taken its place.
    QByteArray digest() const { return m_hash.result().toHex(); }
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
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    std::optional<QString> m_failure;
};

/// True when `part` is named as a part of `target` is, beside it: the only
/// files a register's record of a print may have removed.
bool IsPartOf(const QString &part, const QString &target);

/// What became of the writer of a part file.
enum class PartState {
    Absent,  ///< there is no such file
    Writing, ///< its writer holds it
    Left,    ///< nobody holds it: its writer is gone
};
PartState ProbePartFile(const QString &part);

/// The SHA-256 of a file's bytes, in hexadecimal; nothing when it cannot be
/// read (there is none, it is not a regular file).
std::optional<QByteArray> FileDigest(const QString &path);

/// The moments of a part's replacing its target, for tests that stop a real
/// process there.
enum class PartStep { BeforeRename, AfterRename };

/// Runs `hook` at each step. For tests only; an empty function removes it.
void SetPartStepHook(std::function<void(PartStep)> hook);

/// The message for a file that cannot be written: "Cannot write the file
/// "X": reason".
QString CannotWriteFile(const QString &path, const QString &reason);
