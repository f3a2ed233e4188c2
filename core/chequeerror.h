// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

/// The one error type of the whole program. Every failure that the user may
/// see (a conversion that cannot be made, a data file that cannot be read or
/// written) is raised as a ChequeError; its message is UTF-8 and is meant to
/// be shown as it stands.
class ChequeError : public std::runtime_error
{
public:
    explicit ChequeError(const std::string &message) : std::runtime_error(message), m_message(message) {}

    /// The whole message; what() ends at the first NUL byte, and a message
    /// may quote input that holds one.
    const std::string &message() const noexcept { return m_message; }

private:
    std::string m_message;
};
