#pragma once

#include "runtime/ControlDef.h"

#include <QPlainTextEdit>

namespace yelvanis::qt {

// A multi-line, read-only text box: the user scrolls, selects and copies,
// and nothing typed, pasted, cut or deleted changes the text.
class TextBoxControl : public QPlainTextEdit {
    Q_OBJECT
public:
    TextBoxControl(const ControlDef& def, QWidget* parent);
};

} // namespace yelvanis::qt
