// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printer/printeroffsetsdialog.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinterInfo>

#include "gui/printer/PrintChequeU.h"
#include "gui/widgets/widgets.h"

PrinterOffsetsDialog::PrinterOffsetsDialog(TPrintChequeForm &print, const QString &current, QWidget *parent)
    : QDialog(parent)
    , m_print(print)
{
    setObjectName(QStringLiteral("PrinterOffsetsDialog"));
    setWindowTitle(QCoreApplication::translate("TChequeForm", "Printer Offsets"));
    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("PrinterCB"));
    QStringList names = QPrinterInfo::availablePrinterNames();
    if (!current.isEmpty() && !names.contains(current))
        names.prepend(current);
    m_printer->addItems(names);
    m_printer->setCurrentIndex(std::max(0, int(names.indexOf(current))));
    m_right = new QDoubleSpinBox(this);
    m_right->setObjectName(QStringLiteral("RightEd"));
    m_down = new QDoubleSpinBox(this);
    m_down->setObjectName(QStringLiteral("DownEd"));
    for (QDoubleSpinBox *box : {m_right, m_down}) {
        box->setRange(-50, 50);
        box->setDecimals(1);
        box->setSingleStep(0.1);
        box->setSuffix(QCoreApplication::translate("TChequeForm", " mm"));
    }
    m_apply = new QCheckBox(
        QCoreApplication::translate("TChequeForm", "Apply this offset to every page sent to the printer"), this);
    m_apply->setObjectName(QStringLiteral("ApplyChk"));
    auto *form = new QFormLayout(this);
    form->addRow(QCoreApplication::translate("TChequeForm", "Printer"), m_printer);
    form->addRow(QCoreApplication::translate("TChequeForm", "Move pages right by"), m_right);
    form->addRow(QCoreApplication::translate("TChequeForm", "Move pages down by"), m_down);
    form->addRow(m_apply);
    auto *note =
        PlainLabel(QCoreApplication::translate("TChequeForm",
                                               "Print the calibration page, lay it over a cheque and read how far the "
                                               "printer puts things off; a negative number moves pages left or up."),
                   this);
    note->setWordWrap(true);
    form->addRow(note);
    const bool noPrinter = names.isEmpty();
    auto *buttons = new QDialogButtonBox(
        noPrinter ? QDialogButtonBox::Close : QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (noPrinter) {
        // Nothing to set: said, not dropped on OK.
        auto *none = PlainLabel(QCoreApplication::translate("TChequeForm",
                                                            "No printer is installed. Offsets apply to "
                                                            "printers only; a PDF file is never moved."),
                                this);
        none->setObjectName(QStringLiteral("NoPrinterLB"));
        none->setWordWrap(true);
        form->insertRow(0, none);
        for (QWidget *w : std::initializer_list<QWidget *>{m_printer, m_right, m_down, m_apply})
            w->setEnabled(false);
    }
    form->addRow(buttons);
    connect(m_printer, &QComboBox::currentIndexChanged, this, [this] { show(m_printer->currentText()); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!m_printer->currentText().isEmpty())
            m_print.setOffset(m_printer->currentText(), offset());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    show(m_printer->currentText());
}

PrinterOffset PrinterOffsetsDialog::offset() const
{
    return {int(std::lround(m_right->value() * 10)), int(std::lround(m_down->value() * 10)), m_apply->isChecked()};
}

void PrinterOffsetsDialog::show(const QString &printer)
{
    const PrinterOffset o = m_print.offsetOf(printer);
    m_right->setValue(o.rightTenths / 10.0);
    m_down->setValue(o.downTenths / 10.0);
    m_apply->setChecked(o.apply);
}
