// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/partfile.h"

#include <cerrno>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

std::function<void(PartStep)> &StepHook()
{
    static std::function<void(PartStep)> hook;
    return hook;
}

void Step(PartStep step)
{
    if (StepHook())
        StepHook()(step);
}

QByteArray Encoded(const QString &path) { return QFile::encodeName(path); }

// The folder's own entry on the disk too: a rename is durable only then.
void SyncFolder(const QString &path)
{
    const int fd = ::open(Encoded(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a print really replaces: a link is written through.
QString RealTarget(const QString &target)
{
    const QFileInfo info(target);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

} // namespace

QString CannotWriteFile(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("DataFile", "Cannot write the file \"%1\": %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

bool IsPartOf(const QString &part, const QString &target)
{
    const QFileInfo p(part), t(target);
    static const QRegularExpression tail(QStringLiteral("^\\.\\d+-\\d{6}\\.part$"));
    const QString prefix = QLatin1Char('.') + t.fileName();
    return p.absolutePath() == t.absolutePath() && p.fileName().startsWith(prefix)
        && tail.match(p.fileName().mid(prefix.size())).hasMatch();
}

PartFile::PartFile(QString target) : m_target(RealTarget(target))
{
    // Named before it is made, so that it can be recorded before it exists:
    // a part is never on the disk without its record.
    const QFileInfo place(m_target);
    m_part = place.absoluteDir().filePath(
        QStringLiteral(".%1.%2-%3.part")
            .arg(place.fileName())
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::global()->generate() % 1000000, 6, 10, QLatin1Char('0')));
}

PartFile::~PartFile()
{
    if (m_fd >= 0)
        discard();
}

std::optional<QString> PartFile::create()
{
    const QFileInfo info(m_target);
    if (info.exists() && !info.isFile())
        return CannotWriteFile(
            m_target,
            QCoreApplication::translate("DataFile", "it is not a regular file (it is a folder, a FIFO or a device)"));
    // The target's mode as the user's umask gives it.
    const int fd = ::open(Encoded(m_part).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return CannotWriteFile(m_target, Reason(errno));
    // Held while this writer lives: a part nobody holds was left behind.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(Encoded(m_part).constData());
        return CannotWriteFile(m_target, Reason(error));
    }
    m_fd = fd;
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return std::nullopt;
}

qint64 PartFile::writeData(const char *data, qint64 size)
{
    if (m_failure || m_fd < 0)
        return -1;
    // Gathered, and written a buffer at a time: a PDF writer hands over
    // its file in small pieces.
    m_buffer.append(data, size);
    m_hash.addData(QByteArrayView(data, size));
    if (m_buffer.size() >= kBufferBytes && !flushBuffer())
        return -1;
    return size;
}

bool PartFile::flushBuffer()
{
    qint64 written = 0;
    while (written < m_buffer.size()) {
        const ssize_t n = ::write(m_fd, m_buffer.constData() + written, std::size_t(m_buffer.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A write that goes nowhere (a full disk) fails as the error does.
            m_failure = CannotWriteFile(m_target, Reason(n < 0 ? errno : ENOSPC));
            m_buffer.clear();
            return false;
        }
        written += n;
    }
    m_buffer.clear();
    return true;
}

std::optional<QString> PartFile::sync()
{
    if (m_failure)
        return m_failure;
    if (m_fd < 0)
        return CannotWriteFile(m_target, Reason(EBADF));
    if (!flushBuffer())
        return m_failure;
    if (::fsync(m_fd) != 0)
        m_failure = CannotWriteFile(m_target, Reason(errno));
    return m_failure;
}

std::optional<QString> PartFile::replaceTarget()
{
    if (m_failure)
        return m_failure;
    if (m_fd < 0)
        return CannotWriteFile(m_target, Reason(EBADF));
    // Only this writer's own part: the name must still be the file it wrote.
    struct stat own {}, named {};
    if (::fstat(m_fd, &own) != 0 || ::stat(Encoded(m_part).constData(), &named) != 0 || own.st_dev != named.st_dev
        || own.st_ino != named.st_ino)
        return CannotWriteFile(m_target, QCoreApplication::translate("DataFile", "its part was removed or replaced"));
    Step(PartStep::BeforeRename);
    if (::rename(Encoded(m_part).constData(), Encoded(m_target).constData()) != 0)
        return CannotWriteFile(m_target, Reason(errno));
    Step(PartStep::AfterRename);
    SyncFolder(m_target);
    QIODevice::close();
    ::close(m_fd); // the lock goes with it, once the part is the target
    m_fd = -1;
    return std::nullopt;
}

void PartFile::discard()
{
    if (m_fd >= 0)
        ::unlink(Encoded(m_part).constData());
    QIODevice::close();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

PartState ProbePartFile(const QString &part)
{
    const int fd = ::open(Encoded(part).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return PartState::Absent;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held ? PartState::Writing : PartState::Left;
}

std::optional<QByteArray> FileDigest(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return hash.result().toHex();
}

void SetPartStepHook(std::function<void(PartStep)> hook) { StepHook() = std::move(hook); }
