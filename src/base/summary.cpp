#include "base/summary.h"

#include <QCoreApplication>
#include <QPalette>
#include <QStringList>

#include "base/imgobj.h"

namespace tarvello {

void QueueCounts::count(const imgobj &entry)
{
    switch (entry.state) {
    case EntryState::Waiting:
        ++waiting;
        break;
    case EntryState::Uploading:
        ++uploading;
        break;
    default:
        ++(entry.hasLink() ? uploaded : failed);
        break;
    }
}

QString queueSummary(const QueueCounts &counts)
{
    QStringList parts;
    if (counts.uploaded > 0)
        parts.append(QCoreApplication::translate("mw", "%1 uploaded").arg(counts.uploaded));
    if (counts.failed > 0)
        parts.append(QCoreApplication::translate("mw", "%1 failed").arg(counts.failed));
    if (counts.uploading > 0)
        parts.append(QCoreApplication::translate("mw", "%1 uploading").arg(counts.uploading));
    if (counts.waiting > 0)
        parts.append(QCoreApplication::translate("mw", "%1 waiting").arg(counts.waiting));
    return parts.join(QLatin1String(", "));
}

QColor errorColour(const QPalette &palette)
{
    return palette.color(QPalette::Base).lightness() < 128 ? QColor(255, 115, 115) : QColor(190, 0, 0);
}

} // namespace tarvello
