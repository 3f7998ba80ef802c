#include "gui/drop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QUrl>

#include "base/folderwalk.h"
#include "base/image.h"

namespace {

// The smallest picture area: the banner's height and a little air, or a preview a third of its
// full height.
constexpr QSize smallestArea(160, 64);

} // namespace

drop::drop(QWidget *parent)
    : QLabel(parent)
    , m_walker(new tarvello::FolderWalker(this))
{
    setAcceptDrops(true);
    connect(m_walker, &tarvello::FolderWalker::found, this, [this](const QStringList &images) {
        for (const QString &image : images)
            emit img(image);
    });
    connect(m_walker, &tarvello::FolderWalker::finished, this, &drop::handOut, Qt::QueuedConnection);
}

bool drop::isBusy() const
{
    return m_walker->isWalking() || !m_pending.isEmpty();
}

void drop::cancelDrops()
{
    m_pending.clear();
    m_walker->cancel();
}

void drop::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void drop::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void drop::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!data->hasUrls())
        return;

    for (const QUrl &url : data->urls()) {
        if (const QString path = url.toLocalFile(); !path.isEmpty())
            m_pending.append({path, false});
    }
    event->accept();
    handOut();
}

void drop::addPaths(const QStringList &paths)
{
    for (const QString &path : paths)
        m_pending.append({path, true});
    handOut();
}

void drop::handOut()
{
    // Files go out at once, up to the next folder; the rest follows when its walk is done.
    while (!m_pending.isEmpty() && !m_walker->isWalking()) {
        const Pending next = m_pending.takeFirst();
        const QFileInfo info(next.path);
        if (info.isDir()) {
            // A folder holds whatever the user keeps there; only its images are queued.
            m_walker->walk(next.path);
        } else if (info.isFile() || next.always) {
            emit img(next.path);
        }
    }
}

QSize drop::sizeHint() const
{
    return tarvello::previewBox;
}

QSize drop::minimumSizeHint() const
{
    return smallestArea;
}

void drop::paintEvent(QPaintEvent *event)
{
    const QPixmap shown = pixmap();
    const QRect room = contentsRect();
    const QSize natural = (QSizeF(shown.size()) / shown.devicePixelRatio()).toSize();
    if (!shown.isNull() && (natural.width() > room.width() || natural.height() > room.height())) {
        // Scaled down, never up, so a small picture keeps its pixels sharp.
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize fitted = natural.scaled(room.size(), Qt::KeepAspectRatio);
        painter.drawPixmap(QRect(QPoint(), fitted).translated(room.center() - QRect(QPoint(), fitted).center()), shown);
    } else {
        QLabel::paintEvent(event);
    }
    // The area takes the keyboard focus in its turn (a key there opens Browse); show where it is.
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
