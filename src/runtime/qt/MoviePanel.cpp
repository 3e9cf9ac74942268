#include "runtime/qt/MoviePanel.h"

#include "runtime/Units.h"
#include "runtime/movie/MovieView.h"

namespace yelvanis::qt {

MoviePanel::MoviePanel(const ControlDef& def, QWidget* parent)
    : QWidget(parent), m_settings(def.movie.value_or(MovieSettings{})), m_view(new MovieView(this))
{
    setObjectName(QString::fromStdString(def.name));
    setGeometry(twipsToPixels(def.left), twipsToPixels(def.top), twipsToPixels(def.width), twipsToPixels(def.height));
    m_view->setGeometry(rect());
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_view);
    // The focus goes to the view, so a screen reader asks the view its name.
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(m_view)}) {
        w->setAccessibleName(QStringLiteral("Canlandırma"));
        w->setAccessibleDescription(QStringLiteral("Film oynatıcı: ekranın canlandırmasını oynatır"));
    }
    m_view->setLoop(m_settings.loop);
    if (!m_settings.movie.empty())
        m_view->setMovie(QString::fromStdString(m_settings.movie));
    if (m_settings.play && !m_settings.movie.empty())
        m_view->play();
}

void MoviePanel::setMovie(const std::string& path)
{
    m_settings.movie = path;
    m_view->setMovie(QString::fromStdString(path));
}

void MoviePanel::play()
{
    m_settings.play = true;
    m_view->play();
}

void MoviePanel::setLoop(bool loop)
{
    m_settings.loop = loop;
    m_view->setLoop(loop);
}

void MoviePanel::resizeEvent(QResizeEvent*)
{
    m_view->setGeometry(rect());
}

} // namespace yelvanis::qt
