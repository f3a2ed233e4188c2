// SPDX-License-Identifier: GPL-3.0-or-later
// The scanned cheque under the designer's fields: chosen, placed, kept.
#include "gui/designer/chequeU.h"

#include <QInputDialog>
#include <QLabel>

#include "gui/designer/designerdetail.h"
#include "gui/printer/PrintChequeU.h"
#include "gui/widgets/dialogs.h"

using namespace DesignerDetail;

void TChequeForm::setSettingsFile(const QString &settingsFile, const QString &dataDir)
{
    m_scans = ScanStore(settingsFile, dataDir);
    if (m_printForm)
        m_printForm->setSettingsFile(settingsFile);
    loadScan();
}

std::optional<ScanSettings> TChequeForm::scanSettings() const
{
    if (!Book.hasSelection())
        return std::nullopt;
    return m_scans.of(Book.Banks.at(Book.Selected));
}

QRect TChequeForm::scanRect() const { return m_scan->isVisible() ? m_scan->geometry() : QRect(); }

QString TChequeForm::scanNote() const { return m_scanNote; }

void TChequeForm::loadScan()
{
    m_scanNote.clear();
    m_scan->setImage({});
    const auto kept = scanSettings();
    if (kept) {
        // A scan that cannot be shown is noted quietly; nothing else waits on it.
        const LoadedScan loaded = LoadScan(m_scans.pathOf(*kept));
        if (!loaded.problem.isEmpty()) {
            m_scanNote = tr("Scan not shown: %1.").arg(loaded.problem);
        } else {
            const double dpi = kept->dpi > 0 ? kept->dpi : loaded.dpi.value_or(0);
            if (dpi <= 0) {
                m_scanNote = tr("Scan not shown: its resolution is not known.");
            } else {
                const QImage shown = ScanForDesigner(loaded.image, dpi, kept->opacity);
                m_scan->setImage(shown);
                m_scan->setGeometry(QRect(QPoint(MmToPx(kept->leftMm), MmToPx(kept->topMm)), shown.size()));
                m_scan->lower();
            }
        }
    }
    ScanLB->setText(m_scanNote);
}

void TChequeForm::chooseScan()
{
    if (!Book.hasSelection() || !m_scans.usable())
        return;
    const auto file =
        dialogs().askOpenFile(this, tr("Scanned Cheque"), tr("Scans (*.png *.jpg *.jpeg *.pdf);;All files (*)"));
    if (file)
        setScan(*file);
}

bool TChequeForm::setScan(const QString &path, std::optional<double> dpi)
{
    const LoadedScan loaded = LoadScan(path);
    if (!loaded.problem.isEmpty()) {
        dialogs().showMessage(this, DesignerTitle(), tr("The scan cannot be used: %1.").arg(loaded.problem));
        return false;
    }
    if (!dpi)
        dpi = loaded.dpi;
    if (!dpi) {
        const auto typed = dialogs().askText(this, DesignerTitle(),
                                             tr("The scan does not say its resolution. At how many dots "
                                                "per inch was it scanned?"),
                                             QStringLiteral("300"));
        bool ok = false;
        const double value = typed ? typed->trimmed().toDouble(&ok) : 0;
        if (!typed || !ok || value < 20 || value > 2400)
            return false;
        dpi = value;
    }
    if (const auto problem = m_scans.keep(Book.Banks.at(Book.Selected), path, *dpi)) {
        dialogs().showMessage(this, DesignerTitle(), *problem);
        return false;
    }
    loadScan();
    return true;
}

void TChequeForm::removeScan()
{
    if (!Book.hasSelection())
        return;
    m_scans.remove(Book.Banks.at(Book.Selected));
    loadScan();
}

void TChequeForm::setScanPlace(double leftMm, double topMm, double opacity)
{
    if (!Book.hasSelection())
        return;
    m_scans.place(Book.Banks.at(Book.Selected), leftMm, topMm, opacity);
    loadScan();
}
