// The program entry. Until the issue window is complete this shows the live
// amount in words for the currency kept beside the executable.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>

#include "amounttext.h"
#include "datafile.h"
#include "moneyfile.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    MonyType money = UaeMoney();
    const QString moneyPath = QDir(QCoreApplication::applicationDirPath()).filePath(MoneyFileName);
    if (QFile::exists(moneyPath)) {
        try {
            money = ReadMoneyFile(moneyPath).money;
        } catch (const ChequeError &error) {
            QMessageBox::warning(nullptr, QStringLiteral("Error"), QString::fromStdString(error.what()));
        }
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Print Cheque"));
    auto *central = new QWidget(&window);
    auto *form = new QFormLayout(central);
    auto *amount = new QLineEdit(central);
    auto *english = new QLabel(QStringLiteral("----"), central);
    auto *arabic = new QLabel(QStringLiteral("-----"), central);
    english->setWordWrap(true);
    arabic->setWordWrap(true);
    arabic->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    form->addRow(QStringLiteral("Amount"), amount);
    form->addRow(english);
    form->addRow(arabic);
    window.setCentralWidget(central);

    QObject::connect(amount, &QLineEdit::textChanged, &window, [&](const QString &text) {
        std::string en;
        std::string ar;
        try {
            AmountToWords(ToStd(text), money, en, ar);
        } catch (const ChequeError &error) {
            QMessageBox::critical(&window, QStringLiteral("Error"), QString::fromStdString(error.what()));
            return;
        }
        MarkAmountText(en, ar, false);
        english->setText(FromStd(en));
        arabic->setText(FromStd(ar));
    });

    window.resize(451, 200);
    window.show();
    return app.exec();
}
