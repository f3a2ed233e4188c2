// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerschema.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include "core/chequeerror.h"
#include "register/chequeregister.h"
#include "register/chequestates.h"
#include "register/registercheck.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

QString SchemaScript(const QString &name)
{
    QFile file(QStringLiteral(":/register/sql/%1.sql").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The states and their moves, from the program's one table of them.
    return QString::fromUtf8(file.readAll())
        .replace(QLatin1String("@MARKED_MOVES@"), StateMovesSql(StateStep::Marked))
        .replace(QLatin1String("@DECIDED_MOVES@"), StateMovesSql(StateStep::Decided))
        .replace(QLatin1String("@CORRECTED_MOVES@"), StateMovesSql(StateStep::Corrected))
        .replace(QLatin1String("@MARKED_STATES@"), StateSqlList([](ChequeState to) {
                     for (const StateMove &m : StateMoves())
                         if (m.to == to && m.step == StateStep::Marked)
                             return true;
                     return false;
                 }))
        .replace(QLatin1String("@REASON_STATES@"), StateSqlList(NeedsReason));
}

QStringList SchemaStatements(const QString &script)
{
    QStringList statements;
    QString statement;
    bool quoted = false;
    for (const QString &line : script.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!quoted && (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--"))))
            continue;
        statement += line + u'\n';
        if (line.count(QLatin1String("$$")) % 2 == 1)
            quoted = !quoted;
        if (!quoted && trimmed.endsWith(u';')) {
            statements << statement.trimmed();
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty())
        statements << statement.trimmed();
    return statements;
}

// Making a register, and bringing an older one up to this program's schema.

void ChequeRegister::createSchema()
{
    const bool server = m_connection.isServer();
    begin();
    serialize();
    // Another program starting at the same moment may have made it while
    // this one waited for the write lock.
    if (!db().tables(QSql::Tables).isEmpty()) {
        rollback();
        return;
    }
    m_checked = true; // a new file
    if (!server)
        RegisterCheck::Forget(m_connection.file);
    try {
        if (!server)
            exec(QStringLiteral("PRAGMA application_id = %1").arg(kRegisterMark));
        upgradeFrom(0);
        commit();
    } catch (...) {
        rollback();
        throw;
    }
}

void ChequeRegister::runScript(const QString &name)
{
    const QString script = SchemaScript(name);
    if (script.isEmpty())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot use %1: %2"),
             QStringLiteral("the program carries no script %1").arg(name));
    for (const QString &statement : SchemaStatements(script))
        exec(statement);
}

void ChequeRegister::upgradeFrom(int version)
{
    // Each version's script in turn, the server's functions first (their
    // bodies are read when they run, by then against the newest tables).
    const bool server = m_connection.isServer();
    if (server) {
        exec(QStringLiteral("SET LOCAL check_function_bodies = off"));
        runScript(QStringLiteral("server-functions"));
    }
    for (int v = version + 1; v <= latestVersion(); ++v)
        runScript(QStringLiteral("%1-%2").arg(server ? QStringLiteral("server") : QStringLiteral("sqlite")).arg(v));
    // What the scripts cannot do: the dates of cheques older than schema 3
    // read from their printed texts; a first event for each cheque older
    // than the history; a file's cheques taking every state (SQLite changes
    // no constraint: its table is made again).
    if (version > 0 && version < 3) {
        if (!server)
            exec(QStringLiteral("PRAGMA application_id = %1").arg(kRegisterMark));
        if (server)
            exec(QStringLiteral("ALTER TABLE cheques DISABLE TRIGGER cheques_guard"));
        fillChequeDays();
        if (server)
            exec(QStringLiteral("ALTER TABLE cheques ENABLE TRIGGER cheques_guard"));
    }
    if (version > 0 && version < 4) {
        QSqlQuery rows(db());
        rows.setForwardOnly(true);
        if (!rows.exec(QStringLiteral("SELECT id, state, reason FROM cheques ORDER BY id")))
            fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), rows.lastError().text());
        QList<std::pair<qint64, QString>> cheques;
        while (rows.next()) {
            const QString reason = rows.value(2).toString();
            cheques.append({rows.value(0).toLongLong(),
                            rows.value(1).toString() + (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason)});
        }
        rows.finish();
        for (const auto &[id, state] : cheques)
            addEvent(id, QStringLiteral("existing"), state);
    }
    if (version < 5 && !server)
        allowEveryState();
    if (server)
        runScript(QStringLiteral("server-grants"));
    exec(QStringLiteral("UPDATE register_info SET value = '%1' WHERE key = 'schema_version'").arg(latestVersion()));
}

int ChequeRegister::latestVersion() const { return m_connection.isServer() ? ServerSchemaVersion : FileSchemaVersion; }

void ChequeRegister::allowEveryState()
{
    // The table made again with every state in its constraint, its rows,
    // indexes and keys as they were (foreign keys are not enforced while a
    // register is opened, so the history keeps pointing at the table of
    // that name).
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = 'cheques'")) || !q.next())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), q.lastError().text());
    QString table = q.value(0).toString();
    static const QRegularExpression check(QStringLiteral("CHECK \\(state IN \\([^)]*\\)\\)"));
    if (!table.contains(check))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), AnotherProgram());
    table.replace(check, QStringLiteral("CHECK (state IN (%1))").arg(StateSqlList([](ChequeState) { return true; })));
    table.replace(QRegularExpression(QStringLiteral("^CREATE TABLE \"?cheques\"?")),
                  QStringLiteral("CREATE TABLE cheques_new"));
    QStringList indexes;
    if (!q.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'cheques' AND sql "
                               "IS NOT NULL")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), q.lastError().text());
    while (q.next())
        indexes << q.value(0).toString();
    q.finish();
    exec(table);
    exec(QStringLiteral("INSERT INTO cheques_new SELECT * FROM cheques"));
    exec(QStringLiteral("DROP TABLE cheques"));
    exec(QStringLiteral("ALTER TABLE cheques_new RENAME TO cheques"));
    for (const QString &index : std::as_const(indexes))
        exec(index);
}

void ChequeRegister::setUpOfficeRoles()
{
    const Use use(*this);
    if (!m_connection.isServer())
        fail(QCoreApplication::translate("ChequeRegister", "Cannot set up %1: %2"),
             QCoreApplication::translate("ChequeRegister", "people and roles are for a register on a server"));
    begin();
    try {
        QSqlQuery q(db());
        // Making roles needs the right to: said so, for the owner to be given it.
        if (!q.exec(QStringLiteral("SELECT rolcreaterole OR rolsuper FROM pg_roles WHERE rolname = current_user"))
            || !q.next() || !q.value(0).toBool())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot set up %1: %2"),
                 QCoreApplication::translate("ChequeRegister",
                                             "the login %1 may not make roles; give it the right to "
                                             "(sudo -u postgres psql -c \"ALTER ROLE %1 CREATEROLE\"), "
                                             "or make it with createuser --createrole")
                     .arg(m_connection.user));
        q.finish();
        runScript(QStringLiteral("server-roles"));
        runScript(QStringLiteral("server-grants"));
        exec(QStringLiteral("SELECT cheque_office_event('roles', 'cheque_clerks, cheque_approvers, cheque_admins')"));
        commit();
    } catch (...) {
        rollback();
        throw;
    }
}

void ChequeRegister::fillChequeDays()
{
    // The dates as they were printed: in this desktop's short format, or
    // as yyyy-mm-dd; left empty ('') where neither reads.
    QSqlQuery rows(db());
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT id, cheque_date FROM cheques")))
        fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), rows.lastError().text());
    QSqlQuery update(db());
    update.prepare(QStringLiteral("UPDATE cheques SET cheque_day = :day WHERE id = :id"));
    QHash<QString, QString> days;
    QList<std::pair<qint64, QString>> found;
    while (rows.next()) {
        const QString text = rows.value(1).toString();
        auto known = days.constFind(text);
        if (known == days.cend()) {
            QDate day = ReadShortDate(text).value_or(QDate());
            if (!day.isValid())
                day = QDate::fromString(text.trimmed(), Qt::ISODate);
            known = days.insert(text, day.isValid() ? day.toString(Qt::ISODate) : QString());
        }
        if (!known->isEmpty())
            found.append({rows.value(0).toLongLong(), *known});
    }
    rows.finish();
    for (const auto &[id, day] : found) {
        update.bindValue(QStringLiteral(":day"), day);
        update.bindValue(QStringLiteral(":id"), id);
        if (!update.exec())
            fail(QCoreApplication::translate("ChequeRegister", "Cannot upgrade %1: %2"), update.lastError().text());
    }
}

bool ChequeRegister::ownsRegister()
{
    QSqlQuery q(db());
    return q.exec(QStringLiteral("SELECT pg_has_role(session_user, tableowner, 'MEMBER') FROM pg_tables WHERE "
                                 "schemaname = current_schema() AND tablename = 'cheques'"))
        && q.next() && q.value(0).toBool();
}

void ChequeRegister::upgrade(int from)
{
    // In place, in one transaction: a register is never left half upgraded
    // (nor upgraded twice by two programs starting at once).
    begin();
    try {
        serialize();
        if (schemaVersion() != from) {
            rollback();
            return;
        }
        upgradeFrom(from);
        commit();
    } catch (...) {
        rollback();
        throw;
    }
}
