#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QSize>
#include <QString>

namespace tarvello {

// One handled upload as the history keeps it: a link, or the reason there is none. It holds
// nothing secret: no password, no header, no address with a login in it.
struct HistoryRecord
{
    qint64 id = 0; // given by the store; 0 for a record not stored yet
    QDateTime time; // when the upload was handled
    QString fileName;
    QString filePath; // for "upload again"; the file may be gone by now
    qint64 fileSize = -1;
    QSize imageSize;
    QString destination;
    QString link;
    QString thumbnailLink;
    QString deletionLink;
    QString description;
    QString failure; // why the upload failed, as the window showed it; empty when it gave a link
    QByteArray thumbnail; // a small JPEG or PNG; read separately (HistoryStore::thumbnail)

    bool hasLink() const { return failure.isEmpty() && !link.isEmpty(); }
};

} // namespace tarvello

Q_DECLARE_METATYPE(tarvello::HistoryRecord)
