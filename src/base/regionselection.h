#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointF>
#include <QRect>

namespace tarvello {

// The rectangle the user is choosing on a frozen picture of the desktop, in the picture's pixels,
// whatever screen or scale the pointer is on. A press starts over, a drag spans the rectangle
// between the press and the pointer, and the keyboard moves or resizes it afterwards. It never
// leaves the picture.
class RegionSelection
{
public:
    explicit RegionSelection(const QRect &bounds = QRect());

    void press(const QPointF &point);
    void drag(const QPointF &point);
    void release(const QPointF &point);
    bool isDragging() const { return m_dragging; }

    // What is chosen; empty while nothing is (a click without a drag chooses nothing).
    QRect area() const { return m_area; }
    bool hasArea() const { return !m_area.isEmpty(); }

    // Moves the rectangle by (dx, dy) pixels, stopping at the picture's edges; with `resize` the
    // bottom-right corner moves instead, down to one pixel. Nothing happens while nothing is
    // chosen or while the mouse is dragging.
    void nudge(int dx, int dy, bool resize);

private:
    void span(const QPointF &point);

    QRect m_bounds;
    QPoint m_anchor;
    QRect m_area;
    bool m_dragging = false;
};

// The topmost of `frames` (bottom to top, as the desktop stacks them) holding `point`, or -1.
int windowAt(const QList<QRect> &frames, const QPoint &point);

// The part of `picture` inside `area`, clipped to the picture; a null image when nothing of it is
// inside. The copy is the picture's own pixels, at whatever scale the screens had.
QImage cutFromPicture(const QImage &picture, const QRect &area);

} // namespace tarvello
