#pragma once

#include "runtime/ControlDef.h"
#include "runtime/qt/Surface.h"

namespace yelvanis::qt {

// A frame: its back colour, a group border with the caption at its top left,
// and a surface of its own for the controls it holds.
class FrameControl : public Surface {
    Q_OBJECT
public:
    FrameControl(const ControlDef& def, ClickHandler onClick, QWidget* parent);

protected:
    void paintBackground(QPainter& p) override;

private:
    QString m_caption;
    QFont m_font;
    QColor m_fore;
};

} // namespace yelvanis::qt
