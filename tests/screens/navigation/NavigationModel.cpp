#include "NavigationModel.h"

#include <algorithm>

namespace yelvanis::testing {

void NavigationModel::start()
{
    m_loaded.clear();
    m_building.clear();
    m_active.clear();
    m_ended = false;
    try {
        show("giris");
    } catch (const Failed&) {
        ++m_reports;
    }
    if (m_loaded.empty())
        m_ended = true;
}

void NavigationModel::click(const std::string& screen, const std::string& control)
{
    if (!m_loaded.count(screen))
        return;
    if (const Binding* b = m_catalogue.binding(screen, control, Event::Click)) {
        try {
            run(screen, b->steps);
        } catch (const Failed&) {
            ++m_reports;
        }
    }
}

void NavigationModel::closeBox(const std::string& screen)
{
    unload(screen);
}

void NavigationModel::run(const std::string& screen, const std::vector<Step>& steps)
{
    for (const Step& step : steps) {
        switch (step.action) {
        case Action::GoTo:
            show(step.target);
            unload(screen);
            break;
        case Action::Open:
            show(step.target);
            break;
        case Action::Close:
            unload(screen);
            break;
        case Action::Minimize:
        case Action::LaunchBrowser: // the test's browser always starts
            break;
        case Action::StartMovie: {
            // Only a loaded screen with a movie panel of that name can play.
            const ControlDef* panel = m_catalogue.screen(screen).control(step.control);
            if (!m_loaded.count(screen) || !panel || panel->kind != ControlKind::Movie)
                throw Failed{};
            break;
        }
        }
    }
}

void NavigationModel::show(const std::string& id)
{
    if (m_loaded.count(id)) {
        m_active = id;
        return;
    }
    if (!m_catalogue.has(id) || std::count(m_building.begin(), m_building.end(), id))
        throw Failed{};
    m_loaded.insert(id);
    m_building.push_back(id);
    if (const Binding* load = m_catalogue.binding(id, "", Event::Load)) {
        try {
            run(id, load->steps);
        } catch (const Failed&) {
            ++m_reports; // the load handler stops; the screen still shows
        }
    }
    m_building.pop_back();
    if (m_loaded.count(id))
        m_active = id;
}

void NavigationModel::unload(const std::string& id)
{
    if (!m_loaded.erase(id))
        return;
    if (m_active == id)
        m_active.clear();
    if (m_loaded.empty())
        m_ended = true;
}

} // namespace yelvanis::testing
