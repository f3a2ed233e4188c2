// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout/chequescan.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSettings>

#include "core/datafolder.h"
#include "core/settingskeys.h"

namespace {

QString Group(const QString &bank) { return QLatin1String(SettingsKey::ScanGroup) + QString::fromLatin1(bank.toUtf8().toHex()); }

quint32 BigEndian32(const char *p)
{
    return (quint32(quint8(p[0])) << 24) | (quint32(quint8(p[1])) << 16) | (quint32(quint8(p[2])) << 8)
        | quint32(quint8(p[3]));
}

constexpr double kDesignDpi = 96.0;
constexpr double kPdfDpi = 200.0; // a PDF page is drawn this fine for the designer
constexpr int kPdfSeconds = 30;   // given to draw it

} // namespace

QString ScanPlaceText(const ScanSettings &scan)
{
    return QStringLiteral("%1, %2, %3").arg(scan.leftMm).arg(scan.topMm).arg(qRound(scan.opacity * 100));
}

bool ReadScanPlace(const QString &text, ScanSettings &scan)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 3)
        return false;
    bool a = false, b = false, c = false;
    const double left = parts[0].trimmed().toDouble(&a);
    const double top = parts[1].trimmed().toDouble(&b);
    const double opacity = parts[2].trimmed().toDouble(&c);
    if (!a || !b || !c || opacity < 0 || opacity > 100)
        return false;
    scan.leftMm = left;
    scan.topMm = top;
    scan.opacity = opacity / 100;
    return true;
}

std::optional<ScanSettings> ReadScanSettings(const QSettings &settings, const QString &bank)
{
    const QString group = Group(bank);
    const QString file = settings.value(group + QStringLiteral("/file")).toString();
    if (file.isEmpty())
        return std::nullopt;
    ScanSettings scan;
    scan.file = file;
    scan.dpi = settings.value(group + QStringLiteral("/dpi"), 0).toDouble();
    scan.opacity = std::clamp(settings.value(group + QStringLiteral("/opacity"), 0.5).toDouble(), 0.0, 1.0);
    scan.leftMm = settings.value(group + QStringLiteral("/left"), 0).toDouble();
    scan.topMm = settings.value(group + QStringLiteral("/top"), 0).toDouble();
    return scan;
}

void WriteScanSettings(QSettings &settings, const QString &bank, const ScanSettings &scan)
{
    const QString group = Group(bank);
    settings.setValue(group + QStringLiteral("/bank"), bank);
    settings.setValue(group + QStringLiteral("/file"), scan.file);
    settings.setValue(group + QStringLiteral("/dpi"), scan.dpi);
    settings.setValue(group + QStringLiteral("/opacity"), scan.opacity);
    settings.setValue(group + QStringLiteral("/left"), scan.leftMm);
    settings.setValue(group + QStringLiteral("/top"), scan.topMm);
    settings.sync();
}

void RemoveScanSettings(QSettings &settings, const QString &bank)
{
    settings.remove(Group(bank));
    settings.sync();
}

std::optional<double> DeclaredDpi(const QByteArray &head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n")) {
        // Chunks: length, type, data, CRC; pHYs comes before the image data.
        qsizetype at = 8;
        while (at + 8 <= head.size()) {
            const quint32 length = BigEndian32(head.constData() + at);
            const QByteArray type = head.mid(at + 4, 4);
            if (type == "pHYs" && length >= 9 && at + 8 + 9 <= head.size()) {
                const char *d = head.constData() + at + 8;
                const quint32 x = BigEndian32(d);
                if (quint8(d[8]) == 1 && x > 0) // pixels per metre
                    return x * 0.0254;
                return std::nullopt;
            }
            if (type == "IDAT" || type == "IEND")
                return std::nullopt;
            at += 12 + qsizetype(length);
        }
        return std::nullopt;
    }
    if (head.startsWith("\xFF\xD8")) {
        // The JFIF segment follows the start of the image.
        qsizetype at = 2;
        while (at + 4 <= head.size() && quint8(head[at]) == 0xFF) {
            const int marker = quint8(head[at + 1]);
            const int length = (quint8(head[at + 2]) << 8) | quint8(head[at + 3]);
            if (marker == 0xE0 && head.mid(at + 4, 5) == QByteArray("JFIF\0", 5) && at + 16 <= head.size()) {
                const int units = quint8(head[at + 11]);
                const int x = (quint8(head[at + 12]) << 8) | quint8(head[at + 13]);
                if (x <= 0)
                    return std::nullopt;
                if (units == 1)
                    return double(x);
                if (units == 2)
                    return x * 2.54;
                return std::nullopt; // an aspect ratio only
            }
            if (marker == 0xDA)
                break;
            at += 2 + length;
        }
    }
    return std::nullopt;
}

LoadedScan LoadScan(const QString &path)
{
    LoadedScan scan;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        scan.problem = QCoreApplication::translate("TChequeForm", "the scan \"%1\" cannot be read")
                           .arg(QFileInfo(path).fileName());
        return scan;
    }
    const QByteArray head = file.read(1 << 16);
    file.close();
    if (head.startsWith("%PDF")) {
        // Read by a helper of its own: a PDF that hangs or breaks the reader
        // is given up on, and the program goes on.
        const QString helper = HelperProgram(QStringLiteral("cheque-pdfpage"));
        if (helper.isEmpty()) {
            scan.problem =
                QCoreApplication::translate("TChequeForm", "the PDF reader (cheque-pdfpage) is not installed");
            return scan;
        }
        QProcess reader;
        reader.start(helper, {QString::number(kPdfDpi), path});
        if (reader.waitForFinished(kPdfSeconds * 1000) && reader.exitStatus() == QProcess::NormalExit
            && reader.exitCode() == 0)
            scan.image = QImage::fromData(reader.readAllStandardOutput(), "PNG");
        else
            reader.kill();
        scan.dpi = kPdfDpi;
        if (scan.image.isNull())
            scan.problem = QCoreApplication::translate("TChequeForm", "the PDF \"%1\" has no page that can be shown")
                               .arg(QFileInfo(path).fileName());
        return scan;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true); // phone scans carry their turn in EXIF
    scan.image = reader.read();
    if (scan.image.isNull()) {
        scan.problem =
            QCoreApplication::translate("TChequeForm", "the scan \"%1\" is not a PNG, JPEG or PDF image (%2)")
                .arg(QFileInfo(path).fileName(), reader.errorString());
        return scan;
    }
    scan.dpi = DeclaredDpi(head);
    return scan;
}

QImage ScanForDesigner(const QImage &image, double dpi, double opacity)
{
    if (image.isNull() || dpi <= 0)
        return {};
    const QSize size(qMax(1, qRound(image.width() * kDesignDpi / dpi)),
                     qMax(1, qRound(image.height() * kDesignDpi / dpi)));
    QImage shown(size, QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(std::clamp(opacity, 0.0, 1.0));
    painter.drawImage(QRect(QPoint(0, 0), size), image);
    painter.end();
    return shown;
}

ScanStore::ScanStore(QString settingsFile, QString dataDir)
    : m_settingsFile(std::move(settingsFile))
    , m_dataDir(std::move(dataDir))
{}

std::optional<ScanSettings> ScanStore::of(const QString &bank) const
{
    if (!usable())
        return std::nullopt;
    const QSettings settings(m_settingsFile, QSettings::IniFormat);
    return ReadScanSettings(settings, bank);
}

QString ScanStore::pathOf(const ScanSettings &scan) const { return QDir(m_dataDir).filePath(scan.file); }

std::optional<QString> ScanStore::keep(const QString &bank, const QString &path, double dpi)
{
    const QString name = QStringLiteral("scans/%1.%2")
                             .arg(QString::fromLatin1(bank.toUtf8().toHex()), QFileInfo(path).suffix().toLower());
    const QString copy = QDir(m_dataDir).filePath(name);
    QDir(m_dataDir).mkpath(QStringLiteral("scans"));
    if (QFileInfo(path).absoluteFilePath() != QFileInfo(copy).absoluteFilePath()) {
        QFile::remove(copy);
        if (!QFile::copy(path, copy))
            return QCoreApplication::translate("ChequeScan", "The scan could not be copied to \"%1\".")
                .arg(QDir::toNativeSeparators(copy));
    }
    ScanSettings scan = of(bank).value_or(ScanSettings());
    scan.file = name;
    scan.dpi = dpi;
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    WriteScanSettings(settings, bank, scan);
    return std::nullopt;
}

void ScanStore::place(const QString &bank, double leftMm, double topMm, double opacity)
{
    auto kept = of(bank);
    if (!kept)
        return;
    kept->leftMm = leftMm;
    kept->topMm = topMm;
    kept->opacity = std::clamp(opacity, 0.0, 1.0);
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    WriteScanSettings(settings, bank, *kept);
}

void ScanStore::remove(const QString &bank)
{
    const auto kept = of(bank);
    if (!kept)
        return;
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    RemoveScanSettings(settings, bank);
    QFile::remove(pathOf(*kept));
}
