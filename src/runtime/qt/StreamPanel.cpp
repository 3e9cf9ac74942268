#include "runtime/qt/StreamPanel.h"

#include "runtime/Units.h"

#include <QPainter>

namespace yelvanis::qt {

StreamPanel::StreamPanel(const ControlDef& def, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QString::fromStdString(def.name));
    setGeometry(twipsToPixels(def.left), twipsToPixels(def.top), twipsToPixels(def.width), twipsToPixels(def.height));
    setFocusPolicy(Qt::StrongFocus);
}

void StreamPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x10, 0x10, 0x10));
}

} // namespace yelvanis::qt
