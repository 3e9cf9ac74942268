#pragma once

#include "runtime/Catalogue.h"

#include <set>
#include <string>
#include <vector>

namespace yelvanis::testing {

// The navigation rules written out plainly, to check the screen manager
// against: which screens are loaded, which one was shown last, whether the
// program has ended and how many failed steps were reported.
class NavigationModel {
public:
    explicit NavigationModel(const Catalogue& catalogue) : m_catalogue(catalogue) {}

    // A fresh program showing its start screen.
    void start();
    void click(const std::string& screen, const std::string& control);
    void closeBox(const std::string& screen);

    const std::set<std::string>& loaded() const { return m_loaded; }
    const std::string& active() const { return m_active; }
    bool ended() const { return m_ended; }
    int reports() const { return m_reports; }

private:
    struct Failed {};
    void run(const std::string& screen, const std::vector<Step>& steps);
    void show(const std::string& id);
    void unload(const std::string& id);

    const Catalogue& m_catalogue;
    std::set<std::string> m_loaded;
    std::vector<std::string> m_building;
    std::string m_active;
    bool m_ended = false;
    int m_reports = 0;
};

} // namespace yelvanis::testing
