#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QTimer;

namespace tarvello {

// What the desktop's screenshot portal says it can do, read from its properties.
struct PortalAbilities
{
    // The targets a portal of version 3 or later lists in AvailableTargets.
    enum Target : uint { Screen = 1, Window = 2, Area = 4, ActiveWindow = 8 };

    bool reachable = false; // a portal with screenshots answered
    uint version = 0;       // its interface version; 0 when it has no version property
    uint targets = 0;       // AvailableTargets, 0 before version 3

    // Version 2 brought the interactive mode, in which the desktop's own dialog lets the user
    // choose what to take.
    bool interactive() const { return reachable && version >= 2; }
    // Whether that dialog lets the user pick a window. From version 3 on the portal says so.
    // Version 2 cannot tell: the dialogs of GNOME and Plasma offer it, but the wlroots back end
    // (sway and its kin) lets the user drag a region only. `currentDesktop` is
    // XDG_CURRENT_DESKTOP, which tells them apart.
    bool windowPick(const QString &currentDesktop) const;
};

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
    // portal's own answer counts, and only within the time allowed. The whole screen, without a
    // dialog.
    void request(const QString &parentWindow);
    // The desktop's own dialog, where the user picks what to take. `target` is one of
    // PortalAbilities::Target to start the dialog on, for portals that list it; 0 leaves the
    // choice to the dialog.
    void requestInteractive(const QString &parentWindow, uint target = 0);

    // Asks the portal what it can do; probed() answers, never from inside this call.
    void probe();

    // Longer than a person waits for a screenshot, with time to answer the desktop's question
    // whether this program may take one.
    static constexpr int defaultTimeoutMs = 60 * 1000;
    void setTimeout(int ms) { m_timeoutMs = ms; }

signals:
    void finished(tarvello::PortalScreenshot::Outcome outcome, const QString &localFile);
    void probed(const tarvello::PortalAbilities &abilities);

private slots:
    // Connected by name: QDBusConnection::connect takes only old-style slots.
    void response(uint code, const QVariantMap &results);

private:
    void send(const QString &parentWindow, QVariantMap options);
    void listen(const QString &path);
    void stopListening();
    void finish(Outcome outcome, const QString &localFile = QString());

    QDBusConnection m_bus;
    QString m_path; // the request object listened to; empty when no request is pending
    QTimer *m_timer;
    int m_timeoutMs = defaultTimeoutMs;
};

} // namespace tarvello
