#pragma once

#include <QLabel>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QPaintEvent;

// The window's picture area and drop target: every dropped file, and every file inside a
// dropped folder, comes out as one img() with its local path.
class drop : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(drop)

public:
    explicit drop(QWidget *parent = nullptr);

signals:
    void img(const QString &);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
