#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

namespace tarvello {

// The program's icon in the desktop's system tray, where there is one: the captures, Show
// window and Quit in its menu, a click shows the window, and its tooltip counts down a delayed
// capture. It exists only while the user wants it.
class TrayIcon : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayIcon)

public:
    // Whether this desktop has a tray at all; where it has none the option is not offered.
    static bool isAvailable();

    TrayIcon(const QList<QAction *> &captures, QWidget *window);
    ~TrayIcon() override;

    void setVisible(bool visible);
    bool isVisible() const;
    QString toolTip() const;
    // Seconds left before a capture; 0 when none is counting down.
    void setCountdown(int secondsLeft);
    QMenu *menu() const { return m_menu; }

signals:
    void showRequested();
    void quitRequested();

private:
    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
};

} // namespace tarvello
