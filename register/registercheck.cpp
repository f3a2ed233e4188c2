// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registercheck.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>
#include <unistd.h>

namespace {

struct Check
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool stopping = false;
    sqlite3 *reading = nullptr; ///< while the check reads: to stop it at the program's end
    std::optional<QString> problem;
    bool damaged = false;
    std::thread thread;
};

// Every check of the session; at the program's end those still reading
// are stopped and waited for.
class Checks
{
public:
    ~Checks()
    {
        for (auto &[file, check] : m_checks) {
            {
                const std::lock_guard lock(check->mutex);
                check->stopping = true;
                if (check->reading)
                    sqlite3_interrupt(check->reading);
            }
            if (check->thread.joinable())
                check->thread.join();
        }
    }

    std::mutex mutex;
    std::map<QString, std::shared_ptr<Check>> m_checks;
};

Checks &All()
{
    static Checks checks;
    return checks;
}

QString Key(const QString &file)
{
    const QFileInfo info(file);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

void Run(Check &check, const QByteArray &path)
{
    std::optional<QString> problem;
    bool damaged = false;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        problem = QCoreApplication::translate("ChequeRegister", "it could not be checked (%1)")
                      .arg(QString::fromUtf8(sqlite3_errmsg(db)));
    } else {
        sqlite3_busy_timeout(db, 5000);
        {
            const std::lock_guard lock(check.mutex);
            check.reading = check.stopping ? nullptr : db;
        }
        sqlite3_stmt *statement = nullptr;
        QStringList found;
        int step = check.reading ? sqlite3_prepare_v2(db, "PRAGMA integrity_check(5)", -1, &statement, nullptr)
                                 : SQLITE_INTERRUPT;
        while (step == SQLITE_OK || step == SQLITE_ROW) {
            step = sqlite3_step(statement);
            if (step == SQLITE_ROW)
                found << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        }
        if (step == SQLITE_CORRUPT || step == SQLITE_NOTADB)
            damaged = true;
        if (step != SQLITE_DONE)
            problem = (damaged ? QCoreApplication::translate("ChequeRegister", "it is damaged (%1)")
                               : QCoreApplication::translate("ChequeRegister", "it could not be checked (%1)"))
                          .arg(QString::fromUtf8(sqlite3_errmsg(db)));
        else if ((damaged = found != QStringList{QStringLiteral("ok")}))
            problem = QCoreApplication::translate("ChequeRegister", "it is damaged (%1)")
                          .arg(found.join(QStringLiteral("; ")));
        sqlite3_finalize(statement);
        const std::lock_guard lock(check.mutex);
        check.reading = nullptr;
    }
    sqlite3_close(db);
    const std::lock_guard lock(check.mutex);
    check.problem = problem;
    check.damaged = damaged;
    check.done = true;
    check.finished.notify_all();
}

} // namespace

namespace RegisterCheck {

std::optional<QString> UnwritablePart(const QString &file)
{
    for (const QString &path : {file, file + QStringLiteral("-wal"), file + QStringLiteral("-shm")})
        if (QFileInfo::exists(path) && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
            return path;
    return std::nullopt;
}

void Start(const QString &file)
{
    if (!QFileInfo(file).isFile() || UnwritablePart(file))
        return;
    Checks &all = All();
    const std::lock_guard lock(all.mutex);
    auto &check = all.m_checks[Key(file)];
    if (check)
        return;
    check = std::make_shared<Check>();
    check->thread = std::thread(Run, std::ref(*check), QFile::encodeName(file));
}

std::optional<QString> Result(const QString &file)
{
    Start(file);
    std::shared_ptr<Check> check;
    {
        Checks &all = All();
        const std::lock_guard lock(all.mutex);
        if (const auto it = all.m_checks.find(Key(file)); it != all.m_checks.end())
            check = it->second;
    }
    if (!check)
        return QCoreApplication::translate("ChequeRegister",
                                           "it could not be checked: it is not a file that can "
                                           "be written");
    std::optional<QString> problem;
    bool damaged = false;
    {
        std::unique_lock lock(check->mutex);
        check->finished.wait(lock, [&] { return check->done; });
        problem = check->problem;
        damaged = check->damaged;
    }
    if (problem && !damaged)
        Forget(file);
    return problem;
}

void Forget(const QString &file)
{
    std::shared_ptr<Check> check;
    {
        Checks &all = All();
        const std::lock_guard lock(all.mutex);
        const auto it = all.m_checks.find(Key(file));
        if (it == all.m_checks.end())
            return;
        check = it->second;
        all.m_checks.erase(it);
    }
    {
        const std::lock_guard lock(check->mutex);
        check->stopping = true;
        if (check->reading)
            sqlite3_interrupt(check->reading);
    }
    check->thread.join();
}

} // namespace RegisterCheck
