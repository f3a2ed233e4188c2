// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The list window: a list of cheques opened from a CSV file or a workbook,
// each row with its words or its problem and whether the register has it
// already, the totals of what will be printed, and one Print for the rows
// chosen. A row is mended in place (the file stays as it is) and checked
// again; the issue window prints them.

#include <functional>
#include <optional>

#include <QAbstractTableModel>
#include <QWidget>

#include "batch/chequebatch.h"
#include "batch/schedule.h"

class BankComboBox;
class QLabel;
class QPushButton;
class QTableView;

class BatchModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Print, Row, Bank, Date, Payee, Amount, AccountOnly, Words, Memo, Registered, Problem, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;
    void setRows(QList<BatchRow> rows);
    const QList<BatchRow> &rows() const { return m_rows; }
    void setRow(int row, BatchRow checked);
    /// The list's column a model column edits (nothing for the others).
    static std::optional<ListColumn> ListColumnOf(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

signals:
    /// A cell of a row typed anew: the window checks the row again.
    void edited(int row, ListColumn column, const QString &text);
    /// A row chosen to print, or left out.
    void choiceChanged();

private:
    QList<BatchRow> m_rows;
};

class BatchWindow : public QWidget
{
    Q_OBJECT

public:
    /// `context` gives what the rows are checked against, as the program
    /// stands when a list is opened; rows that name no bank take the bank
    /// chosen in this window (at first the context's).
    /// `mark` marks the rows the register has already (and chooses the
    /// others).
    explicit BatchWindow(std::function<BatchContext()> context, std::function<void(QList<BatchRow> &)> mark,
                         QWidget *parent = nullptr);

    /// Asks for a file and opens it.
    void openFile();
    /// Reads and checks a list; false (and the user told) when it cannot be read.
    bool load(const QString &path);
    /// Asks for a schedule of post-dated cheques and makes its list.
    void makeSchedule();
    /// Checks the list a schedule makes, as a list read from a file.
    void loadSchedule(const Schedule &schedule);
    /// Checks the open list again (after the banks or the currency changed).
    void recheck();

    const QList<BatchRow> &rows() const { return m_model->rows(); }
    /// Marks again the rows the register has (after a print).
    void remark();
    /// Says how the last printing went.
    void setStatus(const QString &text);

signals:
    /// The user asked to print the rows chosen.
    void printRequested(const QList<BatchRow> &rows);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showTotals();
    /// The list's row `row` typed anew in `column`, checked again.
    void editRow(int row, ListColumn column, const QString &text);
    /// The current row's whole problem, or where the register has it.
    void showCurrent();
    /// Shows `file`'s rows, checked, under `title`; false (and the user
    /// told) when its header row lacks a column.
    bool showList(const ListFile &file, const QString &title);
    /// The context, with the bank chosen here for rows that name none.
    BatchContext context();
    /// The columns share the window's width: each as wide as its texts,
    /// but the words and the problem, which share what is left (their whole
    /// texts in their tool tips).
    void fitColumns();

    std::function<BatchContext()> m_context;
    std::function<void(QList<BatchRow> &)> m_mark;
    BatchModel *m_model;
    ListFile m_file;                    ///< the list as shown, with the cells mended here
    std::optional<Schedule> m_schedule; ///< the list's, when a schedule made it
    QLabel *FileLB;
    BankComboBox *BankCB; ///< the bank of rows that name none
    QTableView *Table;
    QLabel *CurrentLB; ///< the current row's problem, whole
    QLabel *TotalsLB;
    QLabel *StatusLB;
    QPushButton *PrintBtn;
};
