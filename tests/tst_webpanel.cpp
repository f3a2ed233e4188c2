#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "webpanel.h"

namespace {

// A one-page HTTP server on loopback; counts its requests.
class PageServer : public QTcpServer
{
public:
    explicit PageServer(QByteArray body, QByteArray type = "text/html; charset=utf-8")
    {
        connect(this, &QTcpServer::newConnection, this, [this, body, type] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, body, type] {
                if (!socket->readAll().contains("\r\n\r\n"))
                    return;
                ++requests;
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
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
};

void TestWebPanel::showsTheFetchedPageAfterTheFirstPaint()
{
    PageServer server("<html><body><p>Served <a href=\"https://example.org/\">link</a></p></body></html>");
    WebPanel panel(Fallback());
    QSignalSpy shown(&panel, &WebPanel::pageShown);
    panel.Navigate(server.url());
    QCOMPARE(panel.navigations(), 1);
    QTest::qWait(50);
    QCOMPARE(server.requests, 0); // nothing leaves before the panel is on screen
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

QTEST_MAIN(TestWebPanel)
#include "tst_webpanel.moc"
