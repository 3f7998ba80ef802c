#include "gui/captureactions.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

namespace tarvello {

namespace {

QString delayText(int seconds)
{
    if (seconds == 0)
        return QCoreApplication::translate("mw", "No delay");
    return QCoreApplication::translate("mw", "After %1 seconds").arg(seconds);
}

} // namespace

CaptureActions::CaptureActions(QWidget *window)
    : QObject(window)
    , m_delays(new QActionGroup(this))
    , m_cancel(new QAction(QCoreApplication::translate("mw", "Cancel the Capture"), this))
    , m_tray(new QAction(QCoreApplication::translate("mw", "Icon in the System Tray"), this))
    , m_menu(new QMenu(window))
{
    m_menu->setObjectName(QStringLiteral("captureMenu"));
    const struct
    {
        CaptureMode mode;
        QString text;
        QKeySequence keys;
        const char *name;
    } modes[] = {
        {CaptureMode::Whole, QCoreApplication::translate("mw", "Whole Screen"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         "captureWhole"},
        {CaptureMode::Region, QCoreApplication::translate("mw", "Region…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R),
         "captureRegion"},
        {CaptureMode::Window, QCoreApplication::translate("mw", "Window…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W),
         "captureWindow"},
    };
    for (const auto &mode : modes) {
        auto *action = new QAction(mode.text, this);
        action->setObjectName(QString::fromLatin1(mode.name));
        action->setShortcut(mode.keys);
        // The keys work wherever the focus is in the window, the menu need not be open.
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        const CaptureMode captureMode = mode.mode;
        connect(action, &QAction::triggered, this, [this, captureMode] { emit captureRequested({captureMode, delay()}); });
        m_captures.append(action);
        m_menu->addAction(action);
    }

    m_menu->addSection(QCoreApplication::translate("mw", "Delay"));
    for (int seconds : delays()) {
        QAction *action = m_delays->addAction(delayText(seconds));
        action->setCheckable(true);
        action->setData(seconds);
        action->setChecked(seconds == 0);
        m_menu->addAction(action);
    }

    m_menu->addSeparator();
    m_cancel->setObjectName(QStringLiteral("captureCancel"));
    m_cancel->setShortcut(QKeySequence(Qt::Key_Escape));
    m_cancel->setShortcutContext(Qt::WindowShortcut);
    m_cancel->setEnabled(false);
    window->addAction(m_cancel);
    m_menu->addAction(m_cancel);

    m_tray->setObjectName(QStringLiteral("captureTray"));
    m_tray->setCheckable(true);
    m_tray->setVisible(false);
    m_menu->addAction(m_tray);
}

CaptureActions::~CaptureActions() = default;

int CaptureActions::delay() const
{
    const QAction *checked = m_delays->checkedAction();
    return checked ? checked->data().toInt() : 0;
}

void CaptureActions::setDelay(int seconds)
{
    for (QAction *action : m_delays->actions())
        action->setChecked(action->data().toInt() == seconds);
}

void CaptureActions::setWindowOffered(bool offered)
{
    m_captures.at(int(CaptureMode::Window))->setVisible(offered);
}

void CaptureActions::setBusy(bool busy)
{
    // The captures stay enabled: asked for while one runs, they say why nothing happens.
    m_cancel->setEnabled(busy);
}

} // namespace tarvello
