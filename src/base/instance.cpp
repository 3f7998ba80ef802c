#include "base/instance.h"

#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>

#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tarvello {

namespace {

// The refusals travel as D-Bus error names, so that the client words them in its own language.
const std::pair<InstanceRefusal, QString> refusalNames[] = {
    {InstanceRefusal::Busy, QStringLiteral("org.tarvello.Uploader.Error.Busy")},
    {InstanceRefusal::Unsupported, QStringLiteral("org.tarvello.Uploader.Error.Unsupported")},
    {InstanceRefusal::BadRequest, QStringLiteral("org.tarvello.Uploader.Error.BadRequest")},
    {InstanceRefusal::OtherUser, QStringLiteral("org.freedesktop.DBus.Error.AccessDenied")},
};

QString errorName(InstanceRefusal refusal)
{
    for (const auto &[known, name] : refusalNames) {
        if (known == refusal)
            return name;
    }
    return QString();
}

InstanceRefusal refusalOf(const QString &errorName)
{
    for (const auto &[refusal, name] : refusalNames) {
        if (name == errorName)
            return refusal;
    }
    return InstanceRefusal::None;
}

} // namespace

// What the bus sees: three methods, which check the caller and the arguments and hand the rest
// to the service's handlers.
class InstanceAdaptor : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvello.Uploader")

public:
    explicit InstanceAdaptor(InstanceService *service)
        : QObject(service)
        , m_service(service)
    {
    }

public slots:
    Q_SCRIPTABLE void Screenshot(const QString &mode, uint delay)
    {
        if (!fromThisUser())
            return;
        CaptureRequest request;
        if (!captureModeFromName(mode, &request.mode) || delay > uint(maxCaptureDelay))
            return refuse(InstanceRefusal::BadRequest);
        request.delaySeconds = int(delay);
        refuse(m_service->capture(request));
    }

    Q_SCRIPTABLE void Add(const QStringList &files)
    {
        if (!fromThisUser())
            return;
        for (const QString &file : files) {
            // A relative path means the caller's folder, which is not known here.
            if (!QDir::isAbsolutePath(file))
                return refuse(InstanceRefusal::BadRequest);
        }
        refuse(m_service->add(files));
    }

    Q_SCRIPTABLE void Show()
    {
        if (fromThisUser())
            emit m_service->showRequested();
    }

private:
    bool fromThisUser()
    {
#ifdef Q_OS_UNIX
        const QDBusReply<uint> caller = connection().interface()->serviceUid(message().service());
        if (!caller.isValid() || caller.value() != uint(::getuid())) {
            refuse(InstanceRefusal::OtherUser);
            return false;
        }
#endif
        return true;
    }

    void refuse(InstanceRefusal refusal)
    {
        if (refusal != InstanceRefusal::None)
            sendErrorReply(errorName(refusal), QString());
    }

    InstanceService *m_service;
};

InstanceService::InstanceService(QObject *parent)
    : QObject(parent)
    , m_adaptor(new InstanceAdaptor(this))
    , m_bus(QString())
{
}

InstanceService::~InstanceService()
{
    unregister();
}

InstanceService::Registration InstanceService::registerOn(const QDBusConnection &bus)
{
    unregister();
    if (!bus.isConnected())
        return Registration::NoBus;
    m_bus = bus;
    if (!m_bus.registerObject(instance::path, m_adaptor, QDBusConnection::ExportScriptableSlots))
        return Registration::Taken; // our own process has it already
    // Never queued: a second program that waits for the name would take requests meant for the
    // first one the moment it closes.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = m_bus.interface()->registerService(
            instance::service, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        m_bus.unregisterObject(instance::path);
        return reply.isValid() ? Registration::Taken : Registration::NoBus;
    }
    m_registered = true;
    return Registration::Registered;
}

void InstanceService::unregister()
{
    if (!m_registered)
        return;
    m_registered = false;
    m_bus.unregisterService(instance::service);
    m_bus.unregisterObject(instance::path);
}

InstanceRefusal InstanceService::capture(const CaptureRequest &request)
{
    return m_capture ? m_capture(request) : InstanceRefusal::Unsupported;
}

InstanceRefusal InstanceService::add(const QStringList &paths)
{
    return m_add ? m_add(paths) : InstanceRefusal::Unsupported;
}

InstanceClient::InstanceClient(const QDBusConnection &bus, int timeoutMs)
    : m_bus(bus)
    , m_timeoutMs(timeoutMs)
{
}

InstanceAnswer InstanceClient::capture(const CaptureRequest &request) const
{
    return call(QStringLiteral("Screenshot"), {captureModeName(request.mode), uint(qMax(0, request.delaySeconds))});
}

InstanceAnswer InstanceClient::add(const QStringList &absolutePaths) const
{
    return call(QStringLiteral("Add"), {absolutePaths});
}

InstanceAnswer InstanceClient::show() const
{
    return call(QStringLiteral("Show"), {});
}

InstanceAnswer InstanceClient::call(const QString &method, const QVariantList &arguments) const
{
    InstanceAnswer answer;
    if (!m_bus.isConnected()) {
        answer.outcome = InstanceAnswer::Outcome::NoneRunning;
        return answer;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(instance::service, instance::path, instance::interfaceName, method);
    message.setArguments(arguments);
    // Nothing is installed to start the program from the bus, and nothing else may answer.
    message.setAutoStartService(false);
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, m_timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        answer.outcome = InstanceAnswer::Outcome::Done;
        return answer;
    }
    const QDBusError error(reply);
    answer.refusal = refusalOf(error.name());
    if (answer.refusal != InstanceRefusal::None) {
        answer.outcome = InstanceAnswer::Outcome::Refused;
        return answer;
    }
    // Without auto-start the bus says NameHasNoOwner, which Qt has no type for.
    if (error.name() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        answer.outcome = InstanceAnswer::Outcome::NoneRunning;
        return answer;
    }
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::Disconnected:
        answer.outcome = InstanceAnswer::Outcome::NoneRunning;
        break;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        answer.outcome = InstanceAnswer::Outcome::NoAnswer;
        break;
    default:
        answer.outcome = InstanceAnswer::Outcome::Failed;
        answer.detail = error.message().isEmpty() ? error.name() : error.message();
        break;
    }
    return answer;
}

} // namespace tarvello

#include "instance.moc"
