// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/pageoutput.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

#include "core/partfile.h"

PdfFileOutput::PdfFileOutput(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
    , m_part(std::make_unique<PartFile>(m_path))
{}

PdfFileOutput::~PdfFileOutput() { discard(); }

QString PdfFileOutput::destination() const { return m_part ? m_part->target() : m_path; }

QString PdfFileOutput::partPath() const { return m_part ? m_part->partPath() : QString(); }

std::optional<QString> PdfFileOutput::start()
{
    if (!m_part)
        return CannotWriteFile(m_path, QCoreApplication::translate("PageOutput", "the PDF writer failed"));
    if (auto failed = m_part->create()) {
        m_part.reset();
        return failed;
    }
    m_writer = std::make_unique<QPdfWriter>(m_part.get());
    m_writer->setCreator(QStringLiteral("Cheque Printer"));
    m_writer->setPageLayout(ChequePageLayout(false));
    return std::nullopt;
}

QPaintDevice *PdfFileOutput::device(bool portrait)
{
    // The page's orientation is the one the next page gets.
    if (m_writer && !m_painter)
        m_writer->setPageLayout(ChequePageLayout(portrait));
    return m_writer.get();
}

std::optional<QString> PdfFileOutput::send(const LaidOutPage &page)
{
    const auto cannot = [this] {
        return m_part && m_part->failure()
            ? *m_part->failure()
            : CannotWriteFile(m_path, QCoreApplication::translate("PageOutput", "the PDF writer failed"));
    };
    if (!m_writer)
        return cannot();
    if (!m_painter) {
        m_writer->setPageLayout(ChequePageLayout(page.page().portrait));
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_writer.get()))
            return cannot();
    } else {
        m_writer->setPageLayout(ChequePageLayout(page.page().portrait));
        if (!m_writer->newPage())
            return cannot();
    }
    page.paint(*m_painter);
    ++m_pages;
    // A full disk is known at once, not at the end of a long run.
    if (m_part->failure())
        return m_part->failure();
    return std::nullopt;
}

std::optional<QString> PdfFileOutput::finish()
{
    if (!m_part)
        return CannotWriteFile(m_path, QCoreApplication::translate("PageOutput", "the PDF writer failed"));
    if (m_painter && !m_painter->end())
        return m_part->failure().value_or(
            CannotWriteFile(m_path, QCoreApplication::translate("PageOutput", "the PDF writer failed")));
    m_painter.reset();
    return m_part->sync();
}

QByteArray PdfFileOutput::digest() const { return m_part ? m_part->digest() : QByteArray(); }

std::optional<QString> PdfFileOutput::commit()
{
    if (!m_part)
        return CannotWriteFile(m_path, QCoreApplication::translate("PageOutput", "the PDF writer failed"));
    auto failed = m_part->replaceTarget();
    m_writer.reset();
    m_part.reset();
    return failed;
}

void PdfFileOutput::discard()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_writer.reset();
    if (m_part)
        m_part->discard();
    m_part.reset();
}
