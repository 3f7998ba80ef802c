#include "gui/drop.h"

#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

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
            QDirIterator it(path, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString entry = it.next();
                if (it.fileInfo().isFile())
                    emit img(entry);
            }
        }
    }
    event->accept();
}
