// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the register is: a file of this computer, or a database on a
// PostgreSQL server, and how the connection is made. No widgets.

#include <optional>

#include <QString>

class QSettings;

/// Where the register is.
struct RegisterConnection
{
    QString driver = QStringLiteral("QSQLITE"); ///< QSQLITE or QPSQL
    QString file;                               ///< SQLite: the register file
    QString host;                               ///< PostgreSQL: a host name or a socket folder
    int port = 5432;
    QString database;
    QString user;
    QString password; ///< asked for when the server wants one; never stored
    /// How a server's connection is encrypted: always (TLS, the default),
    /// verified against the office's certificate authority (the server's
    /// name must match its certificate), or not at all, which only this
    /// computer's own socket allows.
    enum class Encryption { Required, Verified, Off };
    Encryption encryption = Encryption::Required;
    QString caFile; ///< the certificate authority's certificate, for Verified
    /// What this computer keeps of a shared register and tells it nothing
    /// of (an INI file in the data folder): its print jobs' files, and the
    /// latest event of the history it saw; none: nothing kept.
    QString localFile;

    bool isServer() const { return driver == QLatin1String("QPSQL"); }
    /// A server reached through a socket folder on this computer, where
    /// nothing travels over a network.
    bool isLocalSocket() const { return host.isEmpty() || host.startsWith(u'/'); }
    /// Why a connection to the server may not be made so; nothing when it may.
    std::optional<QString> refusal() const;
    /// The connection's options for the PostgreSQL client library.
    QString serverOptions() const;
    /// "the register file …" or "the register … on …", for messages.
    QString describe() const;
};

/// The register file of a data folder: register.sqlite.
inline constexpr const char *RegisterFileName = "register.sqlite";

/// The file of a data folder in which this computer keeps what a shared
/// register is not told (see RegisterConnection::localFile).
inline constexpr const char *RegisterLocalFileName = "register-local.ini";

/// The connection kept in the program's settings (the password never is);
/// without one, the register file of `dataDir`.
RegisterConnection ConnectionFromSettings(const QSettings &settings, const QString &dataDir);
void SaveConnection(QSettings &settings, const RegisterConnection &connection);
