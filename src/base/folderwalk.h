#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include "base/regularfile.h"

#include <atomic>
#include <functional>
#include <memory>

namespace tarvello {

// An image a walk accepted, and the very file it looked at: only that one may be sent.
struct WalkedFile
{
    QString path;
    FileIdentity identity;
};

// Calls `visit` with every image file below `folder`, until it returns false, or until `goOn`
// (asked before every entry of the folder, images or not) does. A folder's files come first, in
// the order a file manager shows them (natural, "img2" before "img10", case aside), then its
// subfolders, in the same order, each walked the same way. Links are followed only while they
// lead to a place inside the folder, so a link in a dropped folder cannot hand out a file from
// elsewhere; other files are passed over, and so is a file that is no longer the one listed
// when it is opened. Returns how many names in the folders walked are not UTF-8: those files and
// folders cannot be named, so they are left out.
int walkImages(const QString &folder, const std::function<bool(const WalkedFile &)> &visit,
               const std::function<bool()> &goOn = {});

// Walks one folder at a time for its images (walkImages) on a worker thread, so that a large
// or slow folder never holds up the window, and hands what it finds back in small batches, in
// the order found, on the thread the walker lives in.
class FolderWalker : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderWalker)

public:
    explicit FolderWalker(QObject *parent = nullptr);
    // Stops a walk under way and waits for its thread.
    ~FolderWalker() override;

    // Starts walking `folder`; a walk already under way is cancelled first.
    void walk(const QString &folder);
    // Stops the walk: nothing more is found, and finished() comes at once.
    void cancel();
    bool isWalking() const { return m_walking; }

signals:
    void started();
    // Right before found(), with the same files: the identity each was checked with, which is
    // the only file that may be sent under its name (UploadQueue::expectChecked).
    void checked(const QList<tarvello::WalkedFile> &images);
    void found(const QStringList &images);
    // Before finished(), when the walk left out names that are not UTF-8.
    void namesLeftOut(int count);
    void finished();

private:
    void deliver(quint64 walk, const QList<WalkedFile> &images, bool last, int leftOut = 0);

    QThreadPool m_pool;
    std::shared_ptr<std::atomic<quint64>> m_current; // the walk whose results are wanted
    quint64 m_walks = 0;
    bool m_walking = false;
};

} // namespace tarvello
