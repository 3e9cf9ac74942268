#pragma once

#include "runtime/ControlDef.h"
#include "runtime/WindowSystem.h"

#include <QWidget>

namespace yelvanis {
class MovieView;
}

namespace yelvanis::qt {

// The movie panel control: its initial settings, and the three calls a
// screen's load handler makes on it.
class MoviePanel : public QWidget, public MovieControl {
    Q_OBJECT
public:
    MoviePanel(const ControlDef& def, QWidget* parent);

    void setMovie(const std::string& path) override;
    void play() override;
    void setLoop(bool loop) override;

    const MovieSettings& settings() const { return m_settings; }
    MovieView* view() const { return m_view; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    MovieSettings m_settings;
    MovieView* m_view;
};

} // namespace yelvanis::qt
