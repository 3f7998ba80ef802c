#include "base/notifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace tarvello {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");

} // namespace

DesktopNotifier::DesktopNotifier(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                  SLOT(actionInvoked(uint, QString)));
    m_bus.connect(service, path, interface, QStringLiteral("ActivationToken"), this,
                  SLOT(activationToken(uint, QString)));
    m_bus.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                  SLOT(notificationClosed(uint, uint)));
}

void DesktopNotifier::show(const QString &summary, const QString &body, const QString &actionLabel)
{
    if (!m_bus.isConnected())
        return;
    const Text text{summary, body, actionLabel};
    // The id of the one on screen comes with the answer: wait for it, so that this one replaces
    // it instead of piling up next to it.
    if (m_sending) {
        m_next = text;
        m_hasNext = true;
        return;
    }
    send(text);
}

void DesktopNotifier::send(const Text &text)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    // Services that place notifications by program find us by our desktop entry.
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("org.tarvello.Uploader")}};
    call << QStringLiteral("Tarvello") << m_id << QStringLiteral("org.tarvello.Uploader") << text.summary << text.body
         << QStringList{defaultAction, text.actionLabel} << hints << -1;
    // Nobody waits for an answer: a service that is slow to start only makes the word late.
    call.setAutoStartService(true);
    m_sending = true;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        m_sending = false;
        m_id = reply.isError() ? 0 : reply.value();
        if (m_closeOnAnswer) {
            // Withdrawn while on its way.
            m_closeOnAnswer = false;
            withdraw();
        }
        if (m_hasNext) {
            m_hasNext = false;
            send(m_next);
        }
    });
}

void DesktopNotifier::withdraw()
{
    m_hasNext = false;
    m_closeOnAnswer = m_sending;
    if (m_id == 0 || !m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("CloseNotification"));
    call << m_id;
    m_bus.asyncCall(call);
    m_id = 0;
}

void DesktopNotifier::actionInvoked(uint id, const QString &action)
{
    // The service speaks to every program on the bus: only a click on ours counts.
    if (id == 0 || id != m_id || action != defaultAction)
        return;
    const QString token = m_token;
    m_token.clear();
    emit activated(token);
}

void DesktopNotifier::activationToken(uint id, const QString &token)
{
    if (id != 0 && id == m_id)
        m_token = token;
}

void DesktopNotifier::notificationClosed(uint id, uint)
{
    if (id == m_id) {
        m_id = 0;
        m_token.clear();
    }
}

} // namespace tarvello
