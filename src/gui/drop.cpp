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

drop::drop(QWidget *parent)
    : QLabel(parent)
{
    setAcceptDrops(true);
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

    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        const QString path = url.toLocalFile();
        const QFileInfo info(path);
        if (path.isEmpty()) {
            continue;
        } else if (info.isFile()) {
            emit img(path);
        } else if (info.isDir()) {
            // A folder holds whatever the user keeps there; only its images are queued.
            tarvello::walkImages(path, [this](const QString &image) {
                emit img(image);
                return true;
            });
        }
    }
    event->accept();
}

void drop::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    // The area takes the keyboard focus in its turn (a key there opens Browse); show where it is.
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}
