// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/registerconnection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "core/settingskeys.h"
#include "register/registerdetail.h"

using namespace RegisterDetail;

QString RegisterConnection::describe() const
{
    if (isServer())
        return QCoreApplication::translate("ChequeRegister", "the register \"%1\" on the server %2 (user %3)")
            .arg(database, host.isEmpty() ? QStringLiteral("localhost") : host, user);
    return QCoreApplication::translate("ChequeRegister", "the register file \"%1\"")
        .arg(QDir::toNativeSeparators(file));
}

std::optional<QString> RegisterConnection::refusal() const
{
    switch (encryption) {
    case Encryption::Required: break;
    case Encryption::Verified:
        if (caFile.isEmpty() || !QFileInfo(caFile).isFile())
            return QCoreApplication::translate("ChequeRegister",
                                               "the certificate authority's file \"%1\" to verify the server by does "
                                               "not exist")
                .arg(QDir::toNativeSeparators(caFile));
        if (caFile.contains(u';'))
            return QCoreApplication::translate("ChequeRegister",
                                               "the certificate authority's file name \"%1\" holds a \";\", which a "
                                               "connection cannot carry")
                .arg(QDir::toNativeSeparators(caFile));
        break;
    case Encryption::Off:
        if (!isLocalSocket())
            return QCoreApplication::translate("ChequeRegister",
                                               "a connection without encryption is allowed only through this "
                                               "computer's own socket; choose encrypted in Register Connection");
        break;
    }
    return std::nullopt;
}

QString RegisterConnection::serverOptions() const
{
    // A server that does not answer, or a row another clerk holds, is given
    // a few seconds; then the cheque is not printed.
    QString options = QStringLiteral("connect_timeout=5;options='-c lock_timeout=5000'");
    switch (encryption) {
    case Encryption::Required: options += QStringLiteral(";sslmode=require"); break;
    case Encryption::Verified:
        // libpq reads its options with blanks and quotes of its own.
        options += QStringLiteral(";sslmode=verify-full;sslrootcert='%1'")
                       .arg(QString(caFile).replace(u'\\', QLatin1String("\\\\")).replace(u'\'', QLatin1String("\\'")));
        break;
    case Encryption::Off: options += QStringLiteral(";sslmode=disable"); break;
    }
    return options;
}

namespace RegisterDetail {

const char *EncryptionName(RegisterConnection::Encryption e)
{
    switch (e) {
    case RegisterConnection::Encryption::Verified: return "verified";
    case RegisterConnection::Encryption::Off: return "off";
    case RegisterConnection::Encryption::Required: break;
    }
    return "required";
}

// What the client library says of a secure connection that failed, in words
// that name the server and what to do.
std::optional<QString> TlsProblem(const QString &why, const RegisterConnection &c)
{
    const QString server = c.host.isEmpty() ? QStringLiteral("localhost") : c.host;
    if (why.contains(QLatin1String("certificate verify failed")))
        return QCoreApplication::translate("ChequeRegister",
                                           "the server %1 showed a certificate that the certificate authority of "
                                           "\"%2\" did not sign: it may not be your office's server. Nothing is "
                                           "printed without the register")
            .arg(server, QDir::toNativeSeparators(c.caFile));
    if (why.contains(QLatin1String("does not match host name")))
        return QCoreApplication::translate("ChequeRegister",
                                           "the server's certificate is not for the name %1: connect by the name "
                                           "its certificate gives")
            .arg(server);
    if (why.contains(QLatin1String("server does not support SSL")))
        return QCoreApplication::translate("ChequeRegister",
                                           "the server %1 does not offer an encrypted connection: its administrator "
                                           "has to turn TLS on (ssl = on)")
            .arg(server);
    return std::nullopt;
}

// A register's name in this computer's local file: its server and database.
QString RegisterKey(const RegisterConnection &c)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(QStringLiteral("%1:%2/%3").arg(c.host).arg(c.port).arg(c.database).toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(32));
}

} // namespace RegisterDetail

RegisterConnection ConnectionFromSettings(const QSettings &settings, const QString &dataDir)
{
    RegisterConnection c;
    c.localFile = QDir(dataDir).filePath(QLatin1String(RegisterLocalFileName));
    c.driver = settings.value(SettingsKey::RegisterDriver, QStringLiteral("QSQLITE")).toString();
    c.file = settings.value(SettingsKey::RegisterFile).toString();
    if (c.file.isEmpty())
        c.file = QDir(dataDir).filePath(QLatin1String(RegisterFileName));
    c.host = settings.value(SettingsKey::RegisterHost).toString();
    c.port = settings.value(SettingsKey::RegisterPort, 5432).toInt();
    c.database = settings.value(SettingsKey::RegisterDatabase).toString();
    c.user = settings.value(SettingsKey::RegisterUser).toString();
    const QString encryption = settings.value(SettingsKey::RegisterEncryption).toString();
    c.encryption = encryption == QLatin1String("verified") ? RegisterConnection::Encryption::Verified
        : encryption == QLatin1String("off")               ? RegisterConnection::Encryption::Off
                                                           : RegisterConnection::Encryption::Required;
    c.caFile = settings.value(SettingsKey::RegisterCertificateAuthority).toString();
    return c;
}

void SaveConnection(QSettings &settings, const RegisterConnection &c)
{
    settings.setValue(SettingsKey::RegisterDriver, c.driver);
    settings.setValue(SettingsKey::RegisterFile, c.file);
    settings.setValue(SettingsKey::RegisterHost, c.host);
    settings.setValue(SettingsKey::RegisterPort, c.port);
    settings.setValue(SettingsKey::RegisterDatabase, c.database);
    settings.setValue(SettingsKey::RegisterUser, c.user);
    settings.setValue(SettingsKey::RegisterEncryption, QLatin1String(EncryptionName(c.encryption)));
    settings.setValue(SettingsKey::RegisterCertificateAuthority, c.caFile);
}
