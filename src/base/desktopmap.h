#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace tarvello {

// One screen as Qt places it: its geometry in device-independent pixels and its device pixel
// ratio. Qt keeps each screen's top-left corner at its place in device pixels and scales only
// the size, so the screen's own pixels start there too.
struct ScreenPlace
{
    QRect geometry;
    qreal ratio = 1.0;
};

// Where each screen lies in a frozen picture of the whole desktop, and back: the overlay shows
// every screen its own part of the picture and turns the pointer into the picture's pixels.
//
// The X11 grab is the root window in its own pixels, so the screens sit in it where they sit on
// the desktop. A portal's picture is whatever the compositor made of its outputs; when its size
// is not the desktop's, the screens as a whole are stretched onto it, which is exact for one
// screen and for screens of one scale.
class DesktopMap
{
public:
    DesktopMap() = default;
    DesktopMap(const QList<ScreenPlace> &screens, const QSize &picture);

    int screenCount() const { return int(m_screens.size()); }
    QSize pictureSize() const { return m_picture; }

    // The part of the picture that screen `screen` shows.
    QRectF pictureArea(int screen) const;
    // A point in Qt's global coordinates, in the picture's pixels. A point on no screen (between
    // screens of different sizes) is taken on the nearest one.
    QPointF toPicture(const QPointF &global) const;
    // A point of the picture in screen `screen`'s own coordinates (device-independent).
    QPointF toScreen(int screen, const QPointF &picture) const;
    QRectF toScreen(int screen, const QRectF &picture) const;
    // A rectangle in the desktop's device pixels (X11 root coordinates) in the picture's pixels.
    QRect desktopToPicture(const QRect &desktop) const;

private:
    int screenFor(const QPointF &global) const;
    QPointF nativeToPicture(const QPointF &native) const;
    QPointF pictureToNative(const QPointF &picture) const;

    QList<ScreenPlace> m_screens;
    QSize m_picture;
    QPointF m_origin; // the desktop pixel at the picture's top-left corner
    qreal m_scaleX = 1.0;
    qreal m_scaleY = 1.0;
};

} // namespace tarvello
