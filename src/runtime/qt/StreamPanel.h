#pragma once

#include "runtime/ControlDef.h"

#include <QWidget>

namespace yelvanis::stream {
class StreamPlayer;
}

namespace yelvanis::qt {

// The place of a stream player: its box and its focus, and the player
// itself, created from the definition's stored settings record. A record
// that cannot be read makes the screen fail to build.
class StreamPanel : public QWidget {
    Q_OBJECT
public:
    StreamPanel(const ControlDef& def, QWidget* parent);

    stream::StreamPlayer* player() const { return m_player; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    stream::StreamPlayer* m_player = nullptr;
};

} // namespace yelvanis::qt
