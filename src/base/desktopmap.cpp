#include "base/desktopmap.h"

#include <limits>

namespace tarvello {

namespace {

QRectF nativeArea(const ScreenPlace &screen)
{
    return QRectF(screen.geometry.topLeft(), QSizeF(screen.geometry.size()) * screen.ratio);
}

qreal distance(const QRect &rect, const QPointF &point)
{
    const qreal dx = qMax(qMax(rect.left() - point.x(), 0.0), point.x() - (rect.right() + 1));
    const qreal dy = qMax(qMax(rect.top() - point.y(), 0.0), point.y() - (rect.bottom() + 1));
    return dx * dx + dy * dy;
}

} // namespace

DesktopMap::DesktopMap(const QList<ScreenPlace> &screens, const QSize &picture)
    : m_screens(screens)
    , m_picture(picture)
{
    QRectF desktop;
    for (const ScreenPlace &screen : screens)
        desktop |= nativeArea(screen);
    if (desktop.isEmpty() || picture.isEmpty())
        return;
    // The X11 root window starts at the desktop's origin and ends where its last screen does.
    const bool atTheirPlaces = desktop.left() >= 0 && desktop.top() >= 0
            && qRound(desktop.right()) == picture.width() && qRound(desktop.bottom()) == picture.height();
    if (atTheirPlaces)
        return;
    m_origin = desktop.topLeft();
    m_scaleX = picture.width() / desktop.width();
    m_scaleY = picture.height() / desktop.height();
}

QRectF DesktopMap::pictureArea(int screen) const
{
    const QRectF native = nativeArea(m_screens.at(screen));
    return QRectF(nativeToPicture(native.topLeft()), nativeToPicture(native.bottomRight()));
}

QPointF DesktopMap::toPicture(const QPointF &global) const
{
    const int index = screenFor(global);
    if (index < 0)
        return global;
    const ScreenPlace &screen = m_screens.at(index);
    const QPointF corner = screen.geometry.topLeft();
    return nativeToPicture(corner + (global - corner) * screen.ratio);
}

QPointF DesktopMap::toScreen(int screen, const QPointF &picture) const
{
    const ScreenPlace &place = m_screens.at(screen);
    return (pictureToNative(picture) - QPointF(place.geometry.topLeft())) / place.ratio;
}

QRectF DesktopMap::toScreen(int screen, const QRectF &picture) const
{
    return QRectF(toScreen(screen, picture.topLeft()), toScreen(screen, picture.bottomRight()));
}

QRect DesktopMap::desktopToPicture(const QRect &desktop) const
{
    const QPointF topLeft = nativeToPicture(desktop.topLeft());
    const QPointF bottomRight = nativeToPicture(QPointF(desktop.x() + desktop.width(), desktop.y() + desktop.height()));
    return QRect(topLeft.toPoint(), bottomRight.toPoint() - QPoint(1, 1));
}

int DesktopMap::screenFor(const QPointF &global) const
{
    // Screens side by side share an edge: a point on it belongs to the one it starts.
    for (int i = 0; i < m_screens.size(); ++i) {
        const QRect &g = m_screens.at(i).geometry;
        if (global.x() >= g.x() && global.x() < g.x() + g.width() && global.y() >= g.y()
            && global.y() < g.y() + g.height())
            return i;
    }
    int nearest = -1;
    qreal best = std::numeric_limits<qreal>::max();
    for (int i = 0; i < m_screens.size(); ++i) {
        const qreal d = distance(m_screens.at(i).geometry, global);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

QPointF DesktopMap::nativeToPicture(const QPointF &native) const
{
    return QPointF((native.x() - m_origin.x()) * m_scaleX, (native.y() - m_origin.y()) * m_scaleY);
}

QPointF DesktopMap::pictureToNative(const QPointF &picture) const
{
    return QPointF(picture.x() / m_scaleX + m_origin.x(), picture.y() / m_scaleY + m_origin.y());
}

} // namespace tarvello
