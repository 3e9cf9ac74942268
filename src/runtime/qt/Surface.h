#pragma once

#include "runtime/ControlDef.h"

#include <QImage>
#include <QWidget>

#include <QAccessible>

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
    ~Surface() override;

    // Controls are added in stored order.
    void addPainted(const ControlDef& control);
    // The painted control at a point, first stored first; nullptr if none.
    const ControlDef* paintedAt(QPoint p) const;
    // The box a painted control occupies, in pixels.
    QRect boxOf(const ControlDef& control) const;

    // What a screen reader sees of the painted labels and images, which have
    // no widgets: each is a child of the surface's accessible interface.
    int accessibleItemCount() const { return int(m_accessible.size()); }
    const ControlDef& accessibleItem(int index) const;
    QRect accessibleItemBox(int index) const;
    // A label's caption; for an image, the caption of the label on it or
    // just under it, which is how a user tells what it is.
    QString accessibleItemName(int index) const;
    // Its click, as a screen reader's press action.
    void pressAccessibleItem(int index);
    // The interface of each, made once and owned by the accessibility registry.
    QAccessibleInterface* accessibleItemInterface(int index) const;

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
    // Indexes into m_items of the labels and images, in stored order.
    std::vector<size_t> m_accessible;
    mutable std::vector<QAccessible::Id> m_accessibleIds;
    ClickHandler m_onClick;
    std::string m_pressed;
};

} // namespace yelvanis::qt
