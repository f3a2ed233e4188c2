// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The issue window's web panel: a light HTML view of the product page. It
// runs no scripts, loads nothing but the page itself (no pictures, style
// sheets or files named by the page), keeps no history and no cache, and
// shows the page bundled with the program when the address cannot be
// reached, answers too slowly, is too large or is not HTML.

#include <QPointer>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

class WebPanel : public QTextBrowser
{
    Q_OBJECT

public:
    /// Navigation flags of the product page: no history entry, no cache read,
    /// no cache write.
    static constexpr int NoHistory = 2, NoCacheRead = 4, NoCacheWrite = 8;

    /// A page larger than this is not shown.
    static constexpr qint64 MaxPageBytes = 512 * 1024;

    /// `fallback` is the bundled page (a qrc: or file: address).
    explicit WebPanel(QUrl fallback, QWidget *parent = nullptr);
    ~WebPanel() override;

    /// Shows `url` (http or https only). Nothing of earlier pages is kept;
    /// the flags are always those above, whatever is asked.
    void Navigate(const QUrl &url, int flags = NoHistory | NoCacheRead | NoCacheWrite);

    /// How long a page may take to arrive, in milliseconds (5 s).
    void setFetchTimeout(int ms) { m_deadline.setInterval(ms); }

    int navigations() const { return m_navigations; }
    QUrl lastAddress() const { return m_last; }
    /// True while the bundled page stands in for the last address.
    bool showingFallback() const { return m_fallbackShown; }
    /// A page is being fetched.
    bool fetching() const { return !m_reply.isNull(); }

    /// Nothing is loaded for a page: no file, no picture, no style sheet.
    QVariant loadResource(int type, const QUrl &name) override;

signals:
    /// The page (fetched or bundled) is on screen.
    void pageShown();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fetchPending();
    void fetch(const QUrl &url);
    void dropReply();
    void showFallback();
    /// Turns the HTML into a document away from the user-interface thread
    /// (a large page takes many frames), then shows it.
    void showHtml(const QString &html, const QUrl &base, bool fallback);

    QUrl m_fallback;
    QUrl m_last;
    int m_navigations = 0;
    int m_generation = 0; ///< only the page of the last navigation is shown
    bool m_fallbackShown = false;
    bool m_painted = false;
    QUrl m_pending; ///< the address to fetch once the panel is on screen
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
};
