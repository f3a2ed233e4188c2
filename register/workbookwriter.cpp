// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/workbookwriter.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/chequeerror.h"
#include "core/datafolder.h"

namespace {

QByteArray Escaped(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains('\\') && !bytes.contains('\t') && !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    QByteArray out;
    out.reserve(bytes.size() + 8);
    for (char c : bytes) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c; break;
        }
    }
    return out;
}

constexpr qint64 kInFlight = 4 << 20; // bytes handed to the helper before waiting for it

} // namespace

WorkbookWriter::WorkbookWriter(const QString &fileName, bool sharedStrings) : m_target(fileName)
{
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        fail(QStringLiteral("it is not a regular file"));
    const QString helper = HelperProgram(QStringLiteral("cheque-xlsx"));
    if (helper.isEmpty())
        fail(QStringLiteral("the workbook writer (cheque-xlsx) is not installed"));
    m_temp.setFileTemplate(info.absoluteDir().filePath(info.fileName() + QStringLiteral(".XXXXXX")));
    if (!m_temp.open())
        fail(m_temp.errorString());
    m_temp.close();
    QStringList arguments;
    if (sharedStrings)
        arguments << QStringLiteral("--shared-strings");
    m_helper.setProcessChannelMode(QProcess::SeparateChannels);
    m_helper.start(helper, arguments << m_temp.fileName());
    if (!m_helper.waitForStarted())
        fail(m_helper.errorString());
}

WorkbookWriter::~WorkbookWriter()
{
    if (m_helper.state() != QProcess::NotRunning) {
        m_helper.kill();
        m_helper.waitForFinished();
    }
}

void WorkbookWriter::fail(const QString &why)
{
    throw ChequeError(
        QStringLiteral("Cannot write the file \"%1\": %2").arg(QDir::toNativeSeparators(m_target), why).toStdString());
}

void WorkbookWriter::send(const QByteArray &line)
{
    m_pending += line;
    m_pending += '\n';
    if (m_pending.size() < (1 << 16))
        return;
    m_helper.write(m_pending);
    m_pending.clear();
    // The helper takes the rows at its own pace; no more than a few
    // megabytes wait for it.
    while (m_helper.bytesToWrite() > kInFlight)
        if (!m_helper.waitForBytesWritten(30000))
            fail(QStringLiteral("the workbook writer stopped (%1)")
                     .arg(QString::fromLocal8Bit(m_helper.readAllStandardError()).trimmed()));
}

void WorkbookWriter::sheet(const QString &name) { send("#sheet\t" + Escaped(name)); }

void WorkbookWriter::freezeHeader() { send("#freeze"); }

void WorkbookWriter::rightToLeft() { send("#right-to-left"); }

void WorkbookWriter::width(int column, double width)
{
    send("#width\t" + QByteArray::number(column) + '\t' + QByteArray::number(width));
}

void WorkbookWriter::row(const QList<WorkbookCell> &cells)
{
    QByteArray line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i)
            line += '\t';
        line += cells[i].type;
        line += Escaped(cells[i].value);
    }
    send(line);
}

void WorkbookWriter::commit()
{
    if (!m_pending.isEmpty())
        m_helper.write(m_pending);
    m_pending.clear();
    m_helper.closeWriteChannel();
    if (!m_helper.waitForFinished(-1) || m_helper.exitStatus() != QProcess::NormalExit || m_helper.exitCode() != 0)
        fail(QStringLiteral("the workbook writer failed (%1)")
                 .arg(QString::fromLocal8Bit(m_helper.readAllStandardError()).trimmed()));
    // The workbook's mode as any file the user makes: the temporary file
    // was made for this program's eyes only.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(m_temp.fileName()).constData(), 0666 & ~mask);
    if (std::rename(QFile::encodeName(m_temp.fileName()).constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(QString::fromLocal8Bit(std::strerror(errno)));
    m_temp.setAutoRemove(false);
}
