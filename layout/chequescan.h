// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The scanned cheque a bank's layout is lined up on: an image (PNG, JPEG,
// or the first page of a PDF) shown under the designer's fields at true
// size, never printed. Its settings are kept per bank in the program's
// settings, beside the data files; options.txt knows nothing of it. Loading
// and resolution here; no widgets.

#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

class QSettings;

/// A bank's scan, as kept.
struct ScanSettings
{
    QString file;         ///< the image, in the scans folder beside the data files
    double dpi = 0;       ///< its resolution; 0 when the file says none and none was given
    double opacity = 0.5; ///< 0 to 1
    double leftMm = 0;    ///< where the scan's top-left corner lies, from the cheque area's origin
    double topMm = 0;

    friend bool operator==(const ScanSettings &, const ScanSettings &) = default;
};

/// A scan's place and opacity as the designer asks for them: "left, top,
/// opacity", in mm and per cent.
QString ScanPlaceText(const ScanSettings &scan);
/// Reads that text into `scan`: three numbers, the opacity from 0 to 100.
/// False (and `scan` unchanged) when it is not.
bool ReadScanPlace(const QString &text, ScanSettings &scan);

std::optional<ScanSettings> ReadScanSettings(const QSettings &settings, const QString &bank);
void WriteScanSettings(QSettings &settings, const QString &bank, const ScanSettings &scan);
void RemoveScanSettings(QSettings &settings, const QString &bank);

/// The resolution a PNG (its pHYs chunk in pixels per metre) or a JPEG (its
/// JFIF header in dots per inch or per centimetre) declares; nothing when
/// the file declares none (Qt's images then report a default that cannot be
/// told from a real one).
std::optional<double> DeclaredDpi(const QByteArray &head);

/// A scan as the designer shows it.
struct LoadedScan
{
    QImage image;
    std::optional<double> dpi; ///< from the file; a PDF page is rendered at a resolution of its own
    QString problem;           ///< why it could not be loaded
};

/// Loads a PNG or JPEG (turned as its EXIF says) or the first page of a PDF.
LoadedScan LoadScan(const QString &path);

/// The scan scaled to the designer's pixels (96 per inch), so that a
/// millimetre of the scan lies on a millimetre of the cheque area, and
/// faded to `opacity` over white.
QImage ScanForDesigner(const QImage &image, double dpi, double opacity);

/// Each bank's scan where it is kept: copied into the "scans" folder beside
/// the data files (so that it stays when the original is moved or its stick
/// taken away) and named, with its resolution, place and opacity, in the
/// program's settings.
class ScanStore
{
public:
    ScanStore(QString settingsFile, QString dataDir);

    /// Whether scans can be kept at all (the program's settings are known).
    bool usable() const { return !m_settingsFile.isEmpty(); }
    std::optional<ScanSettings> of(const QString &bank) const;
    /// The kept copy of a bank's scan.
    QString pathOf(const ScanSettings &scan) const;
    /// Keeps a copy of the image at `path` as the bank's scan, scanned at
    /// `dpi`; its place and opacity stay as they were. Returns why it could
    /// not be copied.
    std::optional<QString> keep(const QString &bank, const QString &path, double dpi);
    /// Places the bank's scan (left and top in mm, opacity from 0 to 1).
    void place(const QString &bank, double leftMm, double topMm, double opacity);
    /// Forgets the bank's scan and removes its copy.
    void remove(const QString &bank);

private:
    QString m_settingsFile;
    QString m_dataDir;
};
