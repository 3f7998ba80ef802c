#pragma once

#include <QLabel>

namespace tarvello {
class FolderWalker;
}

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QPaintEvent;

// The window's picture area and drop target: every dropped file, and every image inside a
// dropped folder, comes out as one img() with its local path, in the order dropped. Folders are
// walked off the window's thread, so img() for what follows a folder comes later, from the
// event loop.
class drop : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(drop)

public:
    explicit drop(QWidget *parent = nullptr);

    // What walks dropped folders; its signals tell when a walk starts and ends.
    tarvello::FolderWalker *walker() const { return m_walker; }
    // A drop still has files or folders to hand out.
    bool isBusy() const;
    // Hands out nothing more of the drops so far.
    void cancelDrops();
    // Hands out paths as a drop of them would, after what is still to come; a path that is no
    // folder comes out as it is, even when there is no such file, so that its row can say why.
    void addPaths(const QStringList &paths);

    // Room for a whole preview when there is room; on a short window the area gives way down to
    // a strip that still shows the picture, scaled.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void img(const QString &);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void handOut();

    tarvello::FolderWalker *m_walker;
    struct Pending
    {
        QString path;
        bool always = false; // handed out even when it is no regular file
    };
    QList<Pending> m_pending; // paths not handed out yet, in order
};
