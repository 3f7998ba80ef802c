#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <functional>

#include "base/capturerequest.h"

namespace tarvello {

// One program for every key: the running program answers on the D-Bus session bus, and a second
// process started by a desktop key or a file manager hands it what it was asked for and exits.
//
// Only the user's own processes can reach it. The session bus is the user's: its socket lives
// in the user's private runtime folder and the bus accepts only connections that prove, by the
// kernel's word on the socket, to run as the user who started it. A key pressed in another
// user's session therefore talks to that user's bus and finds no program there. The service
// checks the caller's user all the same, for buses set up to let others in.
namespace instance {
inline const QString service = QStringLiteral("org.tarvello.Uploader");
inline const QString path = QStringLiteral("/org/tarvello/Uploader");
inline const QString interfaceName = QStringLiteral("org.tarvello.Uploader");
} // namespace instance

// Why the running program did not do what it was asked.
enum class InstanceRefusal {
    None,
    Busy,        // a capture is under way already
    Unsupported, // this desktop cannot take such a capture, or the program cannot do that yet
    BadRequest,  // an unknown mode, a delay out of range, a path that is not absolute
    OtherUser,   // the caller runs as another user
};

// The running program's side: it owns the well-known name while it lives.
class InstanceService : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstanceService)

public:
    enum class Registration {
        Registered,
        Taken, // another program answers already: be its client, or run alone
        NoBus,
    };
    Q_ENUM(Registration)

    // Each returns InstanceRefusal::None once it has taken the request on (a capture is
    // started, not finished: the caller does not wait for the user to drag a region).
    using CaptureHandler = std::function<InstanceRefusal(const CaptureRequest &request)>;
    using AddHandler = std::function<InstanceRefusal(const QStringList &absolutePaths)>;

    explicit InstanceService(QObject *parent = nullptr);
    ~InstanceService() override;

    // Without a handler the request is refused as Unsupported.
    void setCaptureHandler(CaptureHandler handler) { m_capture = std::move(handler); }
    void setAddHandler(AddHandler handler) { m_add = std::move(handler); }

    // Takes the name on `bus`, unless another program holds it; the name is given back when
    // this object goes.
    Registration registerOn(const QDBusConnection &bus);

signals:
    void showRequested();

private:
    friend class InstanceAdaptor;

    InstanceRefusal capture(const CaptureRequest &request);
    InstanceRefusal add(const QStringList &paths);
    void unregister();

    QObject *m_adaptor = nullptr;
    QDBusConnection m_bus;
    bool m_registered = false;
    CaptureHandler m_capture;
    AddHandler m_add;
};

// What became of a request sent to the running program.
struct InstanceAnswer
{
    enum class Outcome {
        Done,        // it took the request on
        Refused,     // it would not: `refusal` says why
        NoneRunning, // no program answers on this user's bus (or there is no bus)
        NoAnswer,    // it did not answer in time
        Failed,      // something else answered, or the bus failed: `detail` holds its words
    };
    Outcome outcome = Outcome::Failed;
    InstanceRefusal refusal = InstanceRefusal::None;
    QString detail;
};

// The second process's side. Each call blocks for at most the time limit: the process has
// nothing else to do, and a desktop key must not leave it hanging.
class InstanceClient
{
public:
    explicit InstanceClient(const QDBusConnection &bus, int timeoutMs = 5000);

    InstanceAnswer capture(const CaptureRequest &request) const;
    InstanceAnswer add(const QStringList &absolutePaths) const;
    InstanceAnswer show() const;

private:
    InstanceAnswer call(const QString &method, const QVariantList &arguments) const;

    QDBusConnection m_bus;
    int m_timeoutMs;
};

} // namespace tarvello
