// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/webpanel.h"

#include <memory>

#include <QDesktopServices>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextDocument>
#include <QThread>

namespace {

// A page's document: it loads nothing a page names. QTextDocument would
// otherwise read any local file (a style sheet or picture at "/dev/zero"
// never ends) and decode any picture, however large.
class PageDocument final : public QTextDocument
{
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl &) override { return {}; }
};

// What a worker hands back: the page made into a document.
struct PageWork
{
    std::unique_ptr<QTextDocument> document;
};

} // namespace

WebPanel::WebPanel(QUrl fallback, QWidget *parent) : QTextBrowser(parent), m_fallback(std::move(fallback))
{
    setOpenLinks(false); // a link opens in the desktop's browser, never here
    setUndoRedoEnabled(false);
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl &link) {
        if (link.scheme() == u"http" || link.scheme() == u"https" || link.scheme() == u"mailto")
            QDesktopServices::openUrl(link);
    });
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(5000);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        dropReply();
        showFallback();
    });
}

WebPanel::~WebPanel()
{
    dropReply();
    // A page still being laid out in a worker finishes first (it is limited
    // in size, so this is short); its document is then dropped unseen.
    for (QThread *worker : findChildren<QThread *>())
        worker->wait();
}

QVariant WebPanel::loadResource(int, const QUrl &) { return {}; }

void WebPanel::Navigate(const QUrl &url, int)
{
    ++m_navigations;
    ++m_generation;
    m_last = url;
    dropReply();
    if (url.scheme() != u"http" && url.scheme() != u"https") {
        showFallback();
        return;
    }
    // The request leaves once the panel has been painted: the first one
    // loads the network and TLS libraries, which the window need not wait for.
    m_pending = url;
    if (m_painted)
        QMetaObject::invokeMethod(this, &WebPanel::fetchPending, Qt::QueuedConnection);
}

void WebPanel::paintEvent(QPaintEvent *event)
{
    QTextBrowser::paintEvent(event);
    if (!m_painted) {
        m_painted = true;
        QMetaObject::invokeMethod(this, &WebPanel::fetchPending, Qt::QueuedConnection);
    }
}

void WebPanel::fetchPending()
{
    if (m_pending.isEmpty())
        return;
    const QUrl url = m_pending;
    m_pending.clear();
    fetch(url);
}

void WebPanel::dropReply()
{
    m_deadline.stop();
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void WebPanel::fetch(const QUrl &url)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this); // a fresh manager has no cache
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(m_deadline.interval());
    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    m_deadline.start(); // the whole page, not only each pause, must come in time

    // A page that says, or turns out, to be larger than the limit is dropped
    // as soon as that is known, before it fills memory.
    auto tooLarge = [this, reply] {
        const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (announced <= MaxPageBytes && reply->bytesAvailable() <= MaxPageBytes)
            return;
        dropReply();
        showFallback();
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, tooLarge);
    connect(reply, &QNetworkReply::readyRead, this, tooLarge);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        if (reply != m_reply)
            return;
        m_deadline.stop();
        m_reply = nullptr;
        reply->deleteLater();
        const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
        const QByteArray body = reply->read(MaxPageBytes + 1);
        const QUrl finalUrl = reply->url();
        if (reply->error() != QNetworkReply::NoError || !type.startsWith(QLatin1String("text/html"))
            || body.size() > MaxPageBytes || (finalUrl.scheme() != u"http" && finalUrl.scheme() != u"https")) {
            showFallback();
            return;
        }
        showHtml(QString::fromUtf8(body), finalUrl, false);
    });
}

void WebPanel::showFallback()
{
    QFile page(m_fallback.scheme() == u"qrc" ? u':' + m_fallback.path() : m_fallback.toLocalFile());
    QString html;
    if (page.open(QIODevice::ReadOnly))
        html = QString::fromUtf8(page.read(MaxPageBytes));
    showHtml(html, m_fallback, true);
}

void WebPanel::showHtml(const QString &html, const QUrl &base, bool fallback)
{
    const int generation = ++m_generation;
    auto work = std::make_shared<PageWork>();
    QThread *ui = thread();
    // Rich text only: scripts, frames and objects are not run.
    QThread *worker = QThread::create([work, html, base, ui] {
        auto document = std::make_unique<PageDocument>();
        document->setBaseUrl(base);
        document->setHtml(html);
        document->moveToThread(ui);
        work->document = std::move(document);
    });
    worker->setParent(this);
    connect(worker, &QThread::finished, this, [this, worker, work, generation, fallback] {
        worker->deleteLater();
        if (generation != m_generation || !work->document)
            return; // a later navigation has its own page on the way
        // A document that is the panel's child is deleted by the panel when
        // the next one replaces it.
        QTextDocument *page = work->document.release();
        page->setParent(this);
        setDocument(page);
        clearHistory();
        m_fallbackShown = fallback;
        emit pageShown();
    });
    worker->start();
}
