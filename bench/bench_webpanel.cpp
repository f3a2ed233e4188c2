// SPDX-License-Identifier: GPL-3.0-or-later
// The product page on screen without stopping the window: a page at the size
// limit is fetched from a server on loopback and shown, while a 1 ms timer
// notes the longest time the event loop was held (input waits that long).
// Reported as the counter longest_stall_ms; the baseline is the same page
// laid out directly on the user-interface thread (setHtml).

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "gui/widgets/webpanel.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray Page()
{
    QByteArray page = "<html><body>";
    for (int i = 0; page.size() < WebPanel::MaxPageBytes - 200; ++i)
        page += "<p>Paragraph " + QByteArray::number(i) + " with <b>bold</b> words and أحرف عربية.</p>\n";
    return page + "</body></html>";
}

class Server : public QTcpServer
{
public:
    Server()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                if (!socket->readAll().contains("\r\n\r\n"))
                    return;
                const QByteArray body = Page();
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: "
                              + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
        listen(QHostAddress::LocalHost);
    }
};

// Runs `until` while a 1 ms timer watches the gaps between its ticks.
template <class F>
double LongestStall(F until)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    tick.start(1);
    until();
    return longest / 1e6;
}

void BM_PageInTheWorker(benchmark::State &state)
{
    Server server;
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()));
    double worst = 0;
    for (auto _ : state) {
        WebPanel panel(QUrl(QStringLiteral("qrc:/none.html")));
        panel.resize(443, 96);
        panel.show();
        QSignalSpy shown(&panel, &WebPanel::pageShown);
        panel.Navigate(url);
        worst = std::max(worst, LongestStall([&] {
                             shown.wait(10000);
                             for (int i = 0; i < 50; ++i) // the lazy layout's steps and the paint
                                 QCoreApplication::processEvents();
                         }));
    }
    state.counters["longest_stall_ms"] = worst;
}
BENCHMARK(BM_PageInTheWorker)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PageOnTheUiThread(benchmark::State &state)
{
    const QString html = QString::fromUtf8(Page());
    double worst = 0;
    for (auto _ : state) {
        QTextBrowser panel;
        panel.resize(443, 96);
        panel.show();
        worst = std::max(worst, LongestStall([&] {
                             QTimer::singleShot(5, [&] { panel.setHtml(html); });
                             for (QElapsedTimer t; !t.isValid() || t.elapsed() < 200;) {
                                 if (!t.isValid())
                                     t.start();
                                 QCoreApplication::processEvents();
                             }
                         }));
    }
    state.counters["longest_stall_ms"] = worst;
}
BENCHMARK(BM_PageOnTheUiThread)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
