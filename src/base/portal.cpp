#include "base/portal.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaObject>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace tarvello {

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString screenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

bool meansNoPortal(const QDBusError &error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::Disconnected:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
        return true;
    default:
        return false;
    }
}

} // namespace

bool PortalAbilities::windowPick(const QString &currentDesktop) const
{
    if (!interactive())
        return false;
    if (version >= 3)
        return (targets & Window) != 0;
    static const QStringList regionOnly{QStringLiteral("sway"), QStringLiteral("wlroots"), QStringLiteral("hyprland"),
                                        QStringLiteral("river"), QStringLiteral("wayfire")};
    const QStringList desktops = currentDesktop.toLower().split(QLatin1Char(':'));
    return std::none_of(desktops.begin(), desktops.end(),
                        [](const QString &desktop) { return regionOnly.contains(desktop); });
}

QString portalRequestPath(const QString &uniqueName, const QString &token)
{
    QString sender = uniqueName;
    if (sender.startsWith(QLatin1Char(':')))
        sender.remove(0, 1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return portalPath + QLatin1String("/request/") + sender + QLatin1Char('/') + token;
}

PortalScreenshot::PortalScreenshot(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_path.isEmpty())
            return;
        stopListening();
        finish(Outcome::TimedOut);
    });
}

void PortalScreenshot::request(const QString &parentWindow)
{
    // Headless and tiling desktops have no way to pick an area; the whole screen is what the
    // button has always meant.
    send(parentWindow, {{QStringLiteral("modal"), true}, {QStringLiteral("interactive"), false}});
}

void PortalScreenshot::requestInteractive(const QString &parentWindow, uint target)
{
    QVariantMap options{{QStringLiteral("modal"), true}, {QStringLiteral("interactive"), true}};
    if (target != 0)
        options.insert(QStringLiteral("target"), target);
    send(parentWindow, options);
}

void PortalScreenshot::probe()
{
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath,
                                                       QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("GetAll"));
    call << screenshotInterface;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *call;
        PortalAbilities abilities;
        // The portal lists the interfaces its back ends provide: no Screenshot, no properties.
        if (!reply.isError() && reply.value().contains(QStringLiteral("version"))) {
            abilities.reachable = true;
            abilities.version = reply.value().value(QStringLiteral("version")).toUInt();
            abilities.targets = reply.value().value(QStringLiteral("AvailableTargets")).toUInt();
        }
        emit probed(abilities);
    });
}

void PortalScreenshot::send(const QString &parentWindow, QVariantMap options)
{
    if (!m_bus.isConnected()) {
        finish(Outcome::NoPortal);
        return;
    }
    const QString token = QStringLiteral("tarvello%1").arg(QRandomGenerator::global()->generate());
    // Listening first: the portal may answer before the call's own reply arrives.
    listen(portalRequestPath(m_bus.baseService(), token));
    m_timer->start(m_timeoutMs);

    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, screenshotInterface,
                                                       QStringLiteral("Screenshot"));
    options.insert(QStringLiteral("handle_token"), token);
    call << parentWindow << options;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *call;
        if (m_path.isEmpty())
            return; // answered already
        if (reply.isError()) {
            stopListening();
            finish(meansNoPortal(reply.error()) ? Outcome::NoPortal : Outcome::Failed);
            return;
        }
        // Portals before 0.9 chose the path themselves.
        if (reply.value().path() != m_path)
            listen(reply.value().path());
    });
}

void PortalScreenshot::response(uint code, const QVariantMap &results)
{
    stopListening();
    if (code == 1) {
        finish(Outcome::Cancelled);
        return;
    }
    const QUrl uri(results.value(QStringLiteral("uri")).toString());
    if (code != 0 || !uri.isLocalFile()) {
        finish(Outcome::Failed);
        return;
    }
    finish(Outcome::Taken, uri.toLocalFile());
}

void PortalScreenshot::listen(const QString &path)
{
    stopListening();
    m_path = path;
    // From the portal only: anyone on the bus can send a signal on any path.
    m_bus.connect(portalService, m_path, requestInterface, QStringLiteral("Response"), this,
                  SLOT(response(uint, QVariantMap)));
}

void PortalScreenshot::stopListening()
{
    if (m_path.isEmpty())
        return;
    m_bus.disconnect(portalService, m_path, requestInterface, QStringLiteral("Response"), this,
                     SLOT(response(uint, QVariantMap)));
    m_path.clear();
    m_timer->stop();
}

void PortalScreenshot::finish(Outcome outcome, const QString &localFile)
{
    QMetaObject::invokeMethod(this, [this, outcome, localFile] { emit finished(outcome, localFile); },
                              Qt::QueuedConnection);
}

} // namespace tarvello
