// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register's schema as the program carries it: one script of SQL per
// schema version and kind of register ("sqlite-3", "server-7"), the server's
// functions, its grants and the office's roles, read from the program's
// resources. No widgets.

#include <QString>
#include <QStringList>

/// The newest schema of a register file, and of a register on a server.
inline constexpr int FileSchemaVersion = 6;
inline constexpr int ServerSchemaVersion = 9;

/// The script `name` ("server-functions"), with the states and moves it
/// names (@MARKED_MOVES@, @DECIDED_MOVES@, @MARKED_STATES@, @REASON_STATES@)
/// filled in from the program's table of them; empty when the program has
/// no such script.
QString SchemaScript(const QString &name);

/// The statements of a script, in order: each ends with ";" at the end of
/// its last line, but inside a dollar-quoted body ($$ … $$); lines of
/// comment alone are left out.
QStringList SchemaStatements(const QString &script);
