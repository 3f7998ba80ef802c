#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QTimer;

namespace tarvello {

// The object path of a portal request: the portal derives it from the caller's unique bus name
// and the handle token it was given, so the answer can be listened for before the call is made.
QString portalRequestPath(const QString &uniqueName, const QString &token);

// One screenshot through the desktop portal (org.freedesktop.portal.Screenshot), the way a
// sandboxed or Wayland program has to take it: the call returns a request object at once, and the
// picture comes later in that request's Response signal, as a file URI.
class PortalScreenshot : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortalScreenshot)

public:
    enum class Outcome {
        Taken,     // localFile names the picture
        Cancelled, // the user closed the portal's dialog
        Failed,    // the portal answered but gave no picture
        NoPortal,  // no bus, no portal, or a portal without screenshots
        TimedOut,  // the portal never answered
    };
    Q_ENUM(Outcome)

    explicit PortalScreenshot(const QDBusConnection &bus, QObject *parent = nullptr);

    // parentWindow is the portal's window identifier ("x11:<hex id>", or empty when unknown).
    // finished() is emitted exactly once per request, never from inside this call. Only the
    // portal's own answer counts, and only within the time allowed.
    void request(const QString &parentWindow);

    // Longer than a person waits for a screenshot, with time to answer the desktop's question
    // whether this program may take one.
    static constexpr int defaultTimeoutMs = 60 * 1000;
    void setTimeout(int ms) { m_timeoutMs = ms; }

signals:
    void finished(tarvello::PortalScreenshot::Outcome outcome, const QString &localFile);

private slots:
    // Connected by name: QDBusConnection::connect takes only old-style slots.
    void response(uint code, const QVariantMap &results);

private:
    void listen(const QString &path);
    void stopListening();
    void finish(Outcome outcome, const QString &localFile = QString());

    QDBusConnection m_bus;
    QString m_path; // the request object listened to; empty when no request is pending
    QTimer *m_timer;
    int m_timeoutMs = defaultTimeoutMs;
};

} // namespace tarvello
