// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The register's cheques as a table for Qt's views, fetched a page at a
// time as the view scrolls: a register of a million cheques opens at once.

#include <QAbstractTableModel>
#include <QList>

#include "output/readingorder.h"
#include "register/chequeregister.h"
#include "register/registercolumns.h"

/// When a cheque was printed, in the desktop's short date and time.
QString PrintedAtText(const QDateTime &printedAt);

class RegisterModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        Number,
        PrintedAt,
        Bank,
        ChequeNo,
        Date,
        Payee,
        Amount,
        Currency,
        State,
        Reason,
        User,
        Destination,
        ColumnCount
    };

    explicit RegisterModel(QObject *parent = nullptr);

    /// Shows `view` of `reg` (nullptr: nothing), from its first page.
    void show(ChequeRegister *reg, const RegisterView &view);
    const RegisterView &view() const { return m_view; }
    /// Reads the view again from its start (after a cheque has changed).
    void reload() { show(m_register, m_view); }

    const RegisteredCheque *chequeAt(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    void sort(int column, Qt::SortOrder order) override;

    /// Rows fetched per page.
    static constexpr int PageSize = 256;

signals:
    /// The register could not be read.
    void failed(const QString &message);

private:
    ChequeRegister *m_register = nullptr;
    RegisterView m_view;
    QList<RegisteredCheque> m_rows;
    bool m_atEnd = true;
};
