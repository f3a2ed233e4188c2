// SPDX-License-Identifier: GPL-3.0-or-later
#include "desk/registeraccess.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include "core/chequeerror.h"
#include "core/settingskeys.h"
#include "desk/deskuser.h"
#include "register/registercheck.h"

RegisterAccess::RegisterAccess(QString settingsFile, QString dataDir, QObject *parent)
    : QObject(parent)
    , m_settingsFile(std::move(settingsFile))
    , m_dataDir(std::move(dataDir))
{
    const QSettings settings(m_settingsFile, QSettings::IniFormat);
    m_connection = ConnectionFromSettings(settings, m_dataDir);
    m_validityMonths = std::clamp(settings.value(SettingsKey::ValidityMonths, DefaultValidityMonths).toInt(), 1, 60);
    m_lowLeaves = std::clamp(settings.value(SettingsKey::LowLeaves, DefaultLowLeaves).toInt(), 0, 500);
    // A register file is checked from the start, while the user types.
    if (!m_connection.isServer())
        RegisterCheck::Start(m_connection.file);
}

void RegisterAccess::setLowLeaves(int leaves)
{
    m_lowLeaves = std::clamp(leaves, 0, 500);
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    settings.setValue(SettingsKey::LowLeaves, m_lowLeaves);
}

void RegisterAccess::setValidityMonths(int months)
{
    m_validityMonths = std::clamp(months, 1, 60);
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    settings.setValue(SettingsKey::ValidityMonths, m_validityMonths);
}

RegisterAccess::~RegisterAccess() = default;

void RegisterAccess::setConnection(const RegisterConnection &connection)
{
    m_register.reset();
    m_connection = connection;
    m_connection.localFile = QDir(m_dataDir).filePath(QLatin1String(RegisterLocalFileName));
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    SaveConnection(settings, m_connection);
    settings.sync();
    emit connectionChanged();
    emit chequesChanged();
}

RegisterAccess::Opened RegisterAccess::open(DeskUser *user)
{
    if (m_register && m_register->isOpen())
        return {m_register.get(), QString()};
    for (;;) {
        m_register = std::make_unique<ChequeRegister>(m_connection);
        m_register->setChangeListener([this] { emit chequesChanged(); });
        try {
            m_register->open();
            return {m_register.get(), QString()};
        } catch (const ChequeError &error) {
            const QString message = QString::fromStdString(error.message());
            if (!m_register->needsPassword()) {
                m_register.reset();
                return {nullptr, message};
            }
            // The server wants a password the password file did not give:
            // asked for, and kept for this session only.
            const auto password = user
                ? user->askPassword(QCoreApplication::translate(
                                        "RegisterWindow", "Password of the user \"%1\" for the register \"%2\" on %3:")
                                        .arg(m_connection.user, m_connection.database, m_connection.host))
                : std::nullopt;
            m_register.reset();
            if (!password)
                return {nullptr, message};
            m_connection.password = *password;
        }
    }
}
