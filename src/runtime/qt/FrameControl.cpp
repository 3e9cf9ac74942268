#include "runtime/qt/FrameControl.h"

#include "runtime/Units.h"
#include "runtime/qt/Look.h"

#include <QPainter>

namespace yelvanis::qt {

FrameControl::FrameControl(const ControlDef& def, ClickHandler onClick, QWidget* parent)
    : Surface(toQColor(def.backColour.value_or(Colour::system(SystemColour::ButtonFace))), std::move(onClick), parent)
    , m_caption(toDisplayText(def.caption.value_or(std::string())))
    , m_font(toQFont(def.font.value_or(defaultFont())))
    , m_fore(toQColor(def.foreColour.value_or(Colour::system(SystemColour::ButtonText))))
{
    setObjectName(QString::fromStdString(def.name));
    setGeometry(twipsToPixels(def.left), twipsToPixels(def.top), twipsToPixels(def.width), twipsToPixels(def.height));
}

void FrameControl::paintBackground(QPainter& p)
{
    p.fillRect(rect(), m_back);
    const QFontMetrics fm(m_font);
    // The border runs through the middle of the caption's line.
    const int top = m_caption.isEmpty() ? 0 : fm.height() / 2;
    const QRect r = rect().adjusted(0, top, -1, -1);
    const QColor shadow(0xA0, 0xA0, 0xA0), light(Qt::white);
    p.setPen(shadow);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(light);
    p.drawRect(r.adjusted(1, 1, 0, 0));
    if (!m_caption.isEmpty()) {
        const int w = fm.horizontalAdvance(m_caption);
        const QRect textBox(8, 0, w + 4, fm.height());
        p.fillRect(textBox, m_back);
        p.setFont(m_font);
        p.setPen(m_fore);
        p.drawText(textBox.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, m_caption);
    }
}

} // namespace yelvanis::qt
