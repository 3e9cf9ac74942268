#pragma once

#include "runtime/ControlDef.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace yelvanis::qt {

// The drawing surface of a screen's client area or of a frame: it fills its
// back colour and paints its labels, images and lines (the last stored
// first), and turns a click in one of their boxes into that control's click.
class Surface : public QWidget {
    Q_OBJECT
public:
    using ClickHandler = std::function<void(const std::string& control)>;

    Surface(QColor back, ClickHandler onClick, QWidget* parent = nullptr);

    // Controls are added in stored order.
    void addPainted(const ControlDef& control);
    // The painted control at a point, first stored first; nullptr if none.
    const ControlDef* paintedAt(QPoint p) const;
    // The box a painted control occupies, in pixels.
    QRect boxOf(const ControlDef& control) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Frames draw their border over their background, under their items.
    virtual void paintBackground(QPainter& p);

    QColor m_back;

private:
    struct Item {
        ControlDef def;
        QImage picture;
        QRect box;
    };
    void paintItem(QPainter& p, const Item& item) const;

    std::vector<Item> m_items;
    ClickHandler m_onClick;
    std::string m_pressed;
};

} // namespace yelvanis::qt
