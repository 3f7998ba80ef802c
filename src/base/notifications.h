#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace tarvello {

// A desktop notification through the desktop's notification service
// (org.freedesktop.Notifications). Each new one replaces ours still on screen, and clicking it
// (its default action) is reported, so the window can come forward. Every call is
// asynchronous: without a bus or a service nothing is shown and nothing waits.
class DesktopNotifier : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopNotifier)

public:
    explicit DesktopNotifier(const QDBusConnection &bus, QObject *parent = nullptr);

    // The words are the caller's; `actionLabel` names the click, for services that show it.
    void show(const QString &summary, const QString &body, const QString &actionLabel);
    // Takes ours off the screen, when the user has come to the window by himself.
    void withdraw();

    // The service's id of the notification on screen, 0 when there is none.
    uint currentId() const { return m_id; }

signals:
    // Our notification was clicked. `activationToken` is the desktop's permission to take the
    // focus (Wayland), empty when the service gives none.
    void activated(const QString &activationToken);

private slots:
    // Connected by name: QDBusConnection::connect takes only old-style slots.
    void actionInvoked(uint id, const QString &action);
    void activationToken(uint id, const QString &token);
    void notificationClosed(uint id, uint reason);

private:
    struct Text
    {
        QString summary;
        QString body;
        QString actionLabel;
    };

    void send(const Text &text);

    QDBusConnection m_bus;
    uint m_id = 0;
    bool m_sending = false;
    bool m_hasNext = false;
    bool m_closeOnAnswer = false;
    Text m_next; // asked for while the previous call was under way
    QString m_token;
};

} // namespace tarvello
