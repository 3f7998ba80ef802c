#pragma once

#include <memory>

#include <QMap>
#include <QVector>
#include <QWidget>

#include <memory>

#include "base/editqueue.h"
#include "base/imgobj.h"

class DropProgress;
class QCloseEvent;
class QFile;
class QMenu;
class QNetworkAccessManager;
class QNetworkReply;
class QSignalMapper;
class QTimer;
class mwui;

namespace tarvello {
class EditQueue;
class PreviewBudget;
class PreviewLoader;
class Uploader;
struct EditResult;
struct UploadOutcome;
}

// The uploader's one window: the queue of images, the upload of each, and every control.
//
// Files by the part of the window they hold: mw.cpp (building the window, closing it),
// mw_queue.cpp (entries, rows and adding images), mw_sources.cpp (Browse, Screenshot, Clipboard),
// mw_table.cpp (clicks, the context menu, copy and paste), mw_edit.cpp (rotate and flip),
// mw_upload.cpp (uploads and their answers), mw_keys.cpp (the keyboard), mw_status.cpp (the line
// under the table), mw_desktop.cpp (screenshots, what is kept between runs), mw_preview.cpp
// (previews and the selected entry's picture).
class mw : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(mw)

public:
    explicit mw(QWidget *parent = nullptr);
    ~mw() override;

    const QVector<imgobj> &entries() const { return objs; }
    const imgobj *selected() const { return sel; }
    // The last short message shown on the line under the table.
    const QString &lastNotice() const { return m_lastNotice; }

    // Restores the size and place, Auto Upload and the Browse folder of the last run, and keeps
    // them again when the window closes.
    void rememberDesktopState();

    // The table's columns.
    enum Column { FileColumn = 0, StatusColumn = 1, DescColumn = 2 };

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
    // What the window knows of an entry beyond the entry itself: how its upload ended and how
    // far it has gone.
    struct EntryView
    {
        QString name;    // the file name the entry was added with; edits keep showing it
        QString answer;  // the status text once handled: the host's answer or "failed"
        QString tooltip; // the whole link, or why it failed
        QUrl link;       // the link as it may be copied or opened; empty when there is none
        double progress = -1.0; // share of the body sent while uploading; -1 when none
        bool described = false; // the description was given, even as nothing
        QString problem; // why the file cannot be sent as an image; empty when it can
        bool removed = false; // hidden from the queue; the row keeps its number
        bool saving = false;    // an edit's new file is still being written
        bool noPreview = false; // the file was read for a preview and holds no image
    };

    // Entries and rows.
    int appendEntry(imgobj entry);
    void renderRow(int row);
    void selectEntry(int row);
    void makeCurrent(int row);
    bool isShown(int row) const { return row >= 0 && row < objs.size() && !m_views.at(row).removed; }
    void removeRows(QList<int> rows);

    // The line under the table: the queue's summary, or for a while a short message.
    void notify(const QString &text);
    void showSummary();
    QString queueSummary() const;
    void setUpStatusLine();
    void setStatusText(const QString &text);

    // The keyboard.
    void setUpKeys();
    void describe(int row);
    void popUpContextMenu(int row, const QPoint &viewportPos);

    // Uploads.
    void startUpload(int row);
    void uploadStarted(int row, QNetworkReply *reply);
    void uploadProgressed(int row, double sent);
    void uploadFinished(int row, const tarvello::UploadOutcome &outcome);
    struct Login
    {
        QString user;
        QString password;
    };
    Login currentLogin() const;
    void sendUpload(int row, const Login &login);
    void enqueueUpload(int row, const Login &login);
    bool mayCloseWhileUploading();
    void cancelUpload(int row);

    // The table's actions.
    void setUpTableActions();
    QMenu *createContextMenu(int row);
    QList<int> selectedRows() const;
    QStringList linksOfRows(const QList<int> &rows) const;
    void copyLinks(const QStringList &links);
    void uploadAgain(int row);

    // The desktop (mw_desktop.cpp): screenshots and what is kept between runs.
    void setUpForDesktop();
    void fitToScreen();
    struct PendingShot;
    void takeScreenshot();
    void grabWithoutWindow(const std::shared_ptr<PendingShot> &shot);
    void shootThroughPortal(const std::shared_ptr<PendingShot> &shot);
    void addScreenshot(const std::shared_ptr<PendingShot> &shot, const QImage &picture);
    void saveDesktopState() const;

    // Edits.
    void rotateSelected(qreal degrees);
    void mirrorSelected(Qt::Orientation orientation);
    void editSelected(tarvello::EditStep step);
    void editFinished(const tarvello::EditResult &result);

    // Previews and the selected entry's picture (mw_preview.cpp).
    void showPreview(int row);
    void requestPreview(int row);
    void previewLoaded(int row, const QString &file, const QImage &preview);
    void setPreview(int row, const QPixmap &preview, bool keep = false);
    void releasePicture();
    void finishSaves();
    void setUpImages();
    void addPicture(const QString &file, const QPixmap &picture, std::unique_ptr<QFile> target);

    QNetworkAccessManager *nam;
    QSignalMapper *mapper;
    QVector<imgobj> objs;
    imgobj *sel = nullptr;
    mwui *ui;
    QVector<EntryView> m_views; // m_views[i] belongs to objs[i]
    tarvello::Uploader *m_uploader = nullptr;
    DropProgress *m_dropProgress = nullptr;
    QString m_lastNotice;
    QString m_summary;
    QTimer *m_noticeTimer = nullptr;
    QString m_statusText; // the line's whole text, shown cut to its width
    bool m_summaryPending = false;
    bool m_movingCurrent = false; // the current row is being moved to follow sel
    QString m_browseFolder;      // where Browse opens; empty for the Pictures folder
    bool m_remembersDesktop = false;
    bool m_shooting = false;     // a screenshot is under way
    tarvello::PreviewLoader *m_previews = nullptr;
    std::unique_ptr<tarvello::PreviewBudget> m_previewBudget;
    tarvello::EditQueue *m_edits = nullptr;
    bool m_scrollPending = false;
    int m_wantedPreview = -1;   // the clicked row whose preview the label is waiting for
    // Rows whose upload waits for an edit to be written, with the login they were asked with.
    QMap<int, Login> m_waitingUploads;
    // What each file being written replaces in its entry, to go back to if it cannot be written.
    struct Replaced
    {
        QString file;
        bool temp = false;
    };
    QHash<QString, Replaced> m_replaced;
};
