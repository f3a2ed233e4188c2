// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The keys of the program's settings (settings.ini in the data folder), each
// named here once; the README's sections name them for administrators.

namespace SettingsKey {

// The interface: "en" or "ar".
inline constexpr const char InterfaceLanguage[] = "interface/language";
// The bank the issue window chose last.
inline constexpr const char IssueBank[] = "issue/bank";

// The register's connection (never its password).
inline constexpr const char RegisterDriver[] = "register/driver";
inline constexpr const char RegisterFile[] = "register/file";
inline constexpr const char RegisterHost[] = "register/host";
inline constexpr const char RegisterPort[] = "register/port";
inline constexpr const char RegisterDatabase[] = "register/database";
inline constexpr const char RegisterUser[] = "register/user";
inline constexpr const char RegisterEncryption[] = "register/encryption";
inline constexpr const char RegisterCertificateAuthority[] = "register/ca";
// How long cheques stay valid, and how few leaves left are told.
inline constexpr const char ValidityMonths[] = "register/validityMonths";
inline constexpr const char LowLeaves[] = "register/lowLeaves";

// Groups, one per printer and per bank's scan (their names hex-encoded).
inline constexpr const char PrinterGroup[] = "printers/";
inline constexpr const char ScanGroup[] = "scans/";

} // namespace SettingsKey
