// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerschema.h"

#include <QFile>

QString SchemaScript(const QString &name)
{
    QFile file(QStringLiteral(":/register/sql/%1.sql").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
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
