// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An Excel workbook written through the cheque-xlsx helper (tools/): rows
// are handed to it as they come, and the finished file replaces the target
// only when the helper has written it whole. No widgets.

#include <memory>

#include <QDateTime>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryFile>

/// One cell of a workbook row.
struct WorkbookCell
{
    char type = '-'; ///< see tools/chequexlsx.cpp
    QString value;

    static WorkbookCell text(const QString &t) { return {'s', t}; }
    static WorkbookCell bold(const QString &t) { return {'b', t}; }
    static WorkbookCell number(qint64 n) { return {'n', QString::number(n)}; }
    /// An amount, "1250.50", shown with 2 or 3 decimals.
    static WorkbookCell amount(const QString &decimal, int digits) { return {digits == 3 ? '3' : '2', decimal}; }
    static WorkbookCell date(QDate d) { return {'d', d.toString(Qt::ISODate)}; }
    static WorkbookCell dateTime(const QDateTime &t)
    {
        return {'t', t.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))};
    }
    static WorkbookCell empty() { return {}; }
};

class WorkbookWriter
{
public:
    /// Starts a workbook for `fileName`. `sharedStrings` keeps every text
    /// once in the workbook (as spreadsheet programs save them) instead of
    /// in its cell. Raises ChequeError naming the file.
    explicit WorkbookWriter(const QString &fileName, bool sharedStrings = false);
    ~WorkbookWriter();

    void sheet(const QString &name);
    void freezeHeader();
    /// The sheet read from the right (an Arabic one).
    void rightToLeft();
    void width(int column, double width);
    void row(const QList<WorkbookCell> &cells);
    /// Finishes the workbook and puts it in place of the target.
    void commit();

private:
    void send(const QByteArray &line);
    [[noreturn]] void fail(const QString &why);

    QString m_target;
    QTemporaryFile m_temp;
    QProcess m_helper;
    QByteArray m_pending;
};
