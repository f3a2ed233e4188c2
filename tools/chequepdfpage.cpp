// SPDX-License-Identifier: GPL-3.0-or-later
// cheque-pdfpage: the first page of a PDF (a scanned cheque) as a PNG
// image, for the layout designer. It runs as a process of its own so that
// the PDF library, large and needed only when a PDF is chosen, is not
// loaded at every start of the program, and so that a PDF that makes it
// fail or hang cannot take the program with it.
//
//   cheque-pdfpage DPI FILE.pdf > page.png
//
// The exit status is 0 when the page was written, 1 when the file has no
// page that can be shown (not a PDF, locked, empty, damaged), 2 when the
// arguments are wrong.

#include <cstdio>
#include <memory>

#include <QBuffer>
#include <QImage>
#include <QString>

#include <poppler-qt6.h>

int main(int argc, char **argv)
{
    bool ok = false;
    const double dpi = argc == 3 ? QString::fromLocal8Bit(argv[1]).toDouble(&ok) : 0;
    if (!ok || dpi < 10 || dpi > 1200) {
        std::fprintf(stderr, "usage: cheque-pdfpage DPI FILE.pdf > page.png\n");
        return 2;
    }
    Poppler::setDebugErrorFunction([](const QString &, const QVariant &) {}, QVariant());
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(QString::fromLocal8Bit(argv[2]));
    const std::unique_ptr<Poppler::Page> page =
        document && !document->isLocked() && document->numPages() > 0 ? document->page(0) : nullptr;
    if (!page)
        return 1;
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);
    const QImage image = page->renderToImage(dpi, dpi);
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return 1;
    return std::fwrite(png.constData(), 1, std::size_t(png.size()), stdout) == std::size_t(png.size())
            && std::fflush(stdout) == 0
        ? 0
        : 1;
}
