#pragma once

#include <QPixmap>
#include <QString>
#include <QUrl>

class QNetworkReply;

// One queued image. Row i of the queue table always shows entry i of mw::objs.
struct imgobj
{
    // 0 waiting, 1 uploading, 2 reply handled; it only grows and 2 is final.
    qint16 state = 0;
    QString file;
    QPixmap prev;
    QUrl link;
    QString desc;
    QNetworkReply *reply = nullptr; // owned by the network access manager
    QPixmap pix;
    bool temp = false; // file is a PNG this program wrote itself

    // The reply gave a link. A failed entry's link is the word "failed", which handed to the
    // desktop could open a local file of that name.
    bool hasLink() const { return state == 2 && link.scheme() == QLatin1String("http"); }
};
