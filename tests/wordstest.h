// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the amount-in-words tests: QString in the tables, UTF-8
// std::string in the code under test.

#include <string>

#include <QString>

inline std::string U8(const QString &s) { return s.toStdString(); }
inline QString Q(const std::string &s) { return QString::fromStdString(s); }
