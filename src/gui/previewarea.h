#pragma once

#include <QObject>

class QLabel;

namespace tarvello {

class UploadQueue;

// The picture area: the banner, or the picture of one entry, shown as soon as its preview is
// there and again whenever an edit gives it a new one.
class PreviewArea : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewArea)

public:
    PreviewArea(QLabel *label, UploadQueue *queue, QObject *parent = nullptr);

    void show(int row);
    void showBanner();
    // The entry whose picture is shown, or -1 for the banner.
    int shownRow() const { return m_row; }

private:
    void previewChanged(int row);
    void showTooLarge(int row);

    QLabel *m_label;
    UploadQueue *m_queue;
    int m_row = -1;
};

} // namespace tarvello
