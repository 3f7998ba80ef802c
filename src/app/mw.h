#pragma once

#include <QVector>
#include <QWidget>

#include "app/imgobj.h"

class DropProgress;
class QCloseEvent;
class QMenu;
class QNetworkAccessManager;
class QSignalMapper;
class mwui;

// The uploader's one window: the queue of images, the upload of each, and every control.
class mw : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(mw)

public:
    explicit mw(QWidget *parent = nullptr);
    ~mw() override;

    const QVector<imgobj> &entries() const { return objs; }
    const imgobj *selected() const { return sel; }

public slots:
    // The order of these slots is part of the window's meta-object interface: keep it.
    void fin();
    void upload(const QString & = QStringLiteral(""), int = -1);
    void browse();
    void screens();
    void clipb();
    void cred(const QString &u, const QString &p);
    void addObj(const QString &file, bool is_c = false);
    void objhanlde(int);
    void handleclick(int, int);
    void handledclick(int, int);
    void uploadall();
    void uploaddrop(const QString &);
    void cw90();
    void ccw90();
    void rot180();
    void fliph();
    void flipv();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    int appendEntry(imgobj entry);
    void afterAppend();
    void setUpTableActions();
    QMenu *createContextMenu(int row);
    QStringList linksOfRows(const QList<int> &rows) const;
    void copyLinks(const QStringList &links) const;
    void uploadAgain(int row);
    void rotateSelected(qreal degrees);
    void mirrorSelected(Qt::Orientation orientation);
    void finishEdit(const QString &newFile);
    void startUpload(int row);

    QNetworkAccessManager *nam;
    QSignalMapper *mapper;
    QVector<imgobj> objs;
    imgobj *sel = nullptr;
    mwui *ui;
    DropProgress *m_dropProgress = nullptr;
};
