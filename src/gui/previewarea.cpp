#include "gui/previewarea.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>

#include "base/uploadqueue.h"

namespace tarvello {

namespace {

QString bannerName()
{
    return QCoreApplication::translate("mw", "Drop images here");
}

} // namespace

PreviewArea::PreviewArea(QLabel *label, UploadQueue *queue, QObject *parent)
    : QObject(parent)
    , m_label(label)
    , m_queue(queue)
{
    m_label->setAccessibleName(bannerName());
    connect(queue, &UploadQueue::previewChanged, this, &PreviewArea::previewChanged);
}

void PreviewArea::show(int row)
{
    m_row = row;
    // Until it is decoded the area stays empty rather than showing another entry's picture.
    m_label->setPixmap(m_queue->wantPreview(row) ? m_queue->entries().at(row).prev : QPixmap());
    m_label->setAccessibleName(QCoreApplication::translate("mw", "Picture of %1").arg(m_queue->record(row).name));
    showTooLarge(row);
}

void PreviewArea::showTooLarge(int row)
{
    if (m_queue->record(row).tooLargeToPreview.isValid())
        m_label->setText(QCoreApplication::translate("mw", "Too large to preview"));
}

void PreviewArea::showBanner()
{
    m_row = -1;
    m_label->setAccessibleName(bannerName());
    // QIcon, unlike QPixmap, takes the @2x drawing on a scaled screen.
    const QString banner = QStringLiteral(":/tarvello/zor.png");
    m_label->setPixmap(QIcon(banner).pixmap(QPixmap(banner).size(), m_label->devicePixelRatioF()));
}

void PreviewArea::previewChanged(int row)
{
    if (row != m_row)
        return;
    if (!m_queue->entries().at(row).prev.isNull())
        m_label->setPixmap(m_queue->entries().at(row).prev);
    showTooLarge(row);
}

} // namespace tarvello
