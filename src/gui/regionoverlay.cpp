#include "gui/regionoverlay.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <QtMath>

namespace tarvello {

namespace {

const QColor dimming(0, 0, 0, 110);

// What a step of the arrow keys is, in picture pixels.
constexpr int fineStep = 1;
constexpr int coarseStep = 10;

QRectF outline(const QRectF &area, qreal width)
{
    // Inside the area, so that it shows even at the desktop's edges.
    const qreal inset = width / 2;
    return area.adjusted(inset, inset, -inset, -inset);
}

} // namespace

// One screen's part of the overlay: it draws and passes the input on; the overlay decides.
class OverlayScreen : public QWidget
{
public:
    OverlayScreen(RegionOverlay *overlay, int index, QScreen *screen)
        : index(index)
        , m_overlay(overlay)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setObjectName(QStringLiteral("regionOverlay%1").arg(index));
        // What a task switcher or a screen reader calls it.
        setWindowTitle(QCoreApplication::translate("mw", "Choose what to capture"));
        setCursor(Qt::CrossCursor);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setScreen(screen);
        setGeometry(screen->geometry());
    }

    const int index;
    bool wantsKeyboard = false;
    QRect painted; // what the last paint drew over the picture

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painted = m_overlay->paintScreen(index, painter, rect());
        // Keys must reach the overlay whatever window had the focus. X11 takes a keyboard grab
        // only once the window is on the screen, which its first paint proves; Wayland gives the
        // keyboard to the window it activates and allows no grab.
        if (wantsKeyboard) {
            wantsKeyboard = false;
            if (QGuiApplication::platformName() == QLatin1String("xcb"))
                grabKeyboard();
        }
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        m_overlay->pointerPressed(event->button(), event->globalPosition());
    }
    void mouseMoveEvent(QMouseEvent *event) override { m_overlay->pointerMoved(event->globalPosition()); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        m_overlay->pointerReleased(event->button(), event->globalPosition());
    }
    void keyPressEvent(QKeyEvent *event) override { m_overlay->keyPressed(event); }

private:
    RegionOverlay *m_overlay;
};

RegionOverlay::RegionOverlay(const QImage &desktop, QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_selection(desktop.rect())
{
    QList<ScreenPlace> places;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (QScreen *screen : screens)
        places.append({screen->geometry(), screen->devicePixelRatio()});
    m_map = DesktopMap(places, desktop.size());
}

RegionOverlay::~RegionOverlay()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_screenWatch))
        disconnect(connection);
    for (const QPointer<OverlayScreen> &screen : std::as_const(m_screens))
        delete screen.data();
}

void RegionOverlay::setWindows(const QList<QRect> &frames)
{
    m_windowMode = true;
    m_frames.clear();
    for (const QRect &frame : frames) {
        const QRect inside = m_map.desktopToPicture(frame) & m_desktop.rect();
        // Kept even when empty, so that indexes follow the stacking; an empty one holds no point.
        m_frames.append(inside);
    }
}

void RegionOverlay::start()
{
    if (!m_screens.isEmpty() || m_finished)
        return;
    const QList<QScreen *> screens = QGuiApplication::screens();
    // The picture was taken with these screens; any change makes it wrong.
    if (screens.size() != m_map.screenCount() || m_desktop.isNull()) {
        finish(false);
        return;
    }
    auto changed = [this] { finish(false); };
    m_screenWatch.append(connect(qGuiApp, &QGuiApplication::screenAdded, this, changed));
    m_screenWatch.append(connect(qGuiApp, &QGuiApplication::screenRemoved, this, changed));
    for (QScreen *screen : screens)
        m_screenWatch.append(connect(screen, &QScreen::geometryChanged, this, changed));

    QScreen *pointerScreen = QGuiApplication::screenAt(QCursor::pos());
    for (int i = 0; i < screens.size(); ++i) {
        auto *window = new OverlayScreen(this, i, screens.at(i));
        m_screens.append(window);
        window->showFullScreen();
        if (screens.at(i) == pointerScreen || (!pointerScreen && i == 0)) {
            window->wantsKeyboard = true;
            window->activateWindow();
            window->setFocus();
        }
    }
    pointerMoved(QCursor::pos());
}

void RegionOverlay::cancel()
{
    finish(false);
}

QRect RegionOverlay::selection() const
{
    if (!m_windowMode)
        return m_selection.area();
    return m_hovered >= 0 ? m_frames.at(m_hovered) : QRect();
}

QList<QWidget *> RegionOverlay::windows() const
{
    QList<QWidget *> result;
    for (const QPointer<OverlayScreen> &screen : m_screens)
        result.append(screen.data());
    return result;
}

void RegionOverlay::pointerPressed(Qt::MouseButton button, const QPointF &global)
{
    if (m_finished)
        return;
    if (button == Qt::RightButton) {
        finish(false);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    pointerMoved(global);
    if (!m_windowMode)
        m_selection.press(m_map.toPicture(global));
    refresh();
}

void RegionOverlay::pointerMoved(const QPointF &global)
{
    if (m_finished)
        return;
    m_pointer = global;
    m_pointerKnown = true;
    const QPointF point = m_map.toPicture(global);
    if (m_windowMode)
        m_hovered = windowAt(m_frames, QPoint(qFloor(point.x()), qFloor(point.y())));
    else
        m_selection.drag(point);
    refresh();
}

void RegionOverlay::pointerReleased(Qt::MouseButton button, const QPointF &global)
{
    if (m_finished || button != Qt::LeftButton)
        return;
    pointerMoved(global);
    if (m_windowMode) {
        accept();
        return;
    }
    m_selection.release(m_map.toPicture(global));
    refresh();
}

void RegionOverlay::keyPressed(QKeyEvent *event)
{
    if (m_finished)
        return;
    const int step = event->modifiers().testFlag(Qt::ControlModifier) ? coarseStep : fineStep;
    const bool resize = event->modifiers().testFlag(Qt::ShiftModifier);
    switch (event->key()) {
    case Qt::Key_Escape:
        finish(false);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    case Qt::Key_Left:
        m_selection.nudge(-step, 0, resize);
        break;
    case Qt::Key_Right:
        m_selection.nudge(step, 0, resize);
        break;
    case Qt::Key_Up:
        m_selection.nudge(0, -step, resize);
        break;
    case Qt::Key_Down:
        m_selection.nudge(0, step, resize);
        break;
    default:
        event->ignore();
        return;
    }
    refresh();
}

void RegionOverlay::accept()
{
    // An empty rectangle, or a click where there is no window, is no choice: the user goes on.
    if (!selection().isEmpty())
        finish(true);
}

void RegionOverlay::finish(bool accepted)
{
    if (m_finished)
        return;
    m_finished = true;
    for (const QMetaObject::Connection &connection : std::as_const(m_screenWatch))
        disconnect(connection);
    m_screenWatch.clear();
    // Gone from the screens before anyone hears of it, so that a capture right after does not
    // see the overlay. deleteLater: this may run inside one of these windows' own events.
    for (const QPointer<OverlayScreen> &screen : std::as_const(m_screens)) {
        if (screen) {
            screen->releaseKeyboard();
            screen->hide();
            screen->deleteLater();
        }
    }
    const QRect area = selection();
    QMetaObject::invokeMethod(this, [this, accepted, area] {
        if (accepted)
            emit selected(area, cutFromPicture(m_desktop, area));
        else
            emit cancelled();
    }, Qt::QueuedConnection);
}

void RegionOverlay::refresh()
{
    // Only what changed is painted again: a full 4K screen takes longer than a frame.
    for (const QPointer<OverlayScreen> &screen : std::as_const(m_screens)) {
        if (screen)
            screen->update(screen->painted | decorOf(screen->index, screen->font(), screen->rect()).extent());
    }
}

RegionOverlay::Decor RegionOverlay::decorOf(int screen, const QFont &font, const QRect &bounds) const
{
    Decor decor;
    const QRect chosen = selection();
    if (chosen.isEmpty())
        return decor;
    decor.area = m_map.toScreen(screen, QRectF(chosen));
    // The size, beside the pointer on the screen it is on.
    const QList<QScreen *> screens = QGuiApplication::screens();
    const QScreen *pointerScreen = m_pointerKnown ? QGuiApplication::screenAt(m_pointer.toPoint()) : nullptr;
    if (!pointerScreen || screens.indexOf(const_cast<QScreen *>(pointerScreen)) != screen)
        return decor;
    decor.size = QCoreApplication::translate("mw", "%1 × %2").arg(chosen.width()).arg(chosen.height());
    decor.label = QFontMetrics(font).boundingRect(decor.size).adjusted(-6, -3, 6, 3);
    const QPoint cursor = (m_pointer - QPointF(pointerScreen->geometry().topLeft())).toPoint();
    decor.label.moveTopLeft(cursor + QPoint(16, 16));
    // Kept on the screen near its right and bottom edges.
    if (decor.label.right() > bounds.right())
        decor.label.moveRight(cursor.x() - 8);
    if (decor.label.bottom() > bounds.bottom())
        decor.label.moveBottom(cursor.y() - 8);
    return decor;
}

QRect RegionOverlay::Decor::extent() const
{
    return (area.isEmpty() ? QRect() : area.toAlignedRect().adjusted(-2, -2, 2, 2)) | label;
}

QRect RegionOverlay::paintScreen(int screen, QPainter &painter, const QRect &bounds) const
{
    painter.drawImage(QRectF(bounds), m_desktop, m_map.pictureArea(screen));
    const Decor decor = decorOf(screen, painter.font(), bounds);
    QRegion dimmed(bounds);
    if (!decor.area.isEmpty())
        dimmed -= QRegion(decor.area.toAlignedRect());
    painter.save();
    painter.setClipRegion(dimmed, Qt::IntersectClip);
    painter.fillRect(bounds, dimming);
    painter.restore();

    if (!decor.area.isEmpty()) {
        // A window under the pointer must stand out from its own border; a region needs precision.
        const qreal width = m_windowMode ? 3 : 1;
        QPen pen(QGuiApplication::palette().color(QPalette::Highlight), width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outline(decor.area, width));
    }
    if (!decor.label.isEmpty()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 190));
        painter.drawRoundedRect(decor.label, 3, 3);
        painter.setPen(Qt::white);
        painter.drawText(decor.label, Qt::AlignCenter, decor.size);
    }
    return decor.extent();
}

} // namespace tarvello
