#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRect>

#include "base/desktopmap.h"
#include "base/regionselection.h"

class QFont;
class QKeyEvent;
class QPainter;
class QWidget;

namespace tarvello {

class OverlayScreen;

// The frozen desktop shown on every screen, where the user drags a rectangle (region mode) or
// clicks a window (window mode) to capture. It works in the picture's own pixels, so a drag of
// 100 x 50 on a screen at scale 2 chooses 200 x 100 pixels.
//
// The mouse: a left drag spans a rectangle (a new drag starts over; a click chooses nothing),
// a right click cancels. The keyboard: Enter takes the rectangle, or the window under the
// pointer; Esc cancels; the arrows move the rectangle by one pixel, Shift+arrows move its
// bottom-right corner (resize), and with Ctrl held either goes ten pixels at a time.
//
// A screen plugged in, taken away or changed cancels the capture: the picture no longer matches
// the desktop.
class RegionOverlay : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RegionOverlay)

public:
    // `desktop` holds every screen in device pixels, as the X11 grab or the portal gives it.
    explicit RegionOverlay(const QImage &desktop, QObject *parent = nullptr);
    ~RegionOverlay() override;

    // Window mode: a click picks one of `frames` (bottom to top, in the desktop's device pixels,
    // as x11WindowFrames() gives them); what it yields is the frame clipped to the desktop.
    void setWindows(const QList<QRect> &frames);
    bool isWindowMode() const { return m_windowMode; }

    // Shows the overlay on every screen. It ends with exactly one of selected() or cancelled(),
    // each from the event loop, after the overlay has gone from the screens; the overlay may be
    // deleted from either.
    void start();
    void cancel();

    // The rectangle chosen so far, or the window under the pointer, in the picture's pixels.
    QRect selection() const;
    // One full-screen window per screen, in the order of QGuiApplication::screens().
    QList<QWidget *> windows() const;

signals:
    // `area` is in the picture's pixels, and `picture` is that part of it.
    void selected(const QRect &area, const QImage &picture);
    void cancelled();

private:
    friend class OverlayScreen;

    void pointerPressed(Qt::MouseButton button, const QPointF &global);
    void pointerMoved(const QPointF &global);
    void pointerReleased(Qt::MouseButton button, const QPointF &global);
    void keyPressed(QKeyEvent *event);
    // What a screen shows over the picture, in its own coordinates.
    struct Decor
    {
        QRectF area;  // the chosen rectangle or window
        QRect label;  // the size beside the pointer
        QString size;
        QRect extent() const;
    };
    Decor decorOf(int screen, const QFont &font, const QRect &bounds) const;
    // Returns what it drew over the picture.
    QRect paintScreen(int screen, QPainter &painter, const QRect &bounds) const;
    void accept();
    void finish(bool accepted);
    void refresh();

    QImage m_desktop;
    DesktopMap m_map;
    RegionSelection m_selection;
    bool m_windowMode = false;
    QList<QRect> m_frames; // in the picture's pixels, clipped to it
    int m_hovered = -1;
    QPointF m_pointer; // global, for the size beside the cursor
    bool m_pointerKnown = false;
    bool m_finished = false;
    QList<QPointer<OverlayScreen>> m_screens;
    QList<QMetaObject::Connection> m_screenWatch;
};

} // namespace tarvello
