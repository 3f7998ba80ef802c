#pragma once

#include <QVector>
#include <QWidget>

#include <memory>
#include <optional>

#include "base/editqueue.h"
#include "base/imgobj.h"
#include "base/preferences.h"
#include "gui/screenshooter.h"

class DropProgress;
class QAction;
class QCloseEvent;
class QMenu;
class QNetworkAccessManager;
class QSignalMapper;
class mwui;

namespace tarvello {
class CaptureActions;
class DesktopNotifier;
class DestinationChooser;
class DestinationStore;
class HistoryStore;
class PreviewArea;
class ReservedPng;
class RowBinder;
class Screenshooter;
class StatusLine;
class TrayIcon;
class UploadQueue;
struct QueueNotice;
struct Target;
}

// The uploader's one window. It draws the queue and asks it: every rule about the entries (adding,
// uploading, editing, removing, what an answer means) belongs to the queue object, which tells
// the window what changed. mw.cpp builds the window, holds its slots and closes it; mw_table.cpp
// is the table's input (clicks, keys, the row menu, copying links); mw_desktop.cpp fits the window
// to the screen and keeps its state between runs; mw_history.cpp records uploads in the history
// and tells when a batch of them is done. Rows are drawn by the row binder, the picture
// by the picture area, the line under the table by the status line, screenshots are taken by the
// screenshooter.
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
    const QString &lastNotice() const;

    // Restores the size and place, Auto Upload and the Browse folder of the last run, and keeps
    // them again when the window closes.
    void rememberDesktopState();
    // Queues what the command line names: files as they are, folders walked for their images as
    // dropped ones are, all in order.
    void addPaths(const QStringList &paths);

    // Keeps every upload of this window in `history` from now on, and opens it from the menu.
    // The store outlives the window.
    void setHistory(tarvello::HistoryStore *history);
    // Captures and the tray (mw_desktop.cpp). A capture asked for while another runs, or one the
    // desktop cannot take, is refused, and the window says why.
    tarvello::Screenshooter::Start capture(const tarvello::CaptureRequest &request);
    tarvello::Screenshooter *screenshooter() const { return m_shooter; }
    tarvello::CaptureActions *captureActions() const { return m_captures; }
    // Null while the tray icon is off.
    tarvello::TrayIcon *trayIcon() const { return m_tray; }
    // Shown, in front and with the keyboard: asked for from the tray or by a second process.
    void bringToFront();

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
    // What the queue tells.
    void entryAdded(int row);
    void entryChanged(int row);
    void noticed(const tarvello::QueueNotice &notice);

    // Where an upload asked for now goes: the chosen destination, with the login of the moment;
    // with Auto Upload on, where new entries go.
    tarvello::Target target() const;
    std::optional<tarvello::Target> autoUpload() const;
    void setUpDestinations();

    // The selected entry: the table's current row, `sel` and the picture shown follow each other.
    int selectedRow() const;
    void selectEntry(int row);
    void makeCurrent(int row);
    void editSelected(tarvello::EditStep step);
    void setEditsEnabled(bool enabled);
    void removeRows(const QList<int> &rows);
    // Moves the selection off the removed rows: to the next row still shown, as in a list.
    void followRemoval(const QList<int> &rows);
    void pictureTaken(const std::shared_ptr<tarvello::ReservedPng> &file, const QImage &picture);

    // The table's input (mw_table.cpp).
    void setUpTable();
    void describe(int row);
    void popUpContextMenu(int row, const QPoint &viewportPos);
    QMenu *createContextMenu(int row);
    QList<int> selectedRows() const;
    QStringList linksOfRows(const QList<int> &rows) const;
    void copyLinks(const QStringList &links);

    // The desktop (mw_desktop.cpp).
    void setUpForDesktop();
    void fitToScreen();
    void arrange();
    void orderFocus();
    int queueRowsFirst() const;
    void saveDesktopState() const;

    bool mayCloseWhileUploading();

    // The history, the links on the clipboard and the word at the end of a batch (mw_history.cpp).
    void setUpHistory();
    void showHistory();
    void batchFinished(const QList<int> &rows);
    void tellBatchDone(int uploaded, int failed, bool linksCopied);
    // Captures and the tray (mw_desktop.cpp).
    void setUpCaptures();
    void setTrayIconShown(bool shown);
    // With the tray icon on, closing may leave the program running there (asked the first time).
    bool keepsRunningInTray();
    void quitFromTray();

    QNetworkAccessManager *nam;
    QSignalMapper *mapper;
    QVector<imgobj> objs;
    imgobj *sel = nullptr;
    mwui *ui;

    tarvello::UploadQueue *m_queue;
    std::unique_ptr<tarvello::RowBinder> m_rows;
    tarvello::PreviewArea *m_picture;
    tarvello::StatusLine *m_status;
    tarvello::Screenshooter *m_shooter;
    tarvello::DestinationStore *m_destinations;
    tarvello::DestinationChooser *m_chooser;
    QMenu *m_menu;                 // the window's menu, beside the destination
    DropProgress *m_dropProgress;
    tarvello::CaptureActions *m_captures = nullptr;
    tarvello::TrayIcon *m_tray = nullptr;
    tarvello::TrayPreferences m_trayPreferences;
    bool m_quitting = false;       // Quit from the tray: closing ends the program
    QString m_browseFolder;        // where Browse opens; empty for the Pictures folder
    bool m_remembersDesktop = false;
    bool m_wide = false;           // the queue beside the picture rather than under it
    bool m_movingCurrent = false;  // the current row is being moved to follow sel
    bool m_followPending = false;  // the current row follows new rows once per batch

    tarvello::HistoryStore *m_history = nullptr;
    QAction *m_historyAction;
    QAction *m_copyLinks;          // new links go to the clipboard
    tarvello::DesktopNotifier *m_notifier = nullptr; // made at the first word
};
