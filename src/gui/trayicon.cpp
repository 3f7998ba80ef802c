#include "gui/trayicon.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

namespace tarvello {

namespace {

QString idleToolTip()
{
    return QCoreApplication::translate("mw", "Tarvello uploader");
}

} // namespace

bool TrayIcon::isAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

TrayIcon::TrayIcon(const QList<QAction *> &captures, QWidget *window)
    : QObject(window)
    , m_icon(new QSystemTrayIcon(window->windowIcon(), this))
    , m_menu(new QMenu(window))
{
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    m_menu->addActions(captures);
    m_menu->addSeparator();
    QAction *show = m_menu->addAction(QCoreApplication::translate("mw", "Show Window"));
    connect(show, &QAction::triggered, this, &TrayIcon::showRequested);
    QAction *quit = m_menu->addAction(QCoreApplication::translate("mw", "Quit"));
    connect(quit, &QAction::triggered, this, &TrayIcon::quitRequested);
    m_icon->setContextMenu(m_menu);
    m_icon->setToolTip(idleToolTip());
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit showRequested();
    });
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setVisible(bool visible)
{
    m_icon->setVisible(visible);
}

bool TrayIcon::isVisible() const
{
    return m_icon->isVisible();
}

QString TrayIcon::toolTip() const
{
    return m_icon->toolTip();
}

void TrayIcon::setCountdown(int secondsLeft)
{
    if (secondsLeft <= 0)
        m_icon->setToolTip(idleToolTip());
    else if (secondsLeft == 1)
        m_icon->setToolTip(QCoreApplication::translate("mw", "Capture in 1 second"));
    else
        m_icon->setToolTip(QCoreApplication::translate("mw", "Capture in %1 seconds").arg(secondsLeft));
}

} // namespace tarvello
