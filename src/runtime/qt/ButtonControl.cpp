#include "runtime/qt/ButtonControl.h"

#include "runtime/Units.h"
#include "runtime/qt/Look.h"

#include <QKeyEvent>
#include <QPainter>

namespace yelvanis::qt {

ButtonControl::ButtonControl(const ControlDef& def, QWidget* parent)
    : QAbstractButton(parent), m_back(toQColor(def.backColour.value_or(Colour::system(SystemColour::ButtonFace))))
{
    setObjectName(QString::fromStdString(def.name));
    setText(toDisplayText(def.caption.value_or(std::string())));
    setFont(toQFont(def.font.value_or(defaultFont())));
    setGeometry(twipsToPixels(def.left), twipsToPixels(def.top), twipsToPixels(def.width), twipsToPixels(def.height));
    setFocusPolicy(Qt::StrongFocus);
    // A screen reader announces the caption as one line.
    setAccessibleName(text().simplified());
}

void ButtonControl::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the focused button as space does, as desktop buttons do.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ButtonControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    const bool down = isDown();
    p.fillRect(r, m_back);

    const QColor light = Qt::white, midlight(0xE3, 0xE3, 0xE3), shadow(0xA0, 0xA0, 0xA0), dark(0x40, 0x40, 0x40);
    auto bevel = [&](QRect b, QColor tl, QColor br) {
        p.setPen(tl);
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(br);
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
    };
    if (down) {
        bevel(r, dark, light);
        bevel(r.adjusted(1, 1, -1, -1), shadow, midlight);
    } else {
        bevel(r, light, dark);
        bevel(r.adjusted(1, 1, -1, -1), midlight, shadow);
    }

    // Centred on the whole face: a caption taller than a low button keeps
    // its middle rather than losing its bottom.
    QRect textBox = r.adjusted(3, 0, -3, 0);
    if (down)
        textBox.translate(1, 1);
    p.setFont(font());
    p.setPen(toQColor(Colour::system(SystemColour::ButtonText)));
    p.drawText(textBox, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextDontClip, text());

    if (hasFocus()) {
        QPen pen(QColor(0, 0, 0));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

} // namespace yelvanis::qt
