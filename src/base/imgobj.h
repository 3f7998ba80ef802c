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

// One queued image. Row i of the queue table always shows entry i of mw::objs.
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

    // The reply gave a link (a failed entry's text is the word "failed"). Whether the link may
    // leave the program is the window's to say: it checks the link for more than its scheme.
    bool hasLink() const
    {
        return state == tarvello::EntryState::Handled
                && (link.scheme() == QLatin1String("http") || link.scheme() == QLatin1String("https"));
    }
};
