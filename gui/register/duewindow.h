// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The due dates at a glance: the outstanding cheques' amounts per month
// and per week for the next twelve months, per bank, what is overdue, and a
// chart of the cash each month needs; saved as a PDF or a PNG picture.

#include <memory>

#include <QWidget>

#include "register/duedates.h"

class QChart;
class QLabel;
class QTableWidget;
class RegisterAccess;

class DueWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DueWindow(RegisterAccess &access, QWidget *parent = nullptr);

    /// Reads the register again.
    void refresh();
    const DueDates &dueDates() const { return m_due; }
    /// The chart: a bar set per bank, a bar per month (in the first
    /// currency's units), from this month on.
    QChart *chart() const { return m_chart; }
    void saveAsPdf();
    void saveAsPng();

private:
    void fillTable(QTableWidget *table, const QList<DueTotal> &totals, bool weeks);
    void fillChart(QChart *chart) const;
    /// What is saved: every month in every column, the chart, under a title.
    std::unique_ptr<QWidget> sheet() const;

    RegisterAccess &m_access;
    DueDates m_due;
    QLabel *OverdueLB;
    QTableWidget *MonthsTable;
    QTableWidget *WeeksTable;
    QChart *m_chart;
    QWidget *m_page; ///< what is saved: the tables and the chart
};
