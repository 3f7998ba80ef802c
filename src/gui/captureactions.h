#pragma once

#include <QList>
#include <QObject>

#include "base/capturerequest.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace tarvello {

// The captures as the window, the Screenshot button's menu and the tray offer them: Whole
// screen, Region…, Window…, each after the delay chosen in the same menu, with keys in the
// window. One set of actions serves every place, so a delay chosen in one holds in all.
class CaptureActions : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CaptureActions)

public:
    // The actions' keys work anywhere in `window`.
    explicit CaptureActions(QWidget *window);
    ~CaptureActions() override;

    // Whole screen, Region…, Window…, in that order.
    QList<QAction *> captures() const { return m_captures; }
    QAction *cancelAction() const { return m_cancel; }
    QAction *trayAction() const { return m_tray; }
    // The menu of the Screenshot button: the captures, the delays, calling off a capture, the
    // tray icon option.
    QMenu *menu() const { return m_menu; }

    // The delay chosen in the menu, in seconds.
    int delay() const;
    void setDelay(int seconds);
    static QList<int> delays() { return {0, 3, 5, 10}; }

    // What the desktop allows: the Window… entry is hidden where it is not.
    void setWindowOffered(bool offered);
    // While a capture runs the captures wait and it can be called off.
    void setBusy(bool busy);

signals:
    void captureRequested(const tarvello::CaptureRequest &request);

private:
    QList<QAction *> m_captures;
    QActionGroup *m_delays;
    QAction *m_cancel;
    QAction *m_tray;
    QMenu *m_menu;
};

} // namespace tarvello
