#pragma once

#include <QDBusConnection>
#include <QObject>

#include <optional>

#include "base/commandline.h"

class mw;

namespace tarvello {

class InstanceService;

// The running program's side of one program for every key: it answers a second process's
// --screenshot and --add on the session bus with the window's own capture and queue, and does
// what its own command line asked once the window is up.
class SingleProgram : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleProgram)

public:
    explicit SingleProgram(mw &window);
    ~SingleProgram() override;

    // Answers on `bus`, queues the command line's files, shows the window and starts the
    // command line's capture. When another program took the name meanwhile (two keys pressed
    // at once), a --screenshot or --add goes to that one instead, and its exit status comes
    // back: this process then ends without a window. A plain start runs on alone.
    std::optional<int> start(const CommandLine &line, const QDBusConnection &bus);

private:
    mw &m_window;
    InstanceService *m_service;
};

} // namespace tarvello
