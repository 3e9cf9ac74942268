#pragma once

#include "runtime/stream/PlayerSettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace yelvanis::testing {

// Four seconds of a tone as WMA in ASF, the kind of file the marches are.
inline QByteArray marchFixture()
{
    QFile f(QStringLiteral(MEHTER_FIXTURES "/march.asf"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Ticks every 10 ms on the user-interface thread and remembers the longest
// time it had to wait: a blocked event loop shows as a long gap.
class Heartbeat {
public:
    Heartbeat()
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start(10);
    }
    qint64 worstGap()
    {
        tick();
        return m_worst;
    }

private:
    void tick()
    {
        const qint64 now = m_clock.elapsed();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

// Any message box on the screen: a failing stream must show none.
inline bool messageBoxShown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w) && w->isVisible())
            return true;
    return false;
}

// The settings every march player is created with, for another address.
inline stream::PlayerSettings marchSettings(const QUrl& url)
{
    stream::PlayerSettings s;
    s.url = url.toString().toStdString();
    s.extentWidth = stream::himetricFromTwips(4695);
    s.extentHeight = stream::himetricFromTwips(615);
    return s;
}

// The heartbeat's 10 ms tick, late by at most 50 ms: the player's work never
// holds up the user-interface thread.
inline constexpr qint64 kResponsiveGap = 10 + 50;

// A player taken down, even with its server stalled, returns within this.
inline constexpr qint64 kUnloadMs = 50;

} // namespace yelvanis::testing
