#pragma once

#include "runtime/ScreenDef.h"
#include "runtime/WindowSystem.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <vector>

class QMenuBar;

namespace yelvanis::qt {

class Surface;

// The top-level window of one live screen, built from its definition: the
// frame or drawn border, the menu bar, the client area and every control.
class ScreenWindow : public QWidget {
    Q_OBJECT
public:
    ScreenWindow(const ScreenDef& def, ScreenEvents& events);

    const std::string& screenId() const { return m_id; }
    Surface* client() const { return m_client; }
    QMenuBar* menuBar() const { return m_menuBar; }
    // A live control by name: nullptr for a painted one or an unknown name.
    QWidget* control(std::string_view name) const;
    // The focusable controls in tab order.
    const std::vector<QWidget*>& tabOrder() const { return m_tabOrder; }
    // The control that gets the focus when the screen first shows.
    QWidget* firstFocus() const { return m_firstFocus; }
    // Where the client area goes on the screen, in pixels.
    QRect clientGeometry() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildMenu(const ScreenDef& def);
    void buildControls(const ScreenDef& def);
    void place(const ScreenDef& def);

    std::string m_id;
    ScreenEvents& m_events;
    Surface* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    std::map<std::string, QWidget*, std::less<>> m_controls;
    std::vector<QWidget*> m_tabOrder;
    QWidget* m_firstFocus = nullptr;
    int m_border = 0;
};

} // namespace yelvanis::qt
