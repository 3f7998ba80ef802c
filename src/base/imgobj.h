#pragma once

#include <QPixmap>
#include <QString>
#include <QUrl>

class QNetworkReply;

namespace tarvello {

// Where an entry's upload stands. It only moves forward, and Handled is final.
namespace EntryState {
inline constexpr qint16 Waiting = 0;
inline constexpr qint16 Uploading = 1;
inline constexpr qint16 Handled = 2; // the reply gave a link or "failed"
} // namespace EntryState

} // namespace tarvello

// One queued image. Row i of the queue table always shows entry i of mw::objs. What the queue
// knows of it beyond these fields is its record (tarvello::EntryRecord).
struct imgobj
{
    qint16 state = tarvello::EntryState::Waiting;
    QString file;
    QPixmap prev;
    QUrl link;
    QString desc;
    QNetworkReply *reply = nullptr; // owned by the network access manager
    QPixmap pix;
    bool temp = false; // file is a PNG this program wrote itself
};
