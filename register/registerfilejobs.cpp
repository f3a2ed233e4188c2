// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSqlError>
#include <QSysInfo>

#include "core/chequeerror.h"
#include "core/datafile.h"
#include "core/partfile.h"
#include "register/chequeregister.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

// Prints to a file: the job's cheques, and settling the jobs a stopped program left.

// A shared register is told nothing of a print job's files: their paths
// stay in the data folder of the computer that prints (a record on a server
// anyone of the office writes would name any file), with the digest of the
// file completed.
QString ChequeRegister::localJobsGroup() const { return QStringLiteral("jobs/") + RegisterKey(m_connection); }

QList<ChequeRegister::FileJob> ChequeRegister::unfinishedFileJobs()
{
    QList<FileJob> jobs;
    if (!m_connection.isServer()) {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT id, target, part, state, digest FROM file_jobs "
                                 "WHERE host = :host AND state IN ('writing', 'complete')"));
        q.bindValue(QStringLiteral(":host"), Text(QSysInfo::machineHostName()));
        if (!q.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), q.lastError().text());
        while (q.next())
            jobs.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                         q.value(4).toString().toLatin1()});
        return jobs;
    }
    if (m_connection.localFile.isEmpty())
        return jobs;
    QSettings local(m_connection.localFile, QSettings::IniFormat);
    local.beginGroup(localJobsGroup());
    for (const QString &id : local.childGroups()) {
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT state FROM file_jobs WHERE id = :id AND login = session_user"));
        q.bindValue(QStringLiteral(":id"), id.toLongLong());
        if (!q.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot read %1: %2"), serverReason(q.lastError()));
        const QString state = q.next() ? q.value(0).toString() : QString();
        if (state != QLatin1String("writing") && state != QLatin1String("complete")) {
            local.remove(id); // ended, or none of this login's
            continue;
        }
        jobs.append({id.toLongLong(), local.value(id + QStringLiteral("/target")).toString(),
                     local.value(id + QStringLiteral("/part")).toString(), state,
                     local.value(id + QStringLiteral("/digest")).toString().toLatin1()});
    }
    return jobs;
}

qint64 ChequeRegister::beginFileJob(const QString &target, const QString &part)
{
    const Use use(*this);
    checkSound();
    // Two prints of one computer to one file: the second would replace the
    // first's file after its cheques were marked printed.
    for (const FileJob &job : unfinishedFileJobs())
        if (job.target == target && ProbePartFile(job.part) == PartState::Writing)
            throw ChequeError(QCoreApplication::translate("ChequeRegister",
                                                          "The file \"%1\" is being written by another print: wait "
                                                          "for it to end, or choose another name")
                                  .arg(QDir::toNativeSeparators(target))
                                  .toStdString());
    const bool server = m_connection.isServer();
    QSqlQuery q(db());
    if (server) {
        q.prepare(QStringLiteral("SELECT cheque_job_begin(:host)"));
    } else {
        q.prepare(QStringLiteral("INSERT INTO file_jobs (target, part, host, started_at, state) "
                                 "VALUES (:target, :part, :host, :at, 'writing') RETURNING id"));
        q.bindValue(QStringLiteral(":target"), Text(target));
        q.bindValue(QStringLiteral(":part"), Text(part));
        q.bindValue(QStringLiteral(":at"), Utc(QDateTime::currentDateTimeUtc()));
    }
    q.bindValue(QStringLiteral(":host"), Text(QSysInfo::machineHostName()));
    // In a transaction of its own: SQLite writes a statement that returns a
    // row only after the row is read, and a write that fails then (a full
    // disk) would leave a job that never was.
    begin();
    QSqlQuery end(db());
    const bool done = q.exec() && q.next();
    const qint64 job = done ? q.value(0).toLongLong() : 0;
    const QString why = server ? serverReason(q.lastError()) : q.lastError().text();
    q.finish();
    if (!done || !end.exec(QStringLiteral("COMMIT"))) {
        const QString reason = done ? end.lastError().text() : why;
        rollback();
        fail(QCoreApplication::translate("ChequeRegister", "The cheques could not be recorded in %1: %2"), reason);
    }
    if (server && !m_connection.localFile.isEmpty()) {
        QSettings local(m_connection.localFile, QSettings::IniFormat);
        local.beginGroup(localJobsGroup() + u'/' + QString::number(job));
        local.setValue(QStringLiteral("target"), target);
        local.setValue(QStringLiteral("part"), part);
    }
    m_ownJobs.insert(job);
    return job;
}

void ChequeRegister::completeFileJob(qint64 job, const QByteArray &digest)
{
    const Use use(*this); // the job's last cheques written first
    checkSound();
    // Waited for on the disk: its cheques, written before it and not waited
    // for, are there with it.
    QSqlQuery q(db());
    if (m_connection.isServer()) {
        if (!m_connection.localFile.isEmpty()) {
            QSettings local(m_connection.localFile, QSettings::IniFormat);
            local.setValue(localJobsGroup() + QStringLiteral("/%1/digest").arg(job), QString::fromLatin1(digest));
            local.sync();
        }
        q.prepare(QStringLiteral("SELECT cheque_job_complete(:job)"));
    } else {
        q.prepare(QStringLiteral("UPDATE file_jobs SET state = 'complete', digest = :digest WHERE id = :job"));
        q.bindValue(QStringLiteral(":digest"), Text(QString::fromLatin1(digest)));
    }
    q.bindValue(QStringLiteral(":job"), job);
    if (!q.exec())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), serverReason(q.lastError()));
}

int ChequeRegister::endFileJob(qint64 job, ChequeState state, const QString &reason, const char *jobState)
{
    const Use use(*this);
    m_ownJobs.remove(job);
    begin();
    if (m_connection.isServer()) {
        // The server marks them, and writes their events.
        QSqlQuery q(db());
        q.prepare(QStringLiteral("SELECT cheque_job_end(:job, :printed, :reason)"));
        q.bindValue(QStringLiteral(":job"), job);
        q.bindValue(QStringLiteral(":printed"), state == ChequeState::Printed);
        q.bindValue(QStringLiteral(":reason"), Text(reason));
        const bool done = q.exec() && q.next();
        const int count = done ? q.value(0).toInt() : 0;
        const QString why = serverReason(q.lastError());
        q.finish();
        QSqlQuery end(db());
        if (!done || !end.exec(QStringLiteral("COMMIT"))) {
            const QString problem = done ? end.lastError().text() : why;
            rollback();
            fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), problem);
        }
        if (!m_connection.localFile.isEmpty())
            QSettings(m_connection.localFile, QSettings::IniFormat)
                .remove(localJobsGroup() + u'/' + QString::number(job));
        return count;
    }
    QSqlQuery q(db());
    QList<qint64> cheques;
    q.prepare(QStringLiteral("SELECT id FROM cheques WHERE job = :job AND state = 'sent' ORDER BY id"));
    q.bindValue(QStringLiteral(":job"), job);
    bool done = q.exec();
    while (done && q.next())
        cheques << q.value(0).toLongLong();
    if (done) {
        q.prepare(
            QStringLiteral("UPDATE cheques SET state = :state, reason = :reason WHERE job = :job AND state = 'sent'"));
        q.bindValue(QStringLiteral(":state"), StateName(state));
        q.bindValue(QStringLiteral(":reason"), Text(reason));
        q.bindValue(QStringLiteral(":job"), job);
        done = q.exec();
    }
    if (done) {
        q.prepare(QStringLiteral("UPDATE file_jobs SET state = :state WHERE id = :job"));
        q.bindValue(QStringLiteral(":state"), QLatin1String(jobState));
        q.bindValue(QStringLiteral(":job"), job);
        done = q.exec();
    }
    const QString why = q.lastError().text();
    q.finish();
    try {
        for (qsizetype i = 0; done && i < cheques.size(); ++i)
            addEvent(cheques[i], StateName(state), reason);
    } catch (const ChequeError &) {
        rollback();
        throw;
    }
    QSqlQuery end(db());
    if (!done || !end.exec(QStringLiteral("COMMIT"))) {
        const QString problem = done ? end.lastError().text() : why;
        rollback();
        fail(QCoreApplication::translate("ChequeRegister", "Cannot write to %1: %2"), problem);
    }
    return int(cheques.size());
}

void ChequeRegister::closeFileJob(qint64 job) { endFileJob(job, ChequeState::Printed, QString(), "done"); }

int ChequeRegister::failFileJob(qint64 job, const QString &reason)
{
    return endFileJob(job, ChequeState::Failed, reason, "failed");
}

int ChequeRegister::settleInterruptedFiles()
{
    const Use use(*this);
    int settled = 0;
    for (const FileJob &job : unfinishedFileJobs()) {
        // This program's own jobs are its to end (a lock of its own process
        // does not tell them apart from a stopped one's).
        if (m_ownJobs.contains(job.id))
            continue;
        const PartState part = ProbePartFile(job.part);
        if (part == PartState::Writing)
            continue; // its program is still writing it
        // A part is never put in place but by its own writer: the file took
        // its place when the part is gone and the file holds what it did.
        const bool complete = job.state == QLatin1String("complete");
        const bool inPlace =
            complete && part == PartState::Absent && !job.digest.isEmpty() && FileDigest(job.target) == job.digest;
        if (inPlace) {
            settled += endFileJob(job.id, ChequeState::Printed, QString(), "done");
            continue;
        }
        // The part goes first: stopped between the two, the next settling
        // finds the job without its part, and fails it. (Only a file named
        // as the target's part: a record names any path.)
        if (IsPartOf(job.part, job.target))
            QFile::remove(job.part);
        const QString target = QDir::toNativeSeparators(job.target);
        settled += failFileJob(job.id,
                               complete && part == PartState::Absent
                                   ? QCoreApplication::translate("ChequeRegister",
                                                                 "the file \"%1\" does not hold them: it was "
                                                                 "replaced or removed before the program that "
                                                                 "wrote it marked them")
                                         .arg(target)
                                   : QCoreApplication::translate("ChequeRegister",
                                                                 "the file \"%1\" never took its place: the "
                                                                 "program stopped while writing it")
                                         .arg(target));
    }
    return settled;
}
