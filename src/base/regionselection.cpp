#include "base/regionselection.h"

#include <QtMath>

namespace tarvello {

namespace {

QPoint pixelCorner(const QPointF &point, const QRect &bounds)
{
    // Corners lie between pixels, so the far edge (x + width) is a corner too.
    return QPoint(qBound(bounds.left(), qRound(point.x()), bounds.left() + bounds.width()),
                  qBound(bounds.top(), qRound(point.y()), bounds.top() + bounds.height()));
}

} // namespace

RegionSelection::RegionSelection(const QRect &bounds)
    : m_bounds(bounds)
{
}

void RegionSelection::press(const QPointF &point)
{
    m_anchor = pixelCorner(point, m_bounds);
    m_area = QRect();
    m_dragging = true;
}

void RegionSelection::drag(const QPointF &point)
{
    if (m_dragging)
        span(point);
}

void RegionSelection::release(const QPointF &point)
{
    if (!m_dragging)
        return;
    span(point);
    m_dragging = false;
}

void RegionSelection::span(const QPointF &point)
{
    const QPoint corner = pixelCorner(point, m_bounds);
    m_area = QRect(QPoint(qMin(m_anchor.x(), corner.x()), qMin(m_anchor.y(), corner.y())),
                   QSize(qAbs(corner.x() - m_anchor.x()), qAbs(corner.y() - m_anchor.y())));
    if (m_area.isEmpty())
        m_area = QRect();
}

void RegionSelection::nudge(int dx, int dy, bool resize)
{
    if (m_dragging || m_area.isEmpty())
        return;
    const int right = m_bounds.left() + m_bounds.width();
    const int bottom = m_bounds.top() + m_bounds.height();
    if (resize) {
        m_area.setWidth(qBound(1, m_area.width() + dx, right - m_area.left()));
        m_area.setHeight(qBound(1, m_area.height() + dy, bottom - m_area.top()));
        return;
    }
    m_area.moveLeft(qBound(m_bounds.left(), m_area.left() + dx, right - m_area.width()));
    m_area.moveTop(qBound(m_bounds.top(), m_area.top() + dy, bottom - m_area.height()));
}

int windowAt(const QList<QRect> &frames, const QPoint &point)
{
    for (int i = int(frames.size()) - 1; i >= 0; --i) {
        if (frames.at(i).contains(point))
            return i;
    }
    return -1;
}

QImage cutFromPicture(const QImage &picture, const QRect &area)
{
    const QRect inside = area.normalized() & picture.rect();
    if (inside.isEmpty())
        return QImage();
    return picture.copy(inside);
}

} // namespace tarvello
