#include "gui/singleprogram.h"

#include "base/instance.h"
#include "gui/mw.h"
#include "gui/remotecommand.h"

namespace tarvello {

namespace {

InstanceRefusal refusalOf(Screenshooter::Start start)
{
    switch (start) {
    case Screenshooter::Start::Started:
        return InstanceRefusal::None;
    case Screenshooter::Start::Busy:
        return InstanceRefusal::Busy;
    case Screenshooter::Start::Unsupported:
        return InstanceRefusal::Unsupported;
    }
    return InstanceRefusal::Unsupported;
}

} // namespace

SingleProgram::SingleProgram(mw &window)
    : m_window(window)
    , m_service(new InstanceService(this))
{
    // The handlers answer at once: the caller waits for the request to be taken, not done.
    m_service->setCaptureHandler([this](const CaptureRequest &request) { return refusalOf(m_window.capture(request)); });
    m_service->setAddHandler([this](const QStringList &paths) {
        // Folders are walked off the window's thread, as dropped ones are.
        m_window.addPaths(paths);
        m_window.bringToFront();
        return InstanceRefusal::None;
    });
    connect(m_service, &InstanceService::showRequested, &m_window, &mw::bringToFront);
}

SingleProgram::~SingleProgram() = default;

std::optional<int> SingleProgram::start(const CommandLine &line, const QDBusConnection &bus)
{
    const bool handsOver = line.action == CommandLine::Action::Screenshot || line.action == CommandLine::Action::Add;
    if (m_service->registerOn(bus) == InstanceService::Registration::Taken && handsOver) {
        if (const std::optional<int> status = actInRunningProgram(line, bus))
            return status;
    }
    // Files go in before the window shows; folders are walked as dropped ones are.
    m_window.addPaths(line.paths);
    m_window.show();
    if (line.action == CommandLine::Action::Screenshot)
        m_window.capture(line.capture);
    return std::nullopt;
}

} // namespace tarvello
