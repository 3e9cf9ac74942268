#include "screens/mehter/MarchServer.h"

#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace yelvanis::testing {

class MarchServerWorker : public QTcpServer {
public:
    MarchServerWorker(MarchServer& owner, QByteArray body, MarchServer::Fault fault)
        : m_owner(owner), m_body(std::move(body)), m_fault(fault)
    {
    }

protected:
    void incomingConnection(qintptr handle) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        ++m_owner.m_open;
        connect(socket, &QTcpSocket::disconnected, socket, [this, socket] { finish(socket); });
        if (m_fault == MarchServer::Fault::CloseAtOnce) {
            socket->abort();
            finish(socket);
            return;
        }
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { readHead(socket); });
    }

private:
    void finish(QTcpSocket* socket)
    {
        if (socket->property("finished").toBool())
            return;
        socket->setProperty("finished", true);
        --m_owner.m_open;
        socket->deleteLater();
    }

    void readHead(QTcpSocket* socket)
    {
        QByteArray head = socket->property("head").toByteArray() + socket->readAll();
        socket->setProperty("head", head);
        if (socket->property("answered").toBool() || !head.contains("\r\n\r\n"))
            return;
        socket->setProperty("answered", true);
        {
            const QMutexLocker lock(&m_owner.m_mutex);
            m_owner.m_paths << QString::fromLatin1(head.split(' ').value(1));
        }
        ++m_owner.m_requests;
        answer(socket, head);
    }

    void send(QTcpSocket* socket, const QByteArray& bytes, bool body)
    {
        socket->write(bytes);
        if (body)
            m_owner.m_sent += bytes.size();
    }

    static QByteArray noise(qsizetype n)
    {
        QByteArray b(n, Qt::Uninitialized);
        QRandomGenerator rng(1453);
        for (char& c : b)
            c = char(rng.bounded(256));
        return b;
    }

    static QByteArray headers(int status, const char* reason, qint64 length, const QByteArray& extra = {})
    {
        return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason
            + "\r\nContent-Type: video/x-ms-asf\r\nAccept-Ranges: bytes\r\nConnection: close\r\nContent-Length: "
            + QByteArray::number(length) + "\r\n" + extra + "\r\n";
    }

    void answer(QTcpSocket* socket, const QByteArray& head)
    {
        const bool headOnly = head.startsWith("HEAD ");
        switch (m_fault) {
        case MarchServer::Fault::CloseAtOnce:
        case MarchServer::Fault::Stall:
            return;
        case MarchServer::Fault::NotFound: {
            const QByteArray page = "<html><body>404 Not Found</body></html>";
            send(socket, "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: "
                             + QByteArray::number(page.size()) + "\r\n\r\n" + page,
                 false);
            socket->disconnectFromHost();
            return;
        }
        case MarchServer::Fault::NotHttp:
            send(socket, noise(4096), true);
            socket->disconnectFromHost();
            return;
        case MarchServer::Fault::Garbage:
            send(socket, headers(200, "OK", m_body.size()), false);
            if (!headOnly)
                send(socket, noise(m_body.size()), true);
            socket->disconnectFromHost();
            return;
        case MarchServer::Fault::CutMidway:
        case MarchServer::Fault::StallMidway:
            send(socket, headers(200, "OK", m_body.size()), false);
            if (!headOnly)
                send(socket, m_body.left(m_body.size() / 2), true);
            if (m_fault == MarchServer::Fault::CutMidway)
                socket->disconnectFromHost();
            return;
        case MarchServer::Fault::HugeHeader: {
            send(socket, "HTTP/1.1 200 OK\r\nContent-Type: video/x-ms-asf\r\nX-Padding: ", false);
            // Topped up as it drains, so the server never holds more than a little.
            const QByteArray filler(64 * 1024, 'a');
            connect(socket, &QTcpSocket::bytesWritten, socket, [socket, filler] {
                if (socket->bytesToWrite() < filler.size())
                    socket->write(filler);
            });
            socket->write(filler);
            return;
        }
        case MarchServer::Fault::Trickle: {
            send(socket, headers(200, "OK", m_body.size()), false);
            if (headOnly)
                return;
            auto* timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [this, socket, sent = qsizetype(0)]() mutable {
                if (sent < m_body.size())
                    send(socket, m_body.mid(sent++, 1), true);
            });
            timer->start(100);
            return;
        }
        case MarchServer::Fault::None:
            break;
        }

        // "Range: bytes=FROM-" or "bytes=FROM-TO".
        static const QRegularExpression range(QStringLiteral("\r\nRange:\\s*bytes=(\\d+)-(\\d*)"),
                                              QRegularExpression::CaseInsensitiveOption);
        const auto m = range.match(QString::fromLatin1(head));
        const qint64 size = m_body.size();
        if (!m.hasMatch()) {
            send(socket, headers(200, "OK", size), false);
            if (!headOnly)
                send(socket, m_body, true);
        } else {
            const qint64 from = m.captured(1).toLongLong();
            const qint64 to = m.captured(2).isEmpty() ? size - 1 : std::min(m.captured(2).toLongLong(), size - 1);
            if (from >= size || to < from) {
                send(socket, "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" + QByteArray::number(size)
                                 + "\r\nConnection: close\r\nContent-Length: 0\r\n\r\n",
                     false);
            } else {
                send(socket,
                     headers(206, "Partial Content", to - from + 1,
                             "Content-Range: bytes " + QByteArray::number(from) + '-' + QByteArray::number(to) + '/'
                                 + QByteArray::number(size) + "\r\n"),
                     false);
                if (!headOnly)
                    send(socket, m_body.mid(from, to - from + 1), true);
            }
        }
        socket->disconnectFromHost();
    }

    MarchServer& m_owner;
    QByteArray m_body;
    MarchServer::Fault m_fault;
};

MarchServer::MarchServer(QByteArray body, Fault fault, quint16 port)
{
    m_worker = new MarchServerWorker(*this, std::move(body), fault);
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_worker, [this, port] {
            m_worker->listen(QHostAddress::LocalHost, port);
            m_port = m_worker->serverPort();
        },
        Qt::BlockingQueuedConnection);
}

MarchServer::~MarchServer()
{
    QMetaObject::invokeMethod(
        m_worker, [this] {
            for (QTcpSocket* s : m_worker->findChildren<QTcpSocket*>())
                s->disconnect();
            delete m_worker;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QStringList MarchServer::paths() const
{
    const QMutexLocker lock(&m_mutex);
    return m_paths;
}

void MarchServer::clearPaths()
{
    const QMutexLocker lock(&m_mutex);
    m_paths.clear();
}

QUrl MarchServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path));
}

quint16 refusingPort()
{
    // A port the system just handed out and that nobody listens on any more.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace yelvanis::testing
