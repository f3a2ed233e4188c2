// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/register/registerwindow.h"

#include <cmath>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QShortcut>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "batch/reconcile.h"
#include "core/bidi.h"
#include "core/chequeerror.h"
#include "core/counttext.h"
#include "core/datafile.h"
#include "desk/registeraccess.h"
#include "gui/register/duewindow.h"
#include "gui/register/registermodel.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/printing.h"
#include "gui/widgets/widgets.h"
#include "output/printrun.h"
#include "register/registerexport.h"
#include "register/registerreport.h"

namespace {

// The state filter's entry for stale cheques.
constexpr int kStale = -1;
// The After Print menu's entry that sets a step made by mistake back.
constexpr int kCorrect = -2;

QString Title() { return QCoreApplication::translate("RegisterWindow", "Cheque Register"); }

} // namespace

RegisterWindow::RegisterWindow(RegisterAccess &access, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_access(access)
    , m_model(new RegisterModel(this))
{
    setObjectName(QStringLiteral("RegisterWindow"));
    setWindowTitle(Title());
    resize(980, 560);

    QLayout *filters = buildFilters();
    buildTable();
    TotalsLB = WrappingLabel(QStringLiteral("TotalsLB"), this);
    StatusLB = WrappingLabel(QStringLiteral("StatusLB"), this);
    QLayout *actions = buildActions();
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(filters);
    outer->addWidget(Table, 1);
    outer->addWidget(TotalsLB);
    outer->addWidget(StatusLB);
    outer->addLayout(actions);

    connectFilters();
    connect(m_model, &RegisterModel::failed, this, [this](const QString &message) { status(message); });
    connect(m_model, &QAbstractItemModel::modelReset, this, &RegisterWindow::updateButtons);
    connect(Table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &RegisterWindow::updateButtons);
    connect(&m_access, &RegisterAccess::chequesChanged, this, &RegisterWindow::refreshWhenFree);
    // F5, and coming back to the window after another program changed the
    // register file, read the register again.
    auto *reread = new QShortcut(QKeySequence::Refresh, this);
    connect(reread, &QShortcut::activated, this, &RegisterWindow::refresh);
    BankCB->addItem(tr("All banks"));
    updateButtons();
}

QLayout *RegisterWindow::buildFilters()
{
    DateKindCB = new QComboBox(this);
    DateKindCB->setObjectName(QStringLiteral("DateKindCB"));
    DateKindCB->addItem(tr("Printed"));
    DateKindCB->addItem(tr("Dated"));
    DateKindCB->setToolTip(tr("From and To are days of printing, or the "
                              "cheques' own dates"));
    FromChk = new QCheckBox(tr("From"), this);
    FromChk->setObjectName(QStringLiteral("FromChk"));
    FromDate = new QDateEdit(QDate::currentDate().addDays(-30), this);
    FromDate->setObjectName(QStringLiteral("FromDate"));
    ToChk = new QCheckBox(tr("To"), this);
    ToChk->setObjectName(QStringLiteral("ToChk"));
    ToDate = new QDateEdit(QDate::currentDate(), this);
    ToDate->setObjectName(QStringLiteral("ToDate"));
    for (QDateEdit *date : {FromDate, ToDate}) {
        date->setCalendarPopup(true);
        date->setEnabled(false);
        DateInWritingOrder(date);
    }
    BankCB = new QComboBox(this);
    BankCB->setObjectName(QStringLiteral("BankCB"));
    BankCB->setMinimumContentsLength(12);
    StateCB = new QComboBox(this);
    StateCB->setObjectName(QStringLiteral("StateCB"));
    StateCB->addItem(tr("All states"));
    for (ChequeState s : AllStates)
        StateCB->addItem(StateText(s), int(s));
    // Not a state of its own: outstanding longer than a cheque is valid.
    StateCB->addItem(tr("stale (not cleared in time)"), kStale);
    ValiditySB = new QSpinBox(this);
    ValiditySB->setObjectName(QStringLiteral("ValiditySB"));
    ValiditySB->setRange(1, 60);
    // The suffix agrees with the count ("6 أشهر", "12 شهراً").
    const auto validFor = [this](int months) {
        ValiditySB->setSuffix(CountText("RegisterWindow", QT_TRANSLATE_NOOP("RegisterWindow", " month valid"),
                                        QT_TRANSLATE_N_NOOP("RegisterWindow", " months valid"), months));
    };
    connect(ValiditySB, &QSpinBox::valueChanged, this, validFor);
    ValiditySB->setValue(m_access.validityMonths());
    validFor(ValiditySB->value());
    ValiditySB->setToolTip(tr("How many months after its date a cheque can be paid"));
    ValiditySB->hide();
    PayeeEd = new QLineEdit(this);
    PayeeEd->setObjectName(QStringLiteral("PayeeEd"));
    PayeeEd->setPlaceholderText(tr("Payee contains"));
    PayeeEd->setClearButtonEnabled(true);
    MinEd = new QLineEdit(this);
    MinEd->setObjectName(QStringLiteral("MinEd"));
    MinEd->setPlaceholderText(tr("Amount from"));
    MaxEd = new QLineEdit(this);
    MaxEd->setObjectName(QStringLiteral("MaxEd"));
    MaxEd->setPlaceholderText(tr("Amount to"));
    for (QLineEdit *amount : {MinEd, MaxEd})
        amount->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);

    auto *filters = new QHBoxLayout;
    for (QWidget *w :
         std::initializer_list<QWidget *>{DateKindCB, FromChk, FromDate, ToChk, ToDate, BankCB, StateCB, ValiditySB})
        filters->addWidget(w);
    filters->addWidget(PayeeEd, 1);
    filters->addWidget(MinEd);
    filters->addWidget(MaxEd);
    return filters;
}

void RegisterWindow::buildTable()
{
    Table = new QTableView(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setModel(m_model);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setSortingEnabled(true);
    Table->sortByColumn(RegisterModel::Number, Qt::DescendingOrder);
    Table->verticalHeader()->hide();
    Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 6);
    Table->horizontalHeader()->setSectionResizeMode(RegisterModel::Payee, QHeaderView::Stretch);
    Table->setWordWrap(false);
}

QLayout *RegisterWindow::buildActions()
{
    const auto button = [this](const QString &text, const QString &name, void (RegisterWindow::*slot)()) {
        QPushButton *b = Button(text, name, this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    VoidBtn = button(tr("Void…"), QStringLiteral("VoidBtn"), &RegisterWindow::voidSelected);
    SpoiltBtn = button(tr("Spoilt…"), QStringLiteral("SpoiltBtn"), &RegisterWindow::spoilSelected);
    PrintedBtn = button(tr("Mark Printed"), QStringLiteral("PrintedBtn"), &RegisterWindow::markSelectedPrinted);
    ReprintBtn = button(tr("Reprint…"), QStringLiteral("ReprintBtn"), &RegisterWindow::reprintSelected);
    HistoryBtn = button(tr("History…"), QStringLiteral("HistoryBtn"), &RegisterWindow::showHistory);
    ApproveBtn = button(tr("Approve…"), QStringLiteral("ApproveBtn"), &RegisterWindow::approveSelected);
    RejectBtn = button(tr("Reject…"), QStringLiteral("RejectBtn"), &RegisterWindow::rejectSelected);
    PrintApprovedBtn =
        button(tr("Print Approved…"), QStringLiteral("PrintApprovedBtn"), &RegisterWindow::printApprovedSelected);
    // A printed cheque's life: one button, its steps in a menu.
    LifeBtn = Button(tr("After Print"), QStringLiteral("LifeBtn"), this);
    auto *life = new QMenu(LifeBtn);
    life->setObjectName(QStringLiteral("LifeMenu"));
    for (const auto &[state, text] : {std::pair{ChequeState::Delivered, tr("Delivered to the Payee")},
                                      std::pair{ChequeState::Cleared, tr("Cleared by the Bank…")},
                                      std::pair{ChequeState::Returned, tr("Returned Unpaid…")},
                                      std::pair{ChequeState::Stopped, tr("Payment Stopped…")}}) {
        QAction *action = life->addAction(text);
        action->setData(int(state));
        connect(action, &QAction::triggered, this, [this, state = state] { markAfterPrint(state); });
    }
    // A step marked by mistake, undone with its reason.
    life->addSeparator();
    QAction *correct = life->addAction(tr("Set Back to Printed…"));
    correct->setObjectName(QStringLiteral("CorrectAction"));
    correct->setData(kCorrect);
    connect(correct, &QAction::triggered, this, &RegisterWindow::correctSelected);
    LifeBtn->setMenu(life);
    auto *actions = new QHBoxLayout;
    for (QPushButton *b :
         {VoidBtn, SpoiltBtn, PrintedBtn, LifeBtn, ReprintBtn, ApproveBtn, RejectBtn, PrintApprovedBtn, HistoryBtn,
          button(tr("Cheque Numbers…"), QStringLiteral("NumbersBtn"), &RegisterWindow::editChequeNumbers),
          AccountsBtn = button(tr("Accounts…"), QStringLiteral("AccountsBtn"), &RegisterWindow::editAccounts)})
        actions->addWidget(b);
    actions->addStretch(1);
    for (QPushButton *b : {button(tr("Due Dates…"), QStringLiteral("DueBtn"), &RegisterWindow::showDueDates),
                           button(tr("Reconcile…"), QStringLiteral("ReconcileBtn"), &RegisterWindow::reconcile),
                           button(tr("Export…"), QStringLiteral("ExportBtn"), &RegisterWindow::exportShown),
                           button(tr("Save Report…"), QStringLiteral("ReportBtn"), &RegisterWindow::saveReport),
                           button(tr("Print Report…"), QStringLiteral("PrintReportBtn"), &RegisterWindow::printReport),
                           button(tr("Connection…"), QStringLiteral("ConnectionBtn"), &RegisterWindow::editConnection)})
        actions->addWidget(b);
    QPushButton *close = Button(tr("Close"), QStringLiteral("CloseBtn"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    actions->addWidget(close);
    return actions;
}

void RegisterWindow::connectFilters()
{
    // Typing in the payee or an amount filters after a short pause: a
    // payee is looked for in every cheque of the register.
    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(250);
    connect(m_typing, &QTimer::timeout, this, &RegisterWindow::refresh);
    for (QLineEdit *edit : {PayeeEd, MinEd, MaxEd})
        connect(edit, &QLineEdit::textChanged, m_typing, qOverload<>(&QTimer::start));
    connect(FromChk, &QCheckBox::toggled, FromDate, &QWidget::setEnabled);
    connect(ToChk, &QCheckBox::toggled, ToDate, &QWidget::setEnabled);
    for (QCheckBox *check : {FromChk, ToChk})
        connect(check, &QCheckBox::toggled, this, &RegisterWindow::refresh);
    for (QDateEdit *date : {FromDate, ToDate})
        connect(date, &QDateEdit::dateChanged, this, &RegisterWindow::refresh);
    for (QComboBox *combo : {DateKindCB, BankCB, StateCB})
        connect(combo, &QComboBox::activated, this, &RegisterWindow::refresh);
    connect(StateCB, &QComboBox::currentIndexChanged, this,
            [this] { ValiditySB->setVisible(StateCB->currentData() == kStale); });
    connect(ValiditySB, &QSpinBox::valueChanged, this, [this](int months) {
        m_access.setValidityMonths(months);
        refresh();
    });
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::setBanks(const QStringList &banks)
{
    m_banks = banks;
    const QString current = BankCB->currentIndex() > 0 ? BankCB->currentText() : QString();
    WindowUser user(this, windowTitle());
    const QStringList all = AllBanks(banks, m_access.open(&user).reg);
    BankCB->clear();
    BankCB->addItem(tr("All banks"));
    BankCB->addItems(all);
    BankCB->setCurrentIndex(std::max(0, int(all.indexOf(current)) + 1));
}

ChequeRegister *RegisterWindow::openRegister()
{
    WindowUser user(this, windowTitle());
    const RegisterAccess::Opened opened = m_access.open(&user);
    if (!opened.reg)
        status(opened.problem);
    ChequeRegister *reg = opened.reg;
    return reg;
}

void RegisterWindow::status(const QString &text) { StatusLB->setText(text); }

std::optional<RegisterView> RegisterWindow::view(QString *problem) const
{
    RegisterView v = m_model->view();
    RegisterFilter &f = v.filter;
    f = RegisterFilter();
    const bool dated = DateKindCB->currentIndex() == 1;
    if (FromChk->isChecked())
        (dated ? f.datedFrom : f.from) = FromDate->date();
    if (ToChk->isChecked())
        (dated ? f.datedTo : f.to) = ToDate->date();
    if (BankCB->currentIndex() > 0)
        f.bank = BankCB->currentText();
    if (StateCB->currentData() == kStale)
        f.staleBefore = StaleBefore(QDate::currentDate(), ValiditySB->value());
    else if (StateCB->currentIndex() > 0)
        f.state = ChequeState(StateCB->currentData().toInt());
    f.payee = PayeeEd->text();
    if (!SetFilterAmounts(f, MinEd->text(), MaxEd->text())) {
        if (problem)
            *problem = tr("An amount to filter by is not a number.");
        return std::nullopt;
    }
    return v;
}

void RegisterWindow::refresh()
{
    m_typing->stop();
    m_stale = false;
    QString problem;
    const auto v = view(&problem);
    if (!v) {
        status(problem);
        return;
    }
    status(QString());
    ChequeRegister *reg = openRegister();
    if (reg)
        reg->changedElsewhere(); // what is read now is the version seen
    const RegisteredCheque *before = selected();
    const qint64 kept = before ? before->number : 0;
    m_model->show(reg, *v);
    for (int row = 0; kept && row < m_model->rowCount(); ++row)
        if (m_model->chequeAt(row)->number == kept) {
            selectRow(row);
            break;
        }
    // The times and dates whole, as wide as the rows shown need.
    for (int column : {RegisterModel::PrintedAt, RegisterModel::Date})
        Table->resizeColumnToContents(column);
    if (!reg) {
        TotalsLB->clear();
        return;
    }
    try {
        // The currencies by the names the table shows.
        QHash<QString, QString> shownAs;
        for (int row = 0; row < m_model->rowCount(); ++row) {
            const RegisteredCheque *c = m_model->chequeAt(row);
            shownAs.insert(c->currency, CurrencyShown(*c));
        }
        TotalsLB->setText(TotalsText(reg->stateTotals(v->filter), QLocale(), shownAs));
    } catch (const ChequeError &error) {
        TotalsLB->clear();
        status(QString::fromStdString(error.message()));
    }
}

void RegisterWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !m_access.isOpen())
        return;
    // (Open: asks nothing, reopens nothing.)
    ChequeRegister *reg = m_access.open().reg;
    if (m_stale || (reg && reg->changedElsewhere()))
        refreshWhenFree();
}

void RegisterWindow::refreshWhenFree()
{
    // Not under a dialog of this window's actions (they hold the row they
    // act on), nor while hidden: the window reads again when it is active
    // once more.
    QWidget *modal = QApplication::activeModalWidget();
    if (!isVisible() || (modal && (modal == this || isAncestorOf(modal)))) {
        m_stale = true;
        return;
    }
    refresh();
}

const RegisteredCheque *RegisterWindow::selected() const
{
    const QModelIndex current = Table->selectionModel()->currentIndex();
    return current.isValid() ? m_model->chequeAt(current.row()) : nullptr;
}

void RegisterWindow::selectRow(int row)
{
    // Not QTableView::selectRow: in a right-to-left window it looks for the
    // row's first column past the view's edge, and leaves no current row.
    Table->selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void RegisterWindow::updateButtons()
{
    const RegisteredCheque *c = selected();
    VoidBtn->setEnabled(c && CanChangeState(c->state, ChequeState::Voided));
    SpoiltBtn->setEnabled(c && CanChangeState(c->state, ChequeState::Spoilt));
    PrintedBtn->setEnabled(c && CanChangeState(c->state, ChequeState::Printed));
    // A reprint is of a cheque that had its number and paper.
    ReprintBtn->setEnabled(c && CanReprint(*c));
    HistoryBtn->setEnabled(c != nullptr);
    // Approval is a shared register's: a register file has one user.
    const bool server = m_access.connection().isServer();
    for (QPushButton *b : {ApproveBtn, RejectBtn, PrintApprovedBtn, AccountsBtn})
        b->setVisible(server);
    ApproveBtn->setEnabled(c && CanChangeState(c->state, ChequeState::Approved));
    RejectBtn->setEnabled(c && CanChangeState(c->state, ChequeState::Rejected));
    PrintApprovedBtn->setEnabled(c && CanPrintApproved(c->state));
    bool anyStep = false;
    for (QAction *step : LifeBtn->menu()->actions()) {
        if (step->isSeparator())
            continue;
        const int to = step->data().toInt();
        step->setEnabled(c && (to == kCorrect ? CanCorrect(c->state) : CanChangeState(c->state, ChequeState(to))));
        anyStep = anyStep || step->isEnabled();
    }
    LifeBtn->setEnabled(anyStep);
}

void RegisterWindow::markAfterPrint(ChequeState state)
{
    const RegisteredCheque *c = selected();
    ChequeRegister *reg = openRegister();
    if (!c || !reg || !CanChangeState(c->state, state))
        return;
    const RegisteredCheque cheque = *c;
    const QString which = tr("cheque No. %1 of %2 (%3, %4 %5)")
                              .arg(QString::number(cheque.chequeNumber), cheque.bank, cheque.payee,
                                   MinorUnitsText(cheque.minorUnits, cheque.digits), CurrencyShown(cheque));
    QDate day = QDate::currentDate();
    QString reason;
    if (state == ChequeState::Cleared) {
        const auto typed = askDay(tr("On what date did the bank pay %1?").arg(which), day);
        if (!typed)
            return;
        day = *typed;
    } else if (state == ChequeState::Returned || state == ChequeState::Stopped) {
        const auto typed = askReason((state == ChequeState::Returned ? tr("Why did the bank return %1 unpaid?")
                                                                     : tr("Why is the payment of %1 stopped?"))
                                         .arg(which));
        if (!typed)
            return;
        reason = *typed;
    }
    try {
        reg->markAfterPrint(cheque.number, state, day, reason);
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return;
    }
    m_access.touch();
}

void RegisterWindow::correctSelected()
{
    const RegisteredCheque *c = selected();
    ChequeRegister *reg = openRegister();
    if (!c || !reg || !CanCorrect(c->state))
        return;
    const RegisteredCheque cheque = *c;
    const auto reason = askReason(tr("Cheque No. %1 of %2 is %3. Why is it set back to printed? The reason is kept in "
                                     "its history.")
                                      .arg(QString::number(cheque.chequeNumber), cheque.bank, StateText(cheque.state)));
    if (!reason)
        return;
    try {
        reg->correctAfterPrint(cheque.number, *reason);
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return;
    }
    m_access.touch();
}

void RegisterWindow::decide(bool approve)
{
    const RegisteredCheque *c = selected();
    ChequeRegister *reg = openRegister();
    if (!c || !reg)
        return;
    const RegisteredCheque cheque = *c;
    // A rejection is kept with its reason.
    const QString question = approve ? tr("Approve the cheque of %1 to \"%2\" for %3 %4, prepared by %5? "
                                          "A comment, if any:")
                                     : tr("Why is the cheque of %1 to \"%2\" for %3 %4, prepared by %5, "
                                          "rejected?");
    const QString asked = question.arg(cheque.bank, cheque.payee, MinorUnitsText(cheque.minorUnits, cheque.digits),
                                       CurrencyShown(cheque), cheque.login);
    const auto typed = approve ? dialogs().askText(this, Title(), asked, QString()) : askReason(asked);
    if (!typed)
        return;
    const QString comment = typed->trimmed();
    try {
        reg->decide(cheque.number, approve, comment);
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return;
    }
    m_access.touch();
}

void RegisterWindow::approveSelected() { decide(true); }

void RegisterWindow::rejectSelected() { decide(false); }

void RegisterWindow::printApprovedSelected()
{
    if (const RegisteredCheque *c = selected(); c && c->state == ChequeState::Approved)
        emit printApprovedRequested(*c);
}

void RegisterWindow::setState(ChequeState state)
{
    const RegisteredCheque *c = selected();
    ChequeRegister *reg = openRegister();
    if (!c || !reg)
        return;
    const RegisteredCheque cheque = *c;
    QString reason;
    // A void or a spoilt cheque is kept with its reason.
    if (state != ChequeState::Printed) {
        const QString question = state == ChequeState::Voided ? tr("Why is cheque No. %1 of %2 (%3, %4 %5) void?")
                                                              : tr("Why is cheque No. %1 of %2 (%3, %4 %5) spoilt?");
        const auto typed =
            askReason(question.arg(QString::number(cheque.chequeNumber), cheque.bank, cheque.payee,
                                   MinorUnitsText(cheque.minorUnits, cheque.digits), CurrencyShown(cheque)));
        if (!typed)
            return;
        reason = *typed;
    }
    try {
        switch (state) {
        case ChequeState::Voided: reg->voidCheque(cheque.number, reason); break;
        case ChequeState::Spoilt: reg->markSpoilt(cheque.number, reason); break;
        default: reg->markPrinted(cheque.number); break;
        }
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, Title(), QString::fromStdString(error.message()));
        return;
    }
    m_access.touch();
}

void RegisterWindow::voidSelected() { setState(ChequeState::Voided); }

void RegisterWindow::spoilSelected() { setState(ChequeState::Spoilt); }

void RegisterWindow::markSelectedPrinted() { setState(ChequeState::Printed); }

void RegisterWindow::reprintSelected()
{
    if (const RegisteredCheque *c = selected())
        emit reprintRequested(*c);
}

std::optional<QString> RegisterWindow::askReason(const QString &question)
{
    QString typed;
    for (;;) {
        const auto answer = dialogs().askText(this, Title(), question, typed);
        if (!answer)
            return std::nullopt;
        if (!answer->trimmed().isEmpty())
            return answer->trimmed();
        dialogs().showMessage(this, Title(), tr("The reason must be given: it is kept with the cheque."));
    }
}

std::optional<QDate> RegisterWindow::askDay(const QString &question, QDate initial)
{
    QString typed = WriteShortDate(initial);
    for (;;) {
        const auto answer = dialogs().askText(this, Title(), question, typed);
        if (!answer)
            return std::nullopt;
        if (const auto read = ReadTypedDate(*answer))
            return read;
        dialogs().showMessage(this, Title(),
                              tr("The date \"%1\" cannot be read: %2.").arg(Shown(answer->trimmed()), DateFormsText()));
        typed = *answer;
    }
}
