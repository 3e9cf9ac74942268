#pragma once

#include "runtime/ControlDef.h"

#include <QAbstractButton>

namespace yelvanis::qt {

// A command button in graphical style: a raised face in its own back
// colour, pressed while held, a dotted focus mark while it has the focus.
class ButtonControl : public QAbstractButton {
    Q_OBJECT
public:
    ButtonControl(const ControlDef& def, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_back;
};

} // namespace yelvanis::qt
