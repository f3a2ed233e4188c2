// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/list/batchwindow.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/chequeerror.h"
#include "core/counttext.h"
#include "gui/list/scheduledialog.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/widgets.h"
#include "output/printrun.h"
#include "register/registercolumns.h"
#include "register/registerreport.h"

namespace {

QString Title() { return QCoreApplication::translate("BatchWindow", "Print from a List"); }

} // namespace

void BatchModel::setRows(QList<BatchRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void BatchModel::setRow(int row, BatchRow checked)
{
    m_rows[row] = std::move(checked);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

std::optional<ListColumn> BatchModel::ListColumnOf(int column)
{
    switch (column) {
    case Bank: return ListColumn::Bank;
    case Date: return ListColumn::Date;
    case Payee: return ListColumn::Payee;
    case Amount: return ListColumn::Amount;
    case AccountOnly: return ListColumn::AccountOnly;
    case Memo: return ListColumn::Memo;
    default: return std::nullopt;
    }
}

Qt::ItemFlags BatchModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || index.row() >= m_rows.size())
        return flags;
    if (index.column() == Print && m_rows[index.row()].cheque)
        flags |= Qt::ItemIsUserCheckable;
    if (ListColumnOf(index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool BatchModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return false;
    BatchRow &r = m_rows[index.row()];
    if (index.column() == Print && role == Qt::CheckStateRole && r.cheque) {
        r.chosen = value.toInt() == Qt::Checked;
        emit dataChanged(index, index.siblingAtColumn(ColumnCount - 1));
        emit choiceChanged();
        return true;
    }
    const auto column = ListColumnOf(index.column());
    if (!column || role != Qt::EditRole || value.toString() == data(index, Qt::EditRole).toString())
        return false;
    emit edited(index.row(), *column, value.toString());
    return true;
}

int BatchModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int BatchModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        QT_TRANSLATE_NOOP("BatchWindow", "Print"),        QT_TRANSLATE_NOOP("BatchWindow", "Row"),
        QT_TRANSLATE_NOOP("BatchWindow", "Bank"),         QT_TRANSLATE_NOOP("BatchWindow", "Date"),
        QT_TRANSLATE_NOOP("BatchWindow", "Payee"),        QT_TRANSLATE_NOOP("BatchWindow", "Amount"),
        QT_TRANSLATE_NOOP("BatchWindow", "Account Only"), QT_TRANSLATE_NOOP("BatchWindow", "Words"),
        QT_TRANSLATE_NOOP("BatchWindow", "Memo"),         QT_TRANSLATE_NOOP("BatchWindow", "In the Register"),
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
        // Each text in its own reading order, whatever the interface's.
        switch (column) {
        case Row: return r.row;
        case Bank: return InReadingOrder(r.bank);
        case Date: return InReadingOrder(r.date);
        case Payee: return InReadingOrder(r.payee);
        case Amount: return InReadingOrder(r.cheque ? r.cheque->figure : r.amount);
        case AccountOnly: return r.accountOnly ? QCoreApplication::translate("BatchWindow", "Yes") : QString();
        case Words: return InReadingOrder(r.cheque ? r.cheque->words() : QString());
        case Memo: return InReadingOrder(r.memo);
        case Registered: return r.registered;
        case Problem: return InReadingOrder(QString(r.problem).replace(u'\n', QLatin1String("; ")));
        }
        return {};
    case Qt::EditRole:
        // The cell as it is read again.
        switch (column) {
        case Bank: return r.bank;
        case Date: return r.date;
        case Payee: return r.payee;
        case Amount: return r.amount;
        case AccountOnly: return r.accountOnly ? QCoreApplication::translate("BatchWindow", "Yes") : QString();
        case Memo: return r.memo;
        }
        return {};
    case Qt::CheckStateRole:
        if (column == Print)
            return r.cheque && r.chosen ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::ToolTipRole:
        // The whole of a text the window's width cuts.
        switch (column) {
        case Payee: return r.payee;
        case Words: return r.cheque ? r.cheque->words() : QString();
        case Memo: return r.memo;
        case Registered: return r.registered;
        case Problem: return r.problem;
        }
        return ListColumnOf(column) ? QCoreApplication::translate("BatchWindow", "Double-click to mend the cell")
                                    : QVariant();
    case Qt::TextAlignmentRole:
        if (column == Row || column == Amount)
            return int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        if ((column == Payee && r.payee.isRightToLeft()) || (column == Words && r.cheque && IsRightToLeftText(r.payee)))
            return int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // Red: a problem; grey: in the register already, or left out.
        if (!r.cheque)
            return QBrush(QColor(255, 205, 210));
        return r.chosen ? QVariant() : QVariant(QBrush(QColor(224, 224, 224)));
    default: return {};
    }
}

BatchWindow::BatchWindow(std::function<BatchContext()> context, std::function<void(QList<BatchRow> &)> mark,
                         QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(std::move(context))
    , m_mark(std::move(mark))
    , m_model(new BatchModel(this))
{
    setObjectName(QStringLiteral("BatchWindow"));
    setWindowTitle(Title());
    resize(1000, 520);
    FileLB = PlainLabel(tr("No list is open."), this);
    FileLB->setObjectName(QStringLiteral("FileLB"));
    auto *open = new QPushButton(tr("Open List…"), this);
    open->setObjectName(QStringLiteral("OpenBtn"));
    auto *schedule = new QPushButton(tr("Schedule…"), this);
    schedule->setObjectName(QStringLiteral("ScheduleBtn"));
    schedule->setToolTip(tr("Post-dated cheques to one payee: the same amount every month, quarter, half year "
                            "or year"));
    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setModel(m_model);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->verticalHeader()->hide();
    Table->setWordWrap(false);
    Table->setTextElideMode(Qt::ElideMiddle); // the start and the end of the words, the whole in the tool tip
    Table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed);
    CurrentLB = WrappingLabel(QStringLiteral("CurrentLB"), this);
    TotalsLB = WrappingLabel(QStringLiteral("TotalsLB"), this);
    StatusLB = WrappingLabel(QStringLiteral("StatusLB"), this);
    PrintBtn = new QPushButton(tr("Print…"), this);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PrintBtn->setEnabled(false);
    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));

    BankCB = new BankComboBox(this);
    BankCB->setObjectName(QStringLiteral("BankCB"));
    BankCB->setEditable(false);
    BankCB->setMinimumContentsLength(10);
    BankCB->setToolTip(tr("The bank of the rows that name none"));
    auto *bankCaption = PlainLabel(tr("Bank of rows without one:"), this);

    auto *top = new QHBoxLayout;
    top->addWidget(FileLB, 1);
    top->addWidget(bankCaption);
    top->addWidget(BankCB);
    top->addWidget(open);
    top->addWidget(schedule);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(PrintBtn);
    bottom->addWidget(close);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addWidget(Table, 1);
    outer->addWidget(CurrentLB);
    outer->addWidget(TotalsLB);
    outer->addWidget(StatusLB);
    outer->addLayout(bottom);

    connect(open, &QPushButton::clicked, this, &BatchWindow::openFile);
    connect(schedule, &QPushButton::clicked, this, &BatchWindow::makeSchedule);
    connect(BankCB, &QComboBox::activated, this, [this] { recheck(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(PrintBtn, &QPushButton::clicked, this, [this] {
        QList<BatchRow> chosen;
        for (const BatchRow &row : m_model->rows())
            if (row.cheque && row.chosen)
                chosen << row;
        if (!chosen.isEmpty())
            emit printRequested(chosen);
    });
    connect(m_model, &BatchModel::edited, this, &BatchWindow::editRow);
    connect(m_model, &BatchModel::choiceChanged, this, &BatchWindow::showTotals);
    connect(Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &BatchWindow::showCurrent);
}

void BatchWindow::openFile()
{
    const auto file = dialogs().askOpenFile(this, tr("Open a List of Cheques"),
                                            tr("Lists of cheques (*.csv *.xlsx *.txt);;All files (*)"));
    if (file)
        load(*file);
}

BatchContext BatchWindow::context()
{
    BatchContext context = m_context();
    // The bank list as it stands, the choice kept while its bank is there.
    const QString chosen = BankCB->count() > 0 ? BankCB->currentText() : context.defaultBank;
    BankCB->clear();
    BankCB->addItems(context.banks);
    BankCB->setCurrentIndex(std::max(0, int(context.banks.indexOf(chosen))));
    context.defaultBank = BankCB->currentText();
    return context;
}

bool BatchWindow::load(const QString &path)
{
    try {
        if (!showList(ReadListFile(path), QDir::toNativeSeparators(path)))
            return false;
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return false;
    }
    m_schedule.reset();
    return true;
}

void BatchWindow::makeSchedule()
{
    const BatchContext now = context();
    ScheduleDialog dialog(now.banks, now.defaultBank, this);
    if (m_schedule)
        dialog.setSchedule(*m_schedule); // what was asked last, to be mended
    if (dialog.exec() == QDialog::Accepted)
        loadSchedule(dialog.schedule());
}

void BatchWindow::loadSchedule(const Schedule &schedule)
{
    const QString every[] = {tr("monthly"), tr("quarterly"), tr("half-yearly"), tr("yearly")};
    const int kind = schedule.frequency == Frequency::Monthly ? 0
        : schedule.frequency == Frequency::Quarterly          ? 1
        : schedule.frequency == Frequency::HalfYearly         ? 2
                                                              : 3;
    if (!showList(ScheduleList(schedule),
                  tr("Schedule: %Ln cheques to %1, %2", nullptr, schedule.count).arg(schedule.payee, every[kind])))
        return;
    m_schedule = schedule;
}

bool BatchWindow::showList(const ListFile &file, const QString &title)
{
    try {
        QList<BatchRow> rows = CheckList(file, context());
        if (m_mark)
            m_mark(rows);
        m_model->setRows(std::move(rows));
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return false;
    }
    m_file = file;
    CurrentLB->clear();
    FileLB->setText(title);
    // At the start of the line, in either direction of the interface.
    FileLB->setAlignment((QGuiApplication::isRightToLeft() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute
                         | Qt::AlignVCenter);
    StatusLB->clear();
    showTotals();
    fitColumns();
    return true;
}

void BatchWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitColumns();
}

void BatchWindow::fitColumns()
{
    if (m_model->rowCount() == 0)
        return;
    Table->resizeColumnsToContents();
    QHeaderView *header = Table->horizontalHeader();
    const int room = Table->viewport()->width();
    int total = 0;
    for (int column = 0; column < BatchModel::ColumnCount; ++column)
        total += header->sectionSize(column);
    if (total <= room) {
        header->resizeSection(BatchModel::Words, header->sectionSize(BatchModel::Words) + room - total);
        return;
    }
    // Too narrow: the long texts (payee, words, memo, problem) share what
    // the short ones leave, each in proportion to its length.
    const int columns[] = {BatchModel::Payee, BatchModel::Words, BatchModel::Memo, BatchModel::Problem};
    constexpr int least = 40;
    int wanted = 0, beyond = 0;
    for (int column : columns) {
        wanted += header->sectionSize(column);
        beyond += std::max(0, header->sectionSize(column) - least);
    }
    const int spare = std::max(0, room - (total - wanted) - 4 * least);
    for (int column : columns)
        if (const int size = header->sectionSize(column); size > least)
            header->resizeSection(column, least + int(qint64(size - least) * spare / beyond));
}

void BatchWindow::recheck()
{
    // The list as shown, with the rows mended here.
    if (!m_file.rows.isEmpty())
        showList(ListFile(m_file), FileLB->text());
}

void BatchWindow::remark()
{
    QList<BatchRow> rows = m_model->rows();
    if (m_mark)
        m_mark(rows);
    m_model->setRows(std::move(rows));
    showTotals();
}

void BatchWindow::editRow(int row, ListColumn column, const QString &text)
{
    const BatchRow &was = m_model->rows().at(row);
    if (!SetListCell(m_file, was.index, column, text)) {
        setStatus(
            tr("The list has no column %1: add it to the file to give each row its own.").arg(ColumnName(column)));
        return;
    }
    std::optional<BatchRow> checked;
    try {
        checked = CheckListRow(m_file, was.index, context());
    } catch (const ChequeError &error) {
        setStatus(QString::fromStdString(error.message()));
        return;
    }
    if (!checked) {
        checked = was;
        checked->cheque.reset();
        checked->problem = tr("Row %1 is empty.").arg(was.row);
    }
    QList<BatchRow> one{*checked};
    if (m_mark)
        m_mark(one);
    m_model->setRow(row, one.first());
    setStatus(tr("Row %1 mended here; the file is left as it was.").arg(was.row));
    showTotals();
    showCurrent();
}

void BatchWindow::showCurrent()
{
    const QModelIndex current = Table->selectionModel()->currentIndex();
    if (!current.isValid() || current.row() >= m_model->rowCount()) {
        CurrentLB->clear();
        return;
    }
    const BatchRow &r = m_model->rows().at(current.row());
    CurrentLB->setText(!r.problem.isEmpty() ? r.problem
                           : !r.registered.isEmpty()
                           ? tr("Row %1 is in the register already: %2.").arg(r.row).arg(r.registered)
                           : QString());
}

void BatchWindow::showTotals()
{
    const BatchTotals t = TotalsOf(m_model->rows());
    const QString currency = CurrencyShown(t.currency, t.currencyArabic);
    QString text = CountText("BatchWindow", QT_TRANSLATE_NOOP("BatchWindow", "%Ln cheque to print: %1 %2."),
                             QT_TRANSLATE_N_NOOP("BatchWindow", "%Ln cheques to print: %1 %2."), t.good)
                       .arg(MinorUnitsText(t.minorUnits, t.digits), currency);
    if (t.bad > 0)
        text +=
            u' '
            + CountText(
                "BatchWindow",
                QT_TRANSLATE_NOOP("BatchWindow", "%Ln row has a problem and will not be printed (marked in red)."),
                QT_TRANSLATE_N_NOOP("BatchWindow", "%Ln rows have a problem and will not be printed (marked in red)."),
                t.bad);
    if (t.left > 0)
        text += u' '
            + CountText("BatchWindow",
                        QT_TRANSLATE_NOOP("BatchWindow",
                                          "%Ln row is in the register already or left out (in grey): tick it to "
                                          "print it."),
                        QT_TRANSLATE_N_NOOP("BatchWindow",
                                            "%Ln rows are in the register already or left out (in grey): tick them "
                                            "to print them."),
                        t.left);
    TotalsLB->setText(text);
    PrintBtn->setText(t.good > 0 ? CountText("BatchWindow", QT_TRANSLATE_NOOP("BatchWindow", "Print %Ln Cheque…"),
                                             QT_TRANSLATE_N_NOOP("BatchWindow", "Print %Ln Cheques…"), t.good)
                                 : tr("Print…"));
    PrintBtn->setEnabled(t.good > 0);
}

void BatchWindow::setStatus(const QString &text) { StatusLB->setText(text); }
