#include "gui/progressdelegate.h"

#include <QPainter>

namespace tarvello {

ProgressDelegate::ProgressDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void ProgressDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant progress = index.data(UploadProgressRole);
    if (progress.isValid()) {
        const qreal done = qBound(0.0, progress.toReal(), 1.0);
        QRect bar = option.rect.adjusted(1, 1, -1, -1);
        bar.setWidth(qRound(bar.width() * done));
        QColor fill = option.palette.color(QPalette::Highlight);
        fill.setAlpha(70);
        painter->fillRect(bar, fill);
    }
    QStyledItemDelegate::paint(painter, option, index);
}

} // namespace tarvello
