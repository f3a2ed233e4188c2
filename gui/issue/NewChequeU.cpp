// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/issue/NewChequeU.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/counttext.h"
#include "core/datafile.h"
#include "core/settingsfile.h"
#include "core/settingskeys.h"
#include "core/version.h"
#include "currency/currencyrecord.h"
#include "currency/moneyfile.h"
#include "desk/registeraccess.h"
#include "gui/currency/monyU.h"
#include "gui/designer/chequeU.h"
#include "gui/list/batchwindow.h"
#include "gui/printer/PrintChequeU.h"
#include "gui/register/registermodel.h"
#include "gui/register/registerwindow.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/webpanel.h"
#include "gui/widgets/widgets.h"
#include "layout/bankfiles.h"
#include "output/amounttext.h"
#include "output/chequepage.h"
#include "output/printrun.h"
#include "register/chequeissuer.h"
#include "register/registerreport.h"

const QString ProductPageURL = QStringLiteral("https://cheque-printer.example/product/");

QUrl ProductPage()
{
    const QByteArray override = qgetenv("CHEQUE_PRODUCT_URL");
    return QUrl(override.isEmpty() ? ProductPageURL : QString::fromUtf8(override));
}

namespace {

QString WindowCaption() { return QCoreApplication::translate("TNewChequeForm", "Print Cheque"); }

} // namespace

TNewChequeForm::TNewChequeForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NewChequeForm"));
    setWindowTitle(WindowCaption());
    setFont(PixelFont(QStringLiteral("Times New Roman"), 16, true));
    resize(443, 370); // 451 x 404 with the window's frame

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    // The menu bar sits above the window's own controls, which keep their
    // places; the window grows by its height.
    buildMenu();
    outer->setMenuBar(MenuBar);
    resize(width(), height() + MenuBar->sizeHint().height());

    auto *panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(216);
    auto *top = new QVBoxLayout(panel1);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    QFrame *panel2 = buildChequeBoxes(panel1);
    buildWordLines(panel1);
    QFrame *panel3 = buildButtons(panel1);
    top->addWidget(panel2);
    top->addWidget(EAmountLB);
    top->addWidget(AAmountLB);
    top->addWidget(panel3, 1);
    outer->addWidget(panel1);
    buildBanners(outer);

    connect(AmountED, &QLineEdit::textChanged, this, [this] { AmountEDChange(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(ManyRG, &RadioGroup::clicked, this, [this] { ManyRGClick(); });
    connect(BankNameCB, &QComboBox::currentIndexChanged, this, [this] { BankNameCBChange(); });
    connect(BankNameCB, &BankComboBox::closedUp, this, [this] { BankNameCBChange(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { close(); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    FitCaptions(this);
    // In Arabic the captions stand right of their boxes.
    MirrorForRightToLeft(panel2, width());
    MirrorForRightToLeft(ManyPanel, ManyPanel->width());
    MirrorForRightToLeft(panel3, width());
}

TNewChequeForm::~TNewChequeForm() = default;

void TNewChequeForm::setWindows(TChequeForm *cheque, TMoneyForm *money, TPrintChequeForm *print,
                                CurrencyRecord *currency)
{
    m_currency = currency;
    m_designer = cheque;
    m_money = money;
    m_print = print;
    connect(&cheque->Book, &BankBook::saving, this, &TNewChequeForm::MirrorBanks);
    connect(cheque, &TChequeForm::layoutRepaired, this, &TNewChequeForm::layoutRepaired);
    connect(cheque, &TChequeForm::layoutSaved, this, [this] { writeBankFiles(false); });
    cheque->setMoneyForm(money);
    cheque->setPrintForm(print);
}

void TNewChequeForm::report(const QString &text) { dialogs().showMessage(this, WindowCaption(), text); }

void TNewChequeForm::AmountEDChange()
{
    std::string english;
    std::string arabic;
    try {
        AmountToWords(ToStd(NormalizedAmountText(AmountED->text())), m_currency->value(), english, arabic);
    } catch (const ChequeError &error) {
        // While the amount is only the start of a number ("-", "."), the
        // words are those of nothing yet: a message now would take the next
        // keys typed.
        if (!IsUnfinishedAmount(AmountED->text())) {
            report(QString::fromStdString(error.message()));
            return;
        }
        english.clear();
        arabic.clear();
    }
    MarkAmountText(english, arabic, m_designer && m_designer->onlyFirst());
    EAmountLB->setText(FromStd(english));
    AAmountLB->setText(FromStd(arabic));
}

void TNewChequeForm::SpeedButton1Click() { DateEd->setText(WriteShortDate(QDate::currentDate().addDays(30))); }

void TNewChequeForm::ManyRGClick()
{
    ManyPanel->setVisible(ManyRG->itemIndex() == 1);
    if (CountED->cleanText().isEmpty()) {
        CountED->setValue(CountED->minimum() + 1); // the box shows its value again
        CountED->setValue(1);
    }
}

void TNewChequeForm::BankNameCBChange()
{
    if (!m_designer)
        return;
    // The designer's unsaved changes are not dropped without a word.
    if (BankNameCB->currentIndex() != m_designer->Book.Selected && !m_designer->settleChanges(this)) {
        const QSignalBlocker block(BankNameCB);
        BankNameCB->setCurrentIndex(m_designer->Book.Selected);
        return;
    }
    m_designer->SelectBank(BankNameCB->currentIndex());
    m_designer->BankNameCBChange();
    rememberBank();
}

void TNewChequeForm::rememberBank()
{
    if (DataFolder.isEmpty() || BankNameCB->currentIndex() < 0 || SettingsProblem(DataFolder))
        return;
    RememberBank(settingsFile(), BankNameCB->currentText(), BankNameCB->currentIndex() == 0);
}

QString TNewChequeForm::status() const { return StatusLB->text(); }

void TNewChequeForm::MirrorBanks() { ShowBankList(BankNameCB, m_designer->Book); }

void TNewChequeForm::BitBtn2Click()
{
    m_designer->show();
    m_designer->raise();
    m_designer->activateWindow();
}

void TNewChequeForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_started && !event->spontaneous()) {
        m_started = true;
        FormShow();
    }
}

void TNewChequeForm::FormShow()
{
    if (ExeName.isEmpty())
        ExeName = QCoreApplication::applicationFilePath();
    DataFolder = m_dataDir.isEmpty() ? QFileInfo(ExeName).absolutePath() : m_dataDir;
    if (!DataFolder.endsWith(u'/'))
        DataFolder += u'/';

    m_files = std::make_unique<BankFiles>(DataFolder);
    if (const auto problem = SettingsProblem(DataFolder))
        report(*problem);
    m_register = std::make_unique<RegisterAccess>(settingsFile(), DataFolder);
    m_designer->setSettingsFile(settingsFile(), DataFolder);
    loadBankFiles();
    AmountED->selectAll();
    DateEd->setFocus();
    if (const auto problem = m_money->StartUp(DataFolder))
        report(*problem);
    {
        // The bank used last, or the first.
        const QSignalBlocker block(BankNameCB);
        const int last = BankNameCB->findText(LastBank(settingsFile()));
        BankNameCB->setCurrentIndex(last >= 0 ? last : BankNameCB->count() > 0 ? 0 : -1);
    }
    BankNameCBChange();
    m_files->started(m_designer->Book.Banks, m_designer->Book.Options);
    WebBrowser2->Navigate(ProductPage(), WebPanel::NoHistory | WebPanel::NoCacheRead | WebPanel::NoCacheWrite);
}

void TNewChequeForm::loadBankFiles()
{
    BankBook &book = m_designer->Book;
    const BankFiles::Read read = m_files->read();
    for (const QString &problem : read.problems)
        report(problem);
    book.Banks = read.banks;
    book.Selected = -1;
    m_designer->ShowBanks();
    MirrorBanks();
    if (read.options) {
        book.Options = *read.options;
    } else {
        // Every bank takes the layout on screen, the initial one; the last
        // bank ends up selected, as when each is selected and saved in turn.
        book.Options.clear();
        m_designer->SelectBank(int(book.Banks.size()) - 1);
        m_designer->SaveChequeOptionsForEveryBank();
    }
}

void TNewChequeForm::layoutRepaired(int bank, const QString &reason)
{
    const QString kept = m_files ? m_files->keepDamagedOptions().value_or(QString()) : QString();
    report(tr("The layout of the bank \"%1\" in options.txt is damaged: %2\n\nThe bank now has the "
              "layout that was on screen; check it in Setup. options.txt is written with it at close.%3")
               .arg(m_designer->Book.Banks.value(bank), reason, kept.isEmpty() ? kept : u' ' + kept));
}

void TNewChequeForm::closeEvent(QCloseEvent *event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

bool TNewChequeForm::FormClose()
{
    if (!m_started || !m_files)
        return true;
    // A layout changed in the designer and not saved: asked about first.
    if (!m_designer->settleChanges(this))
        return false;
    writeBankFiles(true);
    return true;
}

bool TNewChequeForm::writeBankFiles(bool closing)
{
    if (!m_files)
        return false;
    WindowUser user(this, WindowCaption());
    return SaveBankFiles(*m_files, m_designer->Book.Banks, m_designer->Book.Options, closing, user);
}

void TNewChequeForm::PrintBtnClick()
{
    CountED->interpretText(); // a count still being typed counts as it will on leaving the box
    WindowUser user(this, WindowCaption());
    WindowPrinter printer(*m_print, this);
    DesignerLayouts layouts(*m_designer, this);
    const IssueOutcome outcome = ChequeDesk(*m_register, *m_currency, layouts)
                                     .print(typed(), ManyRG->itemIndex() == 1, CountED->value(), user, printer);
    showOutcome(outcome);
    if (outcome.unread)
        return;
    WebBrowser2->Navigate(ProductPage(), WebPanel::NoHistory | WebPanel::NoCacheRead | WebPanel::NoCacheWrite);
}

TypedCheque TNewChequeForm::typed() const
{
    return {BankNameCB->currentText(), DateEd->text(), NameED->text(), AmountED->text(), AccOnly->isChecked()};
}

void TNewChequeForm::showOutcome(const IssueOutcome &outcome)
{
    if (!outcome.date.isEmpty())
        DateEd->setText(outcome.date);
    // Each word line keeps its own language's words (the cheque carried
    // those of the payee's language).
    if (!outcome.words.isEmpty())
        AmountEDChange();
    if (!outcome.status.isEmpty())
        StatusLB->setText(outcome.status);
    if (outcome.shown) {
        // The designer's fields show the cheque, with the directions its
        // page gave them.
        ChequeLayout filled = FillCheque(outcome.shown->layout, outcome.shown->cheque);
        ApplyPrintedDirections(filled);
        m_designer->showCheque(filled);
    }
}

QString TNewChequeForm::settingsFile() const { return SettingsFile(DataFolder); }

void TNewChequeForm::showRegister()
{
    if (!m_register)
        return;
    if (!m_registerWindow) {
        m_registerWindow = std::make_unique<RegisterWindow>(*m_register);
        connect(m_registerWindow.get(), &RegisterWindow::reprintRequested, this, &TNewChequeForm::reprint);
        connect(m_registerWindow.get(), &RegisterWindow::printApprovedRequested, this, &TNewChequeForm::printApproved);
    }
    m_registerWindow->setBanks(m_designer->Book.Banks);
    m_registerWindow->setCurrency(m_currency->value());
    m_registerWindow->refresh();
    m_registerWindow->show();
    m_registerWindow->raise();
    m_registerWindow->activateWindow();
}

void TNewChequeForm::editRegisterConnection()
{
    if (!m_register)
        return;
    ConnectionDialog dialog(m_register->connection(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_register->setConnection(dialog.connection());
    WindowUser user(this, WindowCaption());
    if (const RegisterAccess::Opened opened = m_register->open(&user); !opened.reg)
        report(opened.problem);
}

QWidget *TNewChequeForm::registerParent()
{
    return m_registerWindow ? static_cast<QWidget *>(m_registerWindow.get()) : this;
}

void TNewChequeForm::reprint(const RegisteredCheque &original)
{
    WindowUser user(registerParent(), WindowCaption());
    WindowPrinter printer(*m_print, registerParent());
    DesignerLayouts layouts(*m_designer, registerParent());
    showOutcome(ChequeDesk(*m_register, *m_currency, layouts).reprint(original, user, printer));
}

void TNewChequeForm::printApproved(const RegisteredCheque &approved)
{
    WindowUser user(registerParent(), WindowCaption());
    WindowPrinter printer(*m_print, registerParent());
    DesignerLayouts layouts(*m_designer, registerParent());
    showOutcome(ChequeDesk(*m_register, *m_currency, layouts).printApproved(approved, user, printer));
}

BatchContext TNewChequeForm::batchContext() const
{
    DesignerLayouts layouts(*m_designer, nullptr);
    return ChequeDesk(*m_register, *m_currency, layouts).batchContext(BankNameCB->currentText());
}

void TNewChequeForm::showBatch()
{
    if (!m_batchWindow) {
        m_batchWindow =
            std::make_unique<BatchWindow>([this] { return batchContext(); },
                                          [this](QList<BatchRow> &rows) {
                                              WindowUser user(m_batchWindow.get(), WindowCaption());
                                              DesignerLayouts layouts(*m_designer, nullptr);
                                              ChequeDesk(*m_register, *m_currency, layouts).markRegistered(rows, user);
                                          });
        connect(m_batchWindow.get(), &BatchWindow::printRequested, this, [this](const QList<BatchRow> &rows) {
            PrintList(rows, m_batchWindow.get());
            m_batchWindow->remark();
        });
    }
    m_batchWindow->show();
    m_batchWindow->raise();
    m_batchWindow->activateWindow();
    if (m_batchWindow->rows().isEmpty())
        m_batchWindow->openFile();
}

int TNewChequeForm::PrintList(const QList<BatchRow> &rows, QWidget *parent)
{
    WindowUser user(parent, WindowCaption());
    WindowPrinter printer(*m_print, parent);
    DesignerLayouts layouts(*m_designer, parent);
    int total = 0;
    for (const BatchRow &row : rows)
        total += row.cheque ? 1 : 0;
    // Shown once the printer is chosen, before the first cheque.
    std::unique_ptr<QProgressDialog> progress;
    const IssueOutcome outcome =
        ChequeDesk(*m_register, *m_currency, layouts)
            .printList(rows, user, printer, [&](const ChequeJob &job, int done) {
                if (!progress) {
                    progress = std::make_unique<QProgressDialog>(tr("Printing…"), tr("Cancel"), 0, total, parent);
                    progress->setObjectName(QStringLiteral("ListProgress"));
                    progress->setWindowTitle(WindowCaption());
                    progress->setWindowModality(Qt::WindowModal);
                    progress->setMinimumDuration(0);
                    progress->setAutoReset(false);
                    progress->setAutoClose(false);
                }
                progress->setValue(done);
                // Cancel is read between cheques: the cheque in flight is finished.
                if (progress->wasCanceled())
                    return false;
                progress->setLabelText(tr("Row %1: %2, %3").arg(job.row).arg(job.cheque.payee, job.cheque.figure));
                return true;
            });
    if (progress)
        progress->close();
    showOutcome(outcome);
    if (m_batchWindow && parent == m_batchWindow.get() && !outcome.tally.isEmpty())
        m_batchWindow->setStatus(outcome.tally);
    return outcome.printed;
}

void TNewChequeForm::showAbout()
{
    dialogs().showMessage(this, tr("About Cheque Printer"),
                          tr("Cheque Printer %1\n\nPrints bank cheques in Arabic and English.\n\nData folder: %2\n\n"
                             "Free software under the GNU General Public License, version 3 or later.")
                              .arg(QStringLiteral(CHEQUE_PRINTER_VERSION), QDir::toNativeSeparators(DataFolder)),
                          Dialogs::Tone::Information);
}

void TNewChequeForm::chooseLanguage(const QString &language)
{
    if (DataFolder.isEmpty())
        return;
    SetInterfaceLanguage(DataFolder, language);
    dialogs().showMessage(this, WindowCaption(),
                          language == QLatin1String("ar")
                              ? QStringLiteral("ستظهر الواجهة بالعربية عند تشغيل البرنامج مرة أخرى.\n\nThe interface "
                                               "will be in Arabic when the program starts again.")
                              : QStringLiteral("The interface will be in English when the program starts again.\n\n"
                                               "ستظهر الواجهة بالإنجليزية عند تشغيل البرنامج مرة أخرى."));
}
