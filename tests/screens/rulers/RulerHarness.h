#pragma once

// A screen manager over real Qt windows, offscreen, that records what it
// reports and counts the ends of the program instead of quitting.
#include "runtime/ScreenManager.h"
#include "runtime/Units.h"
#include "runtime/qt/Look.h"
#include "runtime/qt/QtWindowSystem.h"
#include "runtime/qt/ScreenWindow.h"
#include "runtime/qt/Surface.h"
#include "screens/Screens.h"

#include <QApplication>
#include <QtTest>

#include <memory>

namespace yelvanis::testing::rulers {

struct Harness {
    Harness()
    {
        windows.onQuit = [this] { ++quits; };
        windows.browserLauncher = [](const std::string&) { return true; };
        manager = std::make_unique<ScreenManager>(screens::all(), windows, [this](const std::string& s, const std::string& w) {
            reports << QString::fromStdString(s + ": " + w);
        });
    }
    ~Harness()
    {
        manager.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    qt::ScreenWindow* window(const std::string& id) const { return qt::windowOf(manager->live(id)); }

    // Every ScreenWindow of that screen that is still on the desktop.
    int windowsOf(const QString& id) const
    {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<qt::ScreenWindow*>(w) && w->objectName() == id && w->isVisible())
                ++n;
        return n;
    }

    qt::QtWindowSystem windows;
    std::unique_ptr<ScreenManager> manager;
    QStringList reports;
    int quits = 0;
};

// Colours and fonts as text, so that a mismatch shows both values.
inline QString text(Colour c)
{
    return QString::fromStdString(toString(c));
}
inline QString text(const Font& f)
{
    return QStringLiteral("%1 %2 %3%4%5 %6")
        .arg(QString::fromStdString(f.face))
        .arg(f.points())
        .arg(f.weight)
        .arg(f.italic ? " italic" : "")
        .arg(f.underline ? " underline" : "")
        .arg(f.charset);
}

inline QRect pixels(const QRect& twips)
{
    return QRect(twipsToPixels(twips.x()), twipsToPixels(twips.y()), twipsToPixels(twips.width()),
                 twipsToPixels(twips.height()));
}

// Clicks a painted control of a window's client area or of one of its frames
// in the middle of its box, as the user would.
inline void clickPainted(qt::ScreenWindow* w, const ControlDef& def)
{
    qt::Surface* surface = w->client();
    if (!def.container.empty())
        surface = qobject_cast<qt::Surface*>(w->control(def.container));
    QVERIFY(surface);
    const QRect box = surface->boxOf(def);
    QVERIFY2(!box.isEmpty(), def.name.c_str());
    QTest::mouseClick(surface, Qt::LeftButton, {}, box.center());
}

} // namespace yelvanis::testing::rulers
