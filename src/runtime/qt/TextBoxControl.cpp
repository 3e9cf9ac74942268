#include "runtime/qt/TextBoxControl.h"

#include "runtime/Units.h"
#include "runtime/qt/Look.h"

#include <QScrollBar>

namespace yelvanis::qt {

TextBoxControl::TextBoxControl(const ControlDef& def, QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QString::fromStdString(def.name));
    setGeometry(twipsToPixels(def.left), twipsToPixels(def.top), twipsToPixels(def.width), twipsToPixels(def.height));
    setFont(toQFont(def.font.value_or(defaultFont())));
    QPalette pal = palette();
    const QColor back = toQColor(def.backColour.value_or(Colour::rgb(0xFFFFFF)));
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Text, toQColor(def.foreColour.value_or(Colour::system(SystemColour::WindowText))));
    setPalette(pal);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setReadOnly(def.readOnly);
    // Keyboard selection gives a caret, so the arrow and page keys scroll.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    setPlainText(toDisplayText(def.text));
    // A text box that is no tab stop still takes the focus when clicked.
    setFocusPolicy(def.tabStop.value_or(true) ? Qt::StrongFocus : Qt::ClickFocus);
    moveCursor(QTextCursor::Start);
}

} // namespace yelvanis::qt
