#pragma once

#include <QStyledItemDelegate>

namespace tarvello {

// Item data role of the status cell that holds how much of an upload has been sent, 0 to 1.
// Absent when nothing is being sent.
inline constexpr int UploadProgressRole = Qt::UserRole + 1;

// Paints the status cell's text and how much of its upload has been sent, as a bar and a
// percentage, readable on selected and unselected rows in light and dark palettes.
class ProgressDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressDelegate)

public:
    explicit ProgressDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The share sent as a whole percentage, "42%", painted after the cell's text.
    static QString percentText(double sent);
};

} // namespace tarvello
