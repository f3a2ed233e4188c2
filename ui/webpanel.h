#pragma once

// The issue window's web panel: a light HTML view of the product page. It
// runs no scripts, keeps no history and no cache, and shows the page bundled
// with the program when the address cannot be reached.

#include <QTextBrowser>
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

    /// `fallback` is the bundled page (a qrc: or file: address).
    explicit WebPanel(QUrl fallback, QWidget *parent = nullptr);

    /// Shows `url`. Nothing of earlier pages is kept; the flags are always
    /// those above, whatever is asked.
    void Navigate(const QUrl &url, int flags = NoHistory | NoCacheRead | NoCacheWrite);

    int navigations() const { return m_navigations; }
    QUrl lastAddress() const { return m_last; }
    /// True while the bundled page stands in for the last address.
    bool showingFallback() const { return m_fallbackShown; }

signals:
    /// The page (fetched or bundled) is on screen.
    void pageShown();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void fetchPending();
    void fetch(const QUrl &url);
    void showFallback();
    void showHtml(const QString &html, const QUrl &base);

    QUrl m_fallback;
    QUrl m_last;
    int m_navigations = 0;
    bool m_fallbackShown = false;
    bool m_painted = false;
    QUrl m_pending; ///< the address to fetch once the panel is on screen
    QNetworkAccessManager *m_network = nullptr;
    QNetworkReply *m_reply = nullptr;
};
