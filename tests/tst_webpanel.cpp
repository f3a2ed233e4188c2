// SPDX-License-Identifier: GPL-3.0-or-later
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "gui/widgets/webpanel.h"

namespace {

// A one-page HTTP server on loopback; counts its requests. With a `trickle`
// interval it sends the body a few bytes at a time; without `announce` it
// sends no Content-Length.
class PageServer : public QTcpServer
{
public:
    explicit PageServer(QByteArray body, QByteArray type = "text/html; charset=utf-8", bool announce = true,
                        int trickle = 0)
    {
        connect(this, &QTcpServer::newConnection, this, [=, this] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [=, this] {
                if (!socket->readAll().contains("\r\n\r\n"))
                    return;
                ++requests;
                QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\n";
                if (announce)
                    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
                socket->write(head + "Connection: close\r\n\r\n");
                if (trickle == 0) {
                    socket->write(body);
                    socket->disconnectFromHost();
                    return;
                }
                auto *timer = new QTimer(socket);
                auto sent = std::make_shared<qsizetype>(0);
                connect(timer, &QTimer::timeout, socket, [=] {
                    socket->write(body.mid(*sent, 16));
                    *sent += 16;
                    if (*sent >= body.size())
                        socket->disconnectFromHost();
                });
                timer->start(trickle);
            });
        });
        listen(QHostAddress::LocalHost);
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/product").arg(serverPort())); }
    int requests = 0;
};

QUrl Fallback()
{
    static QTemporaryFile file;
    if (!file.isOpen()) {
        file.open();
        file.write("<html><body><b>Bundled page</b> صفحة</body></html>");
        file.flush();
    }
    return QUrl::fromLocalFile(file.fileName());
}

} // namespace

class TestWebPanel : public QObject
{
    Q_OBJECT

private slots:
    void showsTheFetchedPageAfterTheFirstPaint();
    void unreachableAddressShowsTheBundledPage();
    void noHistoryIsKept();
    void nothingThePageNamesIsLoaded();
    void tooLargePageShowsTheBundledPage_data();
    void tooLargePageShowsTheBundledPage();
    void slowPageShowsTheBundledPage();
    void largePageWithinTheLimitIsShown();
};

void TestWebPanel::showsTheFetchedPageAfterTheFirstPaint()
{
    PageServer server("<html><body><p>Served <a href=\"https://example.org/\">link</a></p></body></html>");
    WebPanel panel(Fallback());
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(server.url());
    QCOMPARE(panel.navigations(), 1);
    QCoreApplication::processEvents();
    QVERIFY(!panel.fetching()); // nothing leaves before the panel is on screen
    QCOMPARE(server.requests, 0);
    panel.show();
    QVERIFY(shown.wait(5000));
    QCOMPARE(server.requests, 1);
    QVERIFY(!panel.showingFallback());
    QVERIFY(panel.toPlainText().contains("Served"));
    // A second navigation fetches again (no cache).
    panel.Navigate(server.url());
    QVERIFY(shown.wait(5000));
    QCOMPARE(server.requests, 2);
}

void TestWebPanel::unreachableAddressShowsTheBundledPage()
{
    WebPanel panel(Fallback());
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(QUrl(QStringLiteral("http://127.0.0.1:1/")));
    QVERIFY(shown.wait(10000));
    QVERIFY(panel.showingFallback());
    QVERIFY(panel.toPlainText().contains("Bundled page"));
    // Something that is not HTML is not shown either.
    PageServer server("#!/bin/sh\n", "application/x-sh");
    panel.Navigate(server.url());
    QVERIFY(shown.wait(5000));
    QVERIFY(panel.showingFallback());
}

void TestWebPanel::noHistoryIsKept()
{
    PageServer server("<html><body>One</body></html>");
    WebPanel panel(Fallback());
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(server.url());
    QVERIFY(shown.wait(5000));
    panel.Navigate(QUrl(QStringLiteral("http://127.0.0.1:1/")));
    QVERIFY(shown.wait(10000));
    QVERIFY(!panel.isBackwardAvailable());
    QVERIFY(!panel.isForwardAvailable());
}

void TestWebPanel::nothingThePageNamesIsLoaded()
{
    // A local file the page names: its picture and its style sheet.
    QTemporaryDir dir;
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString png = dir.filePath("picture.png");
    QVERIFY(picture.save(png));
    const QUrl local = QUrl::fromLocalFile(png);
    PageServer server("<html><head><link rel=\"stylesheet\" href=\"file:///dev/zero\"></head><body>"
                      "<p>Served</p><img src=\""
                      + local.toEncoded()
                      + "\"><img src=\"file:///dev/zero\">"
                        "<img src=\"/dev/zero\"><img src=\"data:image/png;base64,iVBORw0KGgo=\"></body></html>");
    WebPanel panel(Fallback());
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(server.url());
    QVERIFY(shown.wait(5000));
    QVERIFY(!panel.showingFallback());
    QVERIFY(panel.toPlainText().contains("Served"));
    panel.repaint(); // laid out and drawn, pictures included
    QVERIFY(panel.document()->resource(QTextDocument::ImageResource, local).isNull());
    QVERIFY(panel.loadResource(QTextDocument::ImageResource, local).isNull());
    QVERIFY(panel.loadResource(QTextDocument::StyleSheetResource, QUrl("file:///dev/zero")).isNull());
}

void TestWebPanel::tooLargePageShowsTheBundledPage_data()
{
    // clang-format off
    QTest::addColumn<bool>("announced");
    QTest::newRow("with its length") << true;
    QTest::newRow("without its length") << false;
    // clang-format on
}

void TestWebPanel::tooLargePageShowsTheBundledPage()
{
    QFETCH(bool, announced);
    const QByteArray page = "<html><body>" + QByteArray(WebPanel::MaxPageBytes, 'x') + "</body></html>";
    PageServer server(page, "text/html", announced);
    WebPanel panel(Fallback());
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(server.url());
    QVERIFY(shown.wait(5000));
    QVERIFY(panel.showingFallback());
    QVERIFY(panel.toPlainText().contains("Bundled page"));
}

void TestWebPanel::slowPageShowsTheBundledPage()
{
    // 16 bytes every 100 ms: each pause is short, the page never finishes in time.
    PageServer server("<html><body>" + QByteArray(4000, 'x') + "</body></html>", "text/html", true, 100);
    WebPanel panel(Fallback());
    panel.setFetchTimeout(1000);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(server.url());
    // The page takes 25 s to come: the fallback within the wait shows the
    // limit is the whole fetch's, not each pause's.
    QVERIFY(shown.wait(5000));
    QVERIFY(panel.showingFallback());
}

void TestWebPanel::largePageWithinTheLimitIsShown()
{
    QByteArray page = "<html><body>";
    for (int i = 0; page.size() < WebPanel::MaxPageBytes - 200; ++i)
        page += "<p>Paragraph " + QByteArray::number(i) + " of the product page, with أحرف عربية.</p>\n";
    page += "<p>The end.</p></body></html>";
    PageServer server(page);
    WebPanel panel(Fallback());
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(server.url());
    QVERIFY(shown.wait(10000));
    QVERIFY(!panel.showingFallback());
    QVERIFY(panel.toPlainText().endsWith("The end."));
}

QTEST_MAIN(TestWebPanel)
#include "tst_webpanel.moc"
