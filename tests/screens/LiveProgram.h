#pragma once

#include "runtime/ScreenManager.h"
#include "runtime/qt/QtWindowSystem.h"
#include "screens/Screens.h"

#include <QStringList>

#include <memory>

namespace yelvanis::testing {

// The real program offscreen, as a screen family's tests drive it: ending
// it and starting the browser are counted instead of done, and every error
// report is kept. Starting it shows the main screen.
inline void startProgram(std::unique_ptr<qt::QtWindowSystem>& windows, std::unique_ptr<ScreenManager>& manager,
                         QStringList& reports, int& quits)
{
    reports.clear();
    quits = 0;
    windows = std::make_unique<qt::QtWindowSystem>();
    windows->onQuit = [&quits] { ++quits; };
    windows->browserLauncher = [](const std::string&) { return true; };
    manager = std::make_unique<ScreenManager>(screens::all(), *windows,
                                              [&reports](const std::string& s, const std::string& w) {
                                                  reports << QString::fromStdString(s + ": " + w);
                                              });
    manager->start();
}

} // namespace yelvanis::testing
