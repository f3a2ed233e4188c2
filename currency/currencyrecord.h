// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one current currency of the running program: the currency window sets
// it from its boxes or from money.txt, and every amount written out in words
// or in figures reads it.

#include <QObject>

#include "words/DgToStU.h"

class CurrencyRecord : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    const MonyType &value() const { return m_value; }
    /// Replaces the currency; changed() tells when it differs.
    void setValue(const MonyType &value)
    {
        if (value == m_value)
            return;
        m_value = value;
        emit changed();
    }

signals:
    void changed();

private:
    MonyType m_value; ///< empty names, 0 digits, until the start-up fills it
};
