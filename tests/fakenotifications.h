#pragma once

// A notification service of the test's own, on a connection of its own ("daemon"), so that it is
// another bus name than the program, as in real life.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <utility>

namespace testutil {

inline const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
inline const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

// Answers the way a notification daemon does; holds its answer back when told to.
class FakeNotifications : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QList<QVariantList> shown; // the arguments of each Notify
    QList<uint> closed;
    bool silent = false; // answers nothing
    bool holding = false; // answers when released
    QList<QDBusMessage> held;

    void release()
    {
        for (const QDBusMessage &call : std::exchange(held, {}))
            QDBusConnection(QStringLiteral("daemon")).send(call.createReply(call.arguments().at(1).toUInt() != 0
                                                                                   ? call.arguments().at(1).toUInt()
                                                                                   : 40 + uint(shown.size())));
    }

public slots:
    uint Notify(const QString &app, uint replaces, const QString &icon, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int timeout)
    {
        shown.append({app, replaces, icon, summary, body, actions, hints, timeout});
        if (silent || holding)
            setDelayedReply(true);
        if (holding)
            held.append(message());
        return replaces != 0 ? replaces : 40 + uint(shown.size());
    }
    void CloseNotification(uint id) { closed.append(id); }
};

inline void emitSignal(const QString &name, const QVariantList &arguments)
{
    QDBusMessage signal = QDBusMessage::createSignal(objectPath, serviceName, name);
    signal.setArguments(arguments);
    QDBusConnection(QStringLiteral("daemon")).send(signal);
}


} // namespace testutil
