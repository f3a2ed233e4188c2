// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the readers of lists share: how a list that cannot be read is told,
// and the limits of what a list holds. For batch/ alone.

#include <optional>

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include "batch/chequelist.h"
#include "core/chequeerror.h"

namespace ListDetail {

[[noreturn]] inline void Fail(const QString &name, const QString &why)
{
    throw ChequeError(QCoreApplication::translate("ChequeList", "Cannot read the list \"%1\": %2")
                          .arg(QDir::toNativeSeparators(name), why)
                          .toStdString());
}

// What a list holds so far, against its limits.
class ListLimits
{
public:
    /// Why a cell of `row` cannot be taken, or nothing.
    std::optional<QString> cell(const QString &text, int row)
    {
        if (text.size() > MaxCellChars)
            return QCoreApplication::translate("ChequeList",
                                               "a cell of row %1 holds %2 characters, more than the %3 a "
                                               "list's cell may hold")
                .arg(row)
                .arg(text.size())
                .arg(MaxCellChars);
        m_chars += text.size();
        if (m_chars > MaxListChars)
            return QCoreApplication::translate("ChequeList",
                                               "its cells hold more than %1 characters, far more than a "
                                               "list of cheques")
                .arg(MaxListChars);
        return std::nullopt;
    }
    /// Why one more row cannot be taken (beyond the header), or nothing.
    std::optional<QString> row()
    {
        if (++m_rows > MaxListRows + 1)
            return QCoreApplication::translate("ChequeList",
                                               "it has more than %1 rows; print a longer list in parts "
                                               "of at most %1")
                .arg(MaxListRows);
        return std::nullopt;
    }

private:
    qint64 m_chars = 0;
    int m_rows = 0;
};

} // namespace ListDetail
