// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/register/duewindow.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "core/chequeerror.h"
#include "desk/registeraccess.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/widgets.h"
#include "output/printrun.h"
#include "register/registercolumns.h"

namespace {

QString Title() { return QCoreApplication::translate("DueWindow", "Due Dates"); }

QString CurrencyOf(const DueTotal &t) { return ::CurrencyShown(t.currency, t.currencyArabic); }

// The Arabic name of a currency among the totals.
QString CurrencyShown(const QList<DueTotal> &totals, const QString &currency)
{
    for (const DueTotal &t : totals)
        if (t.currency == currency)
            return CurrencyOf(t);
    return currency;
}

} // namespace

DueWindow::DueWindow(RegisterAccess &access, QWidget *parent) : QWidget(parent, Qt::Window), m_access(access)
{
    setObjectName(QStringLiteral("DueWindow"));
    setWindowTitle(Title());
    resize(960, 640);
    m_page = new QWidget(this);
    OverdueLB = WrappingLabel(QStringLiteral("OverdueLB"), m_page);
    MonthsTable = new QTableWidget(m_page);
    MonthsTable->setObjectName(QStringLiteral("MonthsTable"));
    WeeksTable = new QTableWidget(m_page);
    WeeksTable->setObjectName(QStringLiteral("WeeksTable"));
    for (QTableWidget *table : {MonthsTable, WeeksTable}) {
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->verticalHeader()->hide();
    }
    auto *tabs = new QTabWidget(m_page);
    tabs->addTab(MonthsTable, tr("By Month"));
    tabs->addTab(WeeksTable, tr("By Week"));
    m_chart = new QChart;
    m_chart->setObjectName(QStringLiteral("DueChart"));
    auto *view = new QChartView(m_chart, m_page);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(260);
    auto *page = new QVBoxLayout(m_page);
    page->addWidget(OverdueLB);
    page->addWidget(tabs, 1);
    page->addWidget(view, 1);

    auto *pdf = Button(tr("Save as PDF…"), QStringLiteral("PdfBtn"), this);
    auto *png = Button(tr("Save as PNG…"), QStringLiteral("PngBtn"), this);
    auto *close = Button(tr("Close"), QStringLiteral("CloseBtn"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {pdf, png, close})
        buttons->addWidget(b);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(m_page, 1);
    outer->addLayout(buttons);
    connect(pdf, &QPushButton::clicked, this, &DueWindow::saveAsPdf);
    connect(png, &QPushButton::clicked, this, &DueWindow::saveAsPng);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_access, &RegisterAccess::chequesChanged, this, [this] {
        if (isVisible())
            refresh();
    });
    refresh();
}

void DueWindow::refresh()
{
    WindowUser user(this, windowTitle());
    const RegisterAccess::Opened opened = m_access.open(&user);
    ChequeRegister *reg = opened.reg;
    QString problem = opened.problem;
    m_due = DueDates();
    m_due.today = QDate::currentDate();
    if (reg) {
        try {
            m_due = ReadDueDates(*reg, QDate::currentDate(), QLocale().firstDayOfWeek(), m_access.validityMonths());
        } catch (const ChequeError &error) {
            problem = QString::fromStdString(error.message());
        }
    }
    QStringList overdue;
    for (const DueTotal &t : std::as_const(m_due.overdue))
        overdue << tr("%1: %Ln cheques, %2 %3", nullptr, int(t.count))
                       .arg(t.bank, MinorUnitsText(t.minorUnits, t.digits), CurrencyOf(t));
    OverdueLB->setText(!problem.isEmpty()      ? problem
                           : overdue.isEmpty() ? tr("Nothing is overdue.")
                                               : tr("Due before today and not yet paid: %1").arg(overdue.join(u"; ")));
    fillTable(MonthsTable, m_due.months, false);
    fillTable(WeeksTable, m_due.weeks, true);
    fillChart(m_chart);
}

void DueWindow::fillTable(QTableWidget *table, const QList<DueTotal> &totals, bool weeks)
{
    const auto columns = m_due.columns();
    QStringList titles{weeks ? tr("Week from") : tr("Month")};
    for (const auto &[bank, currency] : columns)
        titles << tr("%1 (%2)").arg(bank, CurrencyShown(m_due.months + m_due.overdue, currency));
    table->clear();
    table->setColumnCount(int(titles.size()));
    table->setHorizontalHeaderLabels(titles);
    QList<QDate> starts;
    for (const DueTotal &t : totals)
        if (!starts.contains(t.start))
            starts << t.start;
    table->setRowCount(int(starts.size()));
    for (const DueTotal &t : totals) {
        const int row = int(starts.indexOf(t.start));
        table->setItem(row, 0,
                       new QTableWidgetItem(weeks ? WriteShortDate(t.start)
                                                  : QLocale().toString(t.start, QStringLiteral("MMMM yyyy"))));
        auto *item =
            new QTableWidgetItem(tr("%1 (%Ln)", nullptr, int(t.count)).arg(MinorUnitsText(t.minorUnits, t.digits)));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        table->setItem(row, int(columns.indexOf(std::pair{t.bank, t.currency})) + 1, item);
    }
    table->resizeColumnsToContents();
}

void DueWindow::fillChart(QChart *chart) const
{
    chart->removeAllSeries();
    // (An axis taken off a chart is the caller's to delete.)
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    const auto columns = m_due.columns();
    const QString currency = columns.isEmpty() ? QString() : columns.first().second;
    chart->setTitle(tr("Cash the outstanding cheques need each month (%1), from today, %2")
                        .arg(CurrencyShown(m_due.months + m_due.overdue, currency), WriteShortDate(m_due.today)));
    QStringList months;
    const QDate first(m_due.today.year(), m_due.today.month(), 1);
    for (int i = 0; i < DueMonths; ++i)
        months << QLocale().toString(first.addMonths(i), QStringLiteral("MMM yy"));
    auto *series = new QStackedBarSeries;
    for (const auto &[bank, inCurrency] : columns) {
        if (inCurrency != currency)
            continue;
        auto *set = new QBarSet(bank);
        set->append(DueByMonth(m_due, bank, currency));
        series->append(set);
    }
    chart->addSeries(series);
    // The months in reading order (December at the left end of a
    // right-to-left interface), slanted rather than cut; round amounts.
    const bool rightToLeft = QGuiApplication::isRightToLeft();
    auto *x = new QBarCategoryAxis;
    x->append(months);
    x->setReverse(rightToLeft);
    x->setLabelsAngle(rightToLeft ? 45 : -45);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(y, rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    series->attachAxis(y);
    y->applyNiceNumbers();
}

std::unique_ptr<QWidget> DueWindow::sheet() const
{
    // Off the screen: the title, what is overdue, every month in every
    // column, and the chart as the window shows it.
    auto sheet = std::make_unique<QWidget>();
    sheet->setAttribute(Qt::WA_DontShowOnScreen);
    sheet->setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(sheet.get());
    auto *title = PlainLabel(tr("%1, %2").arg(Title(), WriteShortDate(m_due.today)), sheet.get());
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    layout->addWidget(title);
    auto *overdue = PlainLabel(OverdueLB->text(), sheet.get());
    overdue->setWordWrap(true);
    layout->addWidget(overdue);
    auto *months = new QTableWidget(MonthsTable->rowCount(), MonthsTable->columnCount(), sheet.get());
    months->verticalHeader()->hide();
    months->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    months->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int column = 0; column < MonthsTable->columnCount(); ++column) {
        if (const QTableWidgetItem *header = MonthsTable->horizontalHeaderItem(column))
            months->setHorizontalHeaderItem(column, header->clone());
        for (int row = 0; row < MonthsTable->rowCount(); ++row)
            if (const QTableWidgetItem *item = MonthsTable->item(row, column))
                months->setItem(row, column, item->clone());
    }
    months->resizeColumnsToContents();
    months->resizeRowsToContents();
    int width = 2 * months->frameWidth(), height = 2 * months->frameWidth();
    for (int column = 0; column < months->columnCount(); ++column)
        width += months->horizontalHeader()->sectionSize(column);
    for (int row = 0; row < months->rowCount(); ++row)
        height += months->verticalHeader()->sectionSize(row);
    months->setFixedSize(width, height + months->horizontalHeader()->sizeHint().height());
    layout->addWidget(months, 0, Qt::AlignLeading);
    // The chart drawn as a picture (drawn straight into a PDF its legend
    // loses its markers).
    QChartView view(new QChart);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setRenderHint(QPainter::Antialiasing);
    view.setFixedSize(std::max(width, 900), 420);
    fillChart(view.chart());
    view.show();
    QCoreApplication::sendPostedEvents();
    auto *chart = new QLabel(sheet.get());
    chart->setPixmap(view.grab());
    layout->addWidget(chart);
    sheet->show();
    sheet->adjustSize();
    return sheet;
}

void DueWindow::saveAsPdf()
{
    const auto file =
        dialogs().askSaveFile(this, tr("Save the Due Dates"), QStringLiteral("due-dates.pdf"), tr("PDF files (*.pdf)"));
    if (!file)
        return;
    QSaveFile out(*file);
    bool written = out.open(QIODevice::WriteOnly);
    if (written) {
        QPdfWriter pdf(&out);
        pdf.setTitle(Title());
        pdf.setPageOrientation(QPageLayout::Landscape);
        const std::unique_ptr<QWidget> page = sheet();
        QPainter painter(&pdf);
        const double scale = std::min({double(pdf.width()) / page->width(), double(pdf.height()) / page->height(),
                                       pdf.resolution() / 96.0}); // no larger than on a screen
        painter.scale(scale, scale);
        page->render(&painter);
        written = painter.end();
    }
    if (!written || !out.commit())
        dialogs().showMessage(this, Title(), tr("Cannot write the file \"%1\": %2").arg(*file, out.errorString()));
}

void DueWindow::saveAsPng()
{
    const auto file = dialogs().askSaveFile(this, tr("Save the Due Dates"), QStringLiteral("due-dates.png"),
                                            tr("PNG pictures (*.png)"));
    if (!file)
        return;
    QSaveFile out(*file);
    if (!out.open(QIODevice::WriteOnly) || !sheet()->grab().save(&out, "PNG") || !out.commit())
        dialogs().showMessage(this, Title(), tr("Cannot write the file \"%1\": %2").arg(*file, out.errorString()));
}
