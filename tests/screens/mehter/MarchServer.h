#pragma once

#include <QByteArray>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <QUrl>

#include <atomic>

namespace yelvanis::testing {

class MarchServerWorker;

// A small HTTP server on a free loopback port, run on a thread of its own so
// that it answers even while the user-interface thread is busy. It serves
// one body at every path, with range requests, or misbehaves in one chosen
// way.
class MarchServer {
public:
    enum class Fault {
        None,        // 200 or 206 with the body
        CloseAtOnce, // accepts and hangs up without a byte
        NotFound,    // 404
        Stall,       // reads the request and never answers
        StallMidway, // the full length announced, half the body sent, then silence
        Trickle,     // good headers, then one byte of the body every 100 ms
        Garbage,     // a good 200 answer whose body is noise
        NotHttp,     // noise instead of an answer
        CutMidway,   // the full length announced, half the body sent, then hangs up
        HugeHeader,  // a status line, then one header line that never ends
    };

    // On a free port, or on the one given (0 when it is taken).
    explicit MarchServer(QByteArray body, Fault fault = Fault::None, quint16 port = 0);
    ~MarchServer();
    MarchServer(const MarchServer&) = delete;
    MarchServer& operator=(const MarchServer&) = delete;

    quint16 port() const { return m_port; }
    QUrl url(const QString& path) const;
    // Requests whose head was read, and connections still open.
    int requests() const { return m_requests.load(); }
    int openConnections() const { return m_open.load(); }
    // Body bytes written to clients so far.
    qint64 bytesSent() const { return m_sent.load(); }
    // The paths of the requests read so far, in order.
    QStringList paths() const;
    // Forgets the paths read so far: a long run keeps no log.
    void clearPaths();

private:
    friend class MarchServerWorker;
    QThread m_thread;
    MarchServerWorker* m_worker = nullptr;
    quint16 m_port = 0;
    std::atomic<int> m_requests{0};
    std::atomic<int> m_open{0};
    std::atomic<qint64> m_sent{0};
    mutable QMutex m_mutex;
    QStringList m_paths;
};

// A loopback port that nothing listens on: connecting is refused.
quint16 refusingPort();

} // namespace yelvanis::testing
