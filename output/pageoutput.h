// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the pages of a print go: a printer, one job per cheque, or a PDF
// file that holds every page of the job and takes its place only once it
// is complete. What is sent is a page laid out on the output's own device,
// the one it was checked on.

#include <memory>
#include <optional>

#include <QPointF>
#include <QString>

#include "output/reportpage.h"

class QPaintDevice;
class QPdfWriter;
class QPainter;
class PartFile;

/// The register's name for the printer a print dialog left unnamed (never
/// translated: the register reads the same in every language).
inline constexpr char DefaultPrinterName[] = "the default printer";

class PageOutput
{
public:
    virtual ~PageOutput() = default;

    /// The printer or file, as the register keeps it.
    virtual QString destination() const = 0;
    /// True when the pages reach their destination only when the output is
    /// committed (a file); false when each page goes out as it is sent.
    virtual bool deferred() const = 0;
    /// The part a deferred output writes before it is committed, named
    /// before start() makes it.
    virtual QString partPath() const { return {}; }

    /// Makes the output ready for pages; why it cannot be, or nothing.
    virtual std::optional<QString> start() = 0;
    /// The device a page is laid out on, with the page's orientation.
    virtual QPaintDevice *device(bool portrait) = 0;
    /// The move every page gets (a printer's offset).
    virtual QPointF offset() const { return {}; }
    /// Sends a page laid out on device(); why it did not go, or nothing.
    virtual std::optional<QString> send(const LaidOutPage &page) = 0;
    /// Makes every page sent durable where it is (a file: on the disk, not
    /// yet in place); why it could not, or nothing.
    virtual std::optional<QString> finish() = 0;
    /// What a deferred output holds once finished (a file's SHA-256), by
    /// which its destination is known to be it.
    virtual QByteArray digest() const { return {}; }
    /// Puts the finished output in place; why it could not, or nothing.
    virtual std::optional<QString> commit() = 0;
    /// Drops what was not committed; a file's target is left as it was.
    virtual void discard() = 0;
};

/// Every page of the job in one PDF file, written beside it and renamed
/// into its place when complete.
class PdfFileOutput final : public PageOutput
{
public:
    explicit PdfFileOutput(const QString &path);
    ~PdfFileOutput() override;

    QString destination() const override;
    bool deferred() const override { return true; }
    QString partPath() const override;
    std::optional<QString> start() override;
    QPaintDevice *device(bool portrait) override;
    std::optional<QString> send(const LaidOutPage &page) override;
    std::optional<QString> finish() override;
    QByteArray digest() const override;
    std::optional<QString> commit() override;
    void discard() override;

    /// The pages sent so far.
    int pages() const { return m_pages; }

private:
    QString m_path;
    std::unique_ptr<PartFile> m_part;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    int m_pages = 0;
};
