#include "runtime/qt/QtWindowSystem.h"

#include "runtime/qt/MoviePanel.h"
#include "runtime/qt/ScreenWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <stdexcept>

namespace yelvanis::qt {

namespace {

class QtLiveScreen final : public LiveScreen {
public:
    explicit QtLiveScreen(ScreenWindow* w) : m_window(w) {}
    ~QtLiveScreen() override
    {
        if (m_window)
            delete m_window.data();
    }

    void show() override
    {
        if (!m_window)
            return;
        if (QWidget* f = m_window->firstFocus())
            f->setFocus(Qt::OtherFocusReason);
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }
    void activate() override
    {
        if (!m_window)
            return;
        if (m_window->isMinimized())
            m_window->showNormal();
        m_window->raise();
        m_window->activateWindow();
    }
    void minimize() override
    {
        if (m_window)
            m_window->showMinimized();
    }
    bool isMinimized() const override { return m_window && m_window->isMinimized(); }
    void destroy() override
    {
        if (!m_window)
            return;
        // Gone for the user at once; freed when the running handler is done.
        m_window->hide();
        m_window->deleteLater();
        m_window.clear();
    }
    MovieControl* movie(std::string_view control) override
    {
        return m_window ? dynamic_cast<MoviePanel*>(m_window->control(control)) : nullptr;
    }

    ScreenWindow* window() const { return m_window.data(); }

private:
    QPointer<ScreenWindow> m_window;
};

} // namespace

QtWindowSystem::QtWindowSystem()
    : onQuit([] { QCoreApplication::quit(); })
    , browserLauncher([](const std::string& url) {
        const QString u = QString::fromStdString(url);
        if (!QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
            return QProcess::startDetached(QStringLiteral("xdg-open"), {u});
        return QDesktopServices::openUrl(QUrl(u));
    })
{
}

std::unique_ptr<LiveScreen> QtWindowSystem::build(const ScreenDef& def, ScreenEvents& events)
{
    auto* window = new ScreenWindow(def, events);
    return std::make_unique<QtLiveScreen>(window);
}

std::string QtWindowSystem::applicationFolder() const
{
    return QCoreApplication::applicationDirPath().toStdString();
}

void QtWindowSystem::launchBrowser(const std::string& url)
{
    if (!browserLauncher || !browserLauncher(url))
        throw std::runtime_error("no web browser could be started for " + url);
}

void QtWindowSystem::quit()
{
    if (onQuit)
        onQuit();
}

ScreenWindow* windowOf(LiveScreen* screen)
{
    auto* s = dynamic_cast<QtLiveScreen*>(screen);
    return s ? s->window() : nullptr;
}

ErrorReporter messageBoxReporter()
{
    return [](const std::string& step, const std::string& reason) {
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Yelvanis v1.0"),
                                    QStringLiteral("Bu işlem yapılamadı: %1\n\nNedeni: %2")
                                        .arg(QString::fromStdString(step), QString::fromStdString(reason)),
                                    QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        // Shown without a nested event loop, so the handler ends at once.
        box->show();
    };
}

} // namespace yelvanis::qt
