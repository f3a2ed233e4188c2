// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's settings file (settings.ini in the data folder: the
// register's connection, printer offsets, scans, the interface language),
// under the rules of the data files: what stands there and is not a regular
// file, or is far larger than settings are, is never read (a FIFO would hold
// the program, a device never end) nor written; the program keeps to its
// defaults and says so. No widgets.

#include <optional>

#include <QString>

/// The largest settings file read.
inline constexpr qint64 MaxSettingsFileBytes = 1024 * 1024;

/// The settings file to use for the data folder `dataDir`: its
/// settings.ini, or, when that cannot be used, an empty file of this run's
/// own, which is dropped at the end.
QString SettingsFile(const QString &dataDir);

/// The interface language kept in the data folder's settings: "en" or "ar".
QString InterfaceLanguage(const QString &dataDir);
void SetInterfaceLanguage(const QString &dataDir, const QString &language);
/// Whether the language the program speaks (its translation loaded) is
/// written right to left: its reports and names follow it.
bool InterfaceRightToLeft();

/// Why the settings.ini of `dataDir` is not used, naming it; nothing when
/// it is (or there is none yet).
std::optional<QString> SettingsProblem(const QString &dataDir);
