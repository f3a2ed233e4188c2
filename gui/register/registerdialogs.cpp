// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/register/registerdialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/chequeerror.h"
#include "desk/registeraccess.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/widgets.h"

ConnectionDialog::ConnectionDialog(const RegisterConnection &c, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ConnectionDialog"));
    setWindowTitle(QCoreApplication::translate("RegisterWindow", "Register Connection"));
    FileRB = new QRadioButton(QCoreApplication::translate("RegisterWindow", "A register file on this computer"), this);
    FileRB->setObjectName(QStringLiteral("FileRB"));
    ServerRB = new QRadioButton(
        QCoreApplication::translate("RegisterWindow", "A PostgreSQL server, shared by the office"), this);
    ServerRB->setObjectName(QStringLiteral("ServerRB"));
    FileEd = new QLineEdit(c.file, this);
    FileEd->setObjectName(QStringLiteral("FileEd"));
    BrowseBtn = new QPushButton(QCoreApplication::translate("RegisterWindow", "Browse…"), this);
    BrowseBtn->setObjectName(QStringLiteral("BrowseBtn"));
    HostEd = new QLineEdit(c.host, this);
    HostEd->setObjectName(QStringLiteral("HostEd"));
    HostEd->setPlaceholderText(
        QCoreApplication::translate("RegisterWindow", "server name, or the folder of its socket"));
    PortEd = new QLineEdit(QString::number(c.port), this);
    PortEd->setObjectName(QStringLiteral("PortEd"));
    PortEd->setValidator(new QIntValidator(1, 65535, PortEd));
    DatabaseEd = new QLineEdit(c.database, this);
    DatabaseEd->setObjectName(QStringLiteral("DatabaseEd"));
    UserEd = new QLineEdit(c.user, this);
    UserEd->setObjectName(QStringLiteral("UserEd"));
    EncryptionCB = new QComboBox(this);
    EncryptionCB->setObjectName(QStringLiteral("EncryptionCB"));
    EncryptionCB->addItem(QCoreApplication::translate("RegisterWindow", "Encrypted (TLS)"),
                          int(RegisterConnection::Encryption::Required));
    EncryptionCB->addItem(
        QCoreApplication::translate("RegisterWindow", "Encrypted, the server verified by the office's certificate"),
        int(RegisterConnection::Encryption::Verified));
    EncryptionCB->addItem(QCoreApplication::translate("RegisterWindow", "Not encrypted (this computer's socket only)"),
                          int(RegisterConnection::Encryption::Off));
    EncryptionCB->setCurrentIndex(EncryptionCB->findData(int(c.encryption)));
    CaEd = new QLineEdit(c.caFile, this);
    CaEd->setObjectName(QStringLiteral("CaEd"));
    CaEd->setPlaceholderText(
        QCoreApplication::translate("RegisterWindow", "the certificate authority's certificate (.crt, .pem)"));
    CaBtn = new QPushButton(QCoreApplication::translate("RegisterWindow", "Browse…"), this);
    CaBtn->setObjectName(QStringLiteral("CaBtn"));
    (c.isServer() ? ServerRB : FileRB)->setChecked(true);

    auto *file = new QHBoxLayout;
    file->addWidget(FileEd, 1);
    file->addWidget(BrowseBtn);
    auto *form = new QFormLayout;
    form->addRow(FileRB);
    form->addRow(QCoreApplication::translate("RegisterWindow", "File"), file);
    form->addRow(ServerRB);
    form->addRow(QCoreApplication::translate("RegisterWindow", "Server"), HostEd);
    form->addRow(QCoreApplication::translate("RegisterWindow", "Port"), PortEd);
    form->addRow(QCoreApplication::translate("RegisterWindow", "Database"), DatabaseEd);
    form->addRow(QCoreApplication::translate("RegisterWindow", "User"), UserEd);
    form->addRow(QCoreApplication::translate("RegisterWindow", "Encryption"), EncryptionCB);
    auto *ca = new QHBoxLayout;
    ca->addWidget(CaEd, 1);
    ca->addWidget(CaBtn);
    form->addRow(QCoreApplication::translate("RegisterWindow", "Certificate authority"), ca);
    auto *note =
        PlainLabel(QCoreApplication::translate("RegisterWindow",
                                               "The password is taken from the PostgreSQL password file (.pgpass) or "
                                               "asked for when the register is opened; it is never saved."),
                   this);
    note->setWordWrap(true);
    form->addRow(note);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    setLayout(form);
    setMinimumWidth(480);

    connect(FileRB, &QRadioButton::toggled, this, &ConnectionDialog::updateEnabled);
    connect(BrowseBtn, &QPushButton::clicked, this, [this] {
        if (const auto name = dialogs().askSaveFile(
                this, QCoreApplication::translate("RegisterWindow", "Register File"), FileEd->text(),
                QCoreApplication::translate("RegisterWindow", "Registers (*.sqlite);;All files (*)")))
            FileEd->setText(*name);
    });
    connect(CaBtn, &QPushButton::clicked, this, [this] {
        if (const auto name = dialogs().askOpenFile(
                this, QCoreApplication::translate("RegisterWindow", "Certificate Authority"),
                QCoreApplication::translate("RegisterWindow", "Certificates (*.crt *.pem);;All files (*)")))
            CaEd->setText(*name);
    });
    connect(EncryptionCB, &QComboBox::currentIndexChanged, this, &ConnectionDialog::updateEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateEnabled();
}

void ConnectionDialog::updateEnabled()
{
    const bool file = FileRB->isChecked();
    FileEd->setEnabled(file);
    BrowseBtn->setEnabled(file);
    for (QLineEdit *e : {HostEd, PortEd, DatabaseEd, UserEd})
        e->setEnabled(!file);
    EncryptionCB->setEnabled(!file);
    const bool verified = EncryptionCB->currentData().toInt() == int(RegisterConnection::Encryption::Verified) && !file;
    CaEd->setEnabled(verified);
    CaBtn->setEnabled(verified);
}

RegisterConnection ConnectionDialog::connection() const
{
    RegisterConnection c;
    c.driver = FileRB->isChecked() ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
    c.file = FileEd->text().trimmed();
    c.host = HostEd->text().trimmed();
    c.port = PortEd->text().toInt() > 0 ? PortEd->text().toInt() : 5432;
    c.database = DatabaseEd->text().trimmed();
    c.user = UserEd->text().trimmed();
    c.encryption = RegisterConnection::Encryption(EncryptionCB->currentData().toInt());
    c.caFile = CaEd->text().trimmed();
    return c;
}

ChequeNumbersDialog::ChequeNumbersDialog(ChequeRegister &reg, RegisterAccess &access, const QStringList &banks,
                                         QWidget *parent)
    : QDialog(parent)
    , m_register(reg)
    , m_access(access)
{
    setObjectName(QStringLiteral("ChequeNumbersDialog"));
    setWindowTitle(QCoreApplication::translate("RegisterWindow", "Cheque Numbers"));
    BankCB = new QComboBox(this);
    BankCB->setObjectName(QStringLiteral("BankCB"));
    BankCB->addItems(AllBanks(banks, &reg));
    NextEd = new QLineEdit(this);
    NextEd->setObjectName(QStringLiteral("NextEd"));
    NextEd->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    auto *form = new QFormLayout(this);
    form->addRow(QCoreApplication::translate("RegisterWindow", "Bank"), BankCB);
    form->addRow(QCoreApplication::translate("RegisterWindow", "Next cheque number"), NextEd);
    auto *note =
        PlainLabel(QCoreApplication::translate("RegisterWindow",
                                               "Give the first number of a new cheque book; each cheque printed takes "
                                               "the next number."),
                   this);
    note->setWordWrap(true);
    form->addRow(note);
    BooksLB = PlainLabel(QString(), this);
    BooksLB->setObjectName(QStringLiteral("BooksLB"));
    BooksLB->setWordWrap(true);
    auto *add = new QPushButton(QCoreApplication::translate("RegisterWindow", "Add a Cheque Book…"), this);
    add->setObjectName(QStringLiteral("AddBookBtn"));
    form->addRow(BooksLB);
    form->addRow(QString(), add);
    LowSB = new QSpinBox(this);
    LowSB->setObjectName(QStringLiteral("LowSB"));
    LowSB->setRange(0, 500);
    LowSB->setValue(access.lowLeaves());
    form->addRow(QCoreApplication::translate("RegisterWindow", "Tell when fewer leaves are left than"), LowSB);
    connect(add, &QPushButton::clicked, this, &ChequeNumbersDialog::addBook);
    connect(LowSB, &QSpinBox::valueChanged, this, [this](int leaves) { m_access.setLowLeaves(leaves); });
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(BankCB, &QComboBox::currentIndexChanged, this, &ChequeNumbersDialog::showNext);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (apply())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showNext();
}

void ChequeNumbersDialog::showNext()
{
    try {
        const QString bank = BankCB->currentText();
        NextEd->setText(BankCB->currentIndex() < 0 ? QString() : QString::number(m_register.nextChequeNumber(bank)));
        QStringList books;
        for (const ChequeBook &book : m_register.chequeBooks(bank))
            books << QStringLiteral("%1–%2").arg(book.first).arg(book.last);
        const auto left = m_register.leavesLeft(bank);
        BooksLB->setText(
            books.isEmpty()
                ? QCoreApplication::translate("RegisterWindow", "No cheque books: any number is printed.")
                : QCoreApplication::translate("RegisterWindow", "Cheque books: %1. Leaves left in the one in use: %2.")
                      .arg(books.join(QLatin1String(", ")))
                      .arg(left.value_or(0)));
    } catch (const ChequeError &error) {
        NextEd->clear();
        dialogs().showMessage(this, windowTitle(), QString::fromStdString(error.message()));
    }
}

void ChequeNumbersDialog::addBook()
{
    if (BankCB->currentIndex() < 0)
        return;
    const QString bank = BankCB->currentText();
    const auto typed = dialogs().askText(
        this, windowTitle(),
        QCoreApplication::translate("RegisterWindow",
                                    "The first and last leaf numbers of the new cheque book of %1 (for instance "
                                    "101-150):")
            .arg(bank),
        QString());
    if (!typed)
        return;
    const auto leaves = ReadLeafRange(*typed);
    try {
        if (!leaves)
            throw ChequeError(
                QCoreApplication::translate("RegisterWindow", "Give the first and last leaf numbers, as 101-150.")
                    .toStdString());
        m_register.addChequeBook(bank, leaves->first, leaves->second);
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, windowTitle(), QString::fromStdString(error.message()));
    }
    showNext();
}

bool ChequeNumbersDialog::apply()
{
    const auto next = ReadChequeNumber(NextEd->text());
    if (BankCB->currentIndex() < 0 || !next) {
        dialogs().showMessage(
            this, windowTitle(),
            QCoreApplication::translate("RegisterWindow", "The next cheque number must be a whole number from 1."));
        return false;
    }
    try {
        m_register.setNextChequeNumber(BankCB->currentText(), *next);
    } catch (const ChequeError &error) {
        dialogs().showMessage(this, windowTitle(), QString::fromStdString(error.message()));
        return false;
    }
    return true;
}
