#include "runtime/qt/StreamPanel.h"

#include "runtime/Units.h"
#include "runtime/stream/PlayerSettings.h"
#include "runtime/stream/StreamPlayer.h"

#include <stdexcept>

namespace yelvanis::qt {

StreamPanel::StreamPanel(const ControlDef& def, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QString::fromStdString(def.name));
    setGeometry(twipsToPixels(def.left), twipsToPixels(def.top), twipsToPixels(def.width), twipsToPixels(def.height));
    std::string error;
    const auto settings = stream::decodeRecord(def.settingsRecord, &error);
    if (!settings)
        throw std::runtime_error("the stream player " + def.name + " has unreadable settings: " + error);
    m_player = new stream::StreamPlayer(*settings, this);
    m_player->setGeometry(rect());
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_player);
}

void StreamPanel::resizeEvent(QResizeEvent*)
{
    m_player->setGeometry(rect());
}

} // namespace yelvanis::qt
