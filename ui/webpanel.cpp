#include "webpanel.h"

#include <QDesktopServices>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

WebPanel::WebPanel(QUrl fallback, QWidget *parent)
    : QTextBrowser(parent)
    , m_fallback(std::move(fallback))
{
    setOpenLinks(false); // a link opens in the desktop's browser, never here
    setUndoRedoEnabled(false);
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl &link) {
        if (link.scheme() == u"http" || link.scheme() == u"https" || link.scheme() == u"mailto")
            QDesktopServices::openUrl(link);
    });
}

void WebPanel::Navigate(const QUrl &url, int)
{
    ++m_navigations;
    m_last = url;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
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

void WebPanel::fetch(const QUrl &url)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this); // a fresh manager has no cache
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(5000);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::finished, this, [this, reply = m_reply] {
        reply->deleteLater();
        m_reply = nullptr;
        const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
        if (reply->error() != QNetworkReply::NoError || !type.startsWith(QLatin1String("text/html"))) {
            showFallback();
            return;
        }
        m_fallbackShown = false;
        showHtml(QString::fromUtf8(reply->readAll()), reply->url());
    });
}

void WebPanel::showFallback()
{
    QFile page(m_fallback.scheme() == u"qrc" ? u':' + m_fallback.path() : m_fallback.toLocalFile());
    QString html;
    if (page.open(QIODevice::ReadOnly))
        html = QString::fromUtf8(page.readAll());
    m_fallbackShown = true;
    showHtml(html, m_fallback);
}

void WebPanel::showHtml(const QString &html, const QUrl &base)
{
    // Rich text only: scripts, frames and objects are not run.
    document()->setBaseUrl(base);
    setHtml(html);
    clearHistory();
    emit pageShown();
}
