// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batchwindow.h"

#include <QCoreApplication>
#include <QBrush>
#include <QColor>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/chequeerror.h"
#include "output/printrun.h"
#include "register/registerreport.h"
#include "ui/dialogs.h"
#include "ui/widgets.h"

namespace {

QString Title() { return QCoreApplication::translate("BatchWindow", "Print from a List"); }

} // namespace

void BatchModel::setRows(QList<BatchRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int BatchModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int BatchModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        QT_TRANSLATE_NOOP("BatchWindow", "Row"),   QT_TRANSLATE_NOOP("BatchWindow", "Bank"),
        QT_TRANSLATE_NOOP("BatchWindow", "Date"),  QT_TRANSLATE_NOOP("BatchWindow", "Payee"),
        QT_TRANSLATE_NOOP("BatchWindow", "Amount"), QT_TRANSLATE_NOOP("BatchWindow", "Account Only"),
        QT_TRANSLATE_NOOP("BatchWindow", "Words"), QT_TRANSLATE_NOOP("BatchWindow", "Memo"),
        QT_TRANSLATE_NOOP("BatchWindow", "Problem")};
    return section >= 0 && section < ColumnCount ? QCoreApplication::translate("BatchWindow", titles[section])
                                                 : QVariant();
}

QVariant BatchModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const BatchRow &r = m_rows[index.row()];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Row: return r.row;
        case Bank: return r.bank;
        case Date: return r.date;
        case Payee: return r.payee;
        case Amount: return r.cheque ? r.cheque->figure : r.amount;
        case AccountOnly: return r.accountOnly ? QCoreApplication::translate("BatchWindow", "Yes") : QString();
        case Words: return r.cheque ? r.cheque->words() : QString();
        case Memo: return r.memo;
        case Problem: return QString(r.problem).replace(u'\n', QLatin1String("; "));
        }
        return {};
    case Qt::ToolTipRole:
        if (column == Problem || column == Words)
            return column == Problem ? r.problem : (r.cheque ? r.cheque->words() : QString());
        return {};
    case Qt::TextAlignmentRole:
        if (column == Row || column == Amount)
            return int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        if ((column == Payee && r.payee.isRightToLeft()) || (column == Words && r.cheque && IsRightToLeftText(r.payee)))
            return int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return r.cheque ? QVariant() : QVariant(QBrush(QColor(255, 205, 210)));
    default: return {};
    }
}

BatchWindow::BatchWindow(std::function<BatchContext()> context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(std::move(context)), m_model(new BatchModel(this))
{
    setObjectName(QStringLiteral("BatchWindow"));
    setWindowTitle(Title());
    resize(1000, 520);
    FileLB = PlainLabel(QCoreApplication::translate("BatchWindow", "No list is open."), this);
    FileLB->setObjectName(QStringLiteral("FileLB"));
    auto *open = new QPushButton(QCoreApplication::translate("BatchWindow", "Open List…"), this);
    open->setObjectName(QStringLiteral("OpenBtn"));
    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setModel(m_model);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->verticalHeader()->hide();
    Table->setWordWrap(false);
    Table->horizontalHeader()->setSectionResizeMode(BatchModel::Words, QHeaderView::Stretch);
    TotalsLB = WrappingLabel(QStringLiteral("TotalsLB"), this);
    StatusLB = WrappingLabel(QStringLiteral("StatusLB"), this);
    PrintBtn = new QPushButton(QCoreApplication::translate("BatchWindow", "Print…"), this);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setEnabled(false);
    auto *close = new QPushButton(QCoreApplication::translate("BatchWindow", "Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));

    auto *top = new QHBoxLayout;
    top->addWidget(FileLB, 1);
    top->addWidget(open);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(PrintBtn);
    bottom->addWidget(close);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(Table, 1);
    outer->addWidget(TotalsLB);
    outer->addWidget(StatusLB);
    outer->addLayout(bottom);

    connect(open, &QPushButton::clicked, this, &BatchWindow::openFile);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(PrintBtn, &QPushButton::clicked, this, [this] {
        QList<BatchRow> good;
        for (const BatchRow &row : m_model->rows())
            if (row.cheque)
                good << row;
        if (!good.isEmpty())
            emit printRequested(good);
    });
}

void BatchWindow::openFile()
{
    const auto file = dialogs().askOpenFile(this, QCoreApplication::translate("BatchWindow", "Open a List of Cheques"),
                                            QCoreApplication::translate("BatchWindow", "Lists of cheques (*.csv *.xlsx *.txt);;All files (*)"));
    if (file)
        load(*file);
}

bool BatchWindow::load(const QString &path)
{
    try {
        const ListFile file = ReadListFile(path);
        m_model->setRows(CheckList(file, m_context()));
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return false;
    }
    m_path = path;
    FileLB->setText(QDir::toNativeSeparators(path));
    StatusLB->clear();
    showTotals();
    Table->resizeColumnsToContents();
    Table->horizontalHeader()->setSectionResizeMode(BatchModel::Words, QHeaderView::Stretch);
    return true;
}

void BatchWindow::recheck()
{
    if (!m_path.isEmpty())
        load(m_path);
}

void BatchWindow::showTotals()
{
    const BatchTotals t = TotalsOf(m_model->rows());
    QString text = QCoreApplication::translate("BatchWindow", "%1 %2 to print: %3 %4.")
                       .arg(t.good)
                       .arg(t.good == 1 ? QStringLiteral("cheque") : QStringLiteral("cheques"),
                            MinorUnitsText(t.minorUnits, t.digits), t.currency);
    if (t.bad > 0)
        text += QCoreApplication::translate("BatchWindow", " %1 %2 with a problem, not printed (marked in red).")
                    .arg(t.bad)
                    .arg(t.bad == 1 ? QStringLiteral("row") : QStringLiteral("rows"));
    TotalsLB->setText(text);
    PrintBtn->setText(t.good > 0 ? QCoreApplication::translate("BatchWindow", "Print %1 Cheques…").arg(t.good) : QCoreApplication::translate("BatchWindow", "Print…"));
    PrintBtn->setEnabled(t.good > 0);
}

void BatchWindow::setStatus(const QString &text) { StatusLB->setText(text); }
