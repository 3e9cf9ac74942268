#pragma once

#include "runtime/ControlDef.h"

#include <QWidget>

namespace yelvanis::qt {

// The place of a stream player: it takes the focus and its box, and shows
// the player's dark face until the player itself is in.
class StreamPanel : public QWidget {
    Q_OBJECT
public:
    StreamPanel(const ControlDef& def, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace yelvanis::qt
