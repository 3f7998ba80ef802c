#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

#include "base/destination.h"
#include "base/editqueue.h"
#include "base/uploadtemplate.h"
#include "base/fileproblem.h"
#include "base/folderwalk.h"
#include "base/regularfile.h"
#include "base/image.h"
#include "base/imagedamage.h"
#include "base/imgobj.h"
#include "base/uploadresult.h"

class QNetworkAccessManager;
class QSignalMapper;

namespace tarvello {

class PreviewBudget;
class PreviewLoader;
class ReservedPng;
class Uploader;

// The login an upload to the built-in host goes out with: the one of the moment it was asked for.
struct Login
{
    QString user;
    QString password;
};

// Where an upload goes, as it was when the upload was asked for.
struct Target
{
    Destination destination = Destination::builtInDestination();
    Login login; // for the built-in host
};

// What the queue knows of an entry beyond the entry itself.
struct EntryRecord
{
    // An edit whose file is still being written, and what the entry named before it.
    struct PendingEdit
    {
        QString file;
        QString previousFile; // empty for a picture that had no file before (a paste)
        bool previousTemp = false;
    };

    QString name;                    // the file name the entry was added with; edits keep it
    UploadResult result;             // how its upload ended, once handled
    double progress = -1.0;          // share of the body sent while on the wire; -1 when not
    bool described = false;          // a description was given, even an empty one
    FileProblem problem = FileProblem::None;
    bool removed = false;            // taken out of the queue; its row keeps its number
    FileIdentity identity;           // the file it named when added or written: only that one is sent
    QSize tooLargeToPreview;         // the picture's size, when it has no preview for being so large
    ImageDamage damage = ImageDamage::None; // found when its preview was made; it can still be sent
    Destination destination;         // where its upload goes or went, once started
    bool waiting = false;            // the upload waits for an edit to be written
    Login login;                     // the login it waits with
    QList<PendingEdit> edits;        // oldest first

    bool saving() const { return !edits.isEmpty(); }
};

// How many entries stand where; removed entries are not counted.
struct QueueCounts
{
    int uploaded = 0;
    int failed = 0;
    int uploading = 0;
    int waiting = 0;
    int unusable = 0; // waiting, with a file that cannot be sent
    int damaged = 0;  // of those waiting, the damaged images (which can still be sent)
};

// What the queue has to tell that no row shows by itself.
struct QueueNotice
{
    enum class Kind {
        CannotBeUsed,    // the entry's file cannot be sent: its record says why
        NothingToEdit,   // the entry's file holds no picture to turn or flip
        EditNotSaved,    // an edited picture could not be written
        PictureNotSaved, // an added picture could not be written; its entry is taken away
    };
    Kind kind;
    int row = -1;
};

// The queue of images and every rule about it: what adding, uploading, editing and removing an
// entry do, how an upload ends, and what may happen to an entry at which moment. It keeps one
// record per entry beside the entries themselves (which it is given, and alone changes), drives
// the uploads, the edits and the previews, and signals each change; the window only draws and
// asks. Rows are entries' indexes; entries are only ever appended.
class UploadQueue : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UploadQueue)

public:
    // Every finished reply is mapped to its row through `mapper`, whose owner hands the row back
    // to replyFinished(); without one, the queue maps them itself. Without an uploader, one of
    // its own sends through `manager`.
    UploadQueue(QVector<imgobj> &entries, QNetworkAccessManager *manager, QSignalMapper *mapper = nullptr,
                Uploader *uploader = nullptr, QObject *parent = nullptr);
    ~UploadQueue() override;

    const QVector<imgobj> &entries() const { return m_entries; }
    const EntryRecord &record(int row) const { return m_records.at(row); }
    bool isShown(int row) const { return row >= 0 && row < m_records.size() && !m_records.at(row).removed; }
    QueueCounts counts() const;
    // Uploads queued, on the wire, or waiting for their file to be written.
    int pendingUploads() const;
    // Whether the entry's upload has ended with a link.
    bool isLinked(int row) const { return isShown(row) && m_records.at(row).result.linked(); }

    // Adds a file, with a description when one is given. With a target for Auto Upload, its
    // upload starts at once. Only the file the name leads to now is ever sent, or, for a path a
    // folder's walk handed over (expectChecked), the file the walk looked at, whatever the name
    // leads to by now. Returns the row, or -1 once the queue is closed.
    int add(const QString &file, bool temp, const std::optional<Target> &autoUpload = std::nullopt,
            const QString &description = QString());
    // The next add() of each of these paths is of the file a walk checked: the window adds by
    // path alone.
    void expectChecked(const QList<WalkedFile> &files);
    // Adds a picture the program made itself (a screenshot, a paste) whose PNG `target` is still
    // to be written, on a worker; or, when `target` is already written, names that file. An entry
    // whose picture cannot be written is taken away again.
    int addPicture(const QImage &picture, const std::shared_ptr<ReservedPng> &target,
                   const std::optional<Target> &autoUpload = std::nullopt);
    // A new entry for the file of `row`, with its description, sent at once. A failed entry sent
    // again gives way to the new one: it is taken out of the queue, as a removed one is, so that
    // what the queue counts is what stands now.
    int uploadAgain(int row, const Target &target);
    // Sends every failed entry again (uploadAgain). Returns how many went.
    int retryFailed(const Target &target);

    // The one start of every upload: a waiting, shown entry goes out to `target`, or, while its
    // file is being written, once it is complete. Returns whether it started.
    bool start(int row, const Target &target);
    // Starts every waiting entry whose file can be used.
    void startAll(const Target &target);
    // Asks a custom destination's questions before its request is sent; without an asker they
    // go unanswered, and such uploads fail with the reason.
    void setAsker(const Asker &asker) { m_asker = asker; }
    // Without a window to show them, previews are not made.
    void setPreviews(bool make) { m_makePreviews = make; }
    // The row's reply has finished (through the mapper).
    void replyFinished(int row);

    // Turns or mirrors the entry's picture into a new file of its own that the entry then names;
    // the file it named before is left as it is.
    void edit(int row, EditStep step);
    // Gives a waiting entry its description.
    void describe(int row, const QString &text);
    // Takes entries out of the queue; an upload under way stops.
    void remove(const QList<int> &rows);

    // The entry's preview is wanted now: true when it is there; otherwise it is decoded before any
    // other, and previewChanged() tells when it has come.
    bool wantPreview(int row);

    // Closing: nothing is added, started or edited any more, and uploads still queued or running
    // end as stopped.
    void close();
    // Lets the edits under way end, before returning; those not started yet are dropped.
    void finishSaves();

signals:
    void entryAdded(int row);
    void entryChanged(int row);
    // The entry's preview (or its picture) is new.
    void previewChanged(int row);
    void notice(const tarvello::QueueNotice &notice);
    // The entry's upload has ended; its record holds the result.
    void handled(int row);
    // A batch has ended: the uploads that ran together, from the first one started while none
    // was under way until none is left (queued, on the wire or waiting for its file). `rows` are
    // the entries handled in it, in row order, whatever their outcome.
    void batchFinished(const QList<int> &rows);

private:
    int append(imgobj entry, EntryRecord record);
    void send(int row);
    void finish(int row, const UploadResult &result);
    void cancel(int row);
    void cancelled(int row);
    void uploadStarted(int row, QNetworkReply *reply);
    void uploadProgressed(int row, double sent);
    void editFinished(const EditResult &result);
    void previewLoaded(int row, const QString &file, const PreviewImage &preview);
    void setPreview(int row, const QPixmap &preview);
    void requestPreview(int row);
    bool isWriting(int row) const;
    void endBatchWhenIdle();

    QVector<imgobj> &m_entries;
    QList<EntryRecord> m_records; // m_records[i] belongs to m_entries[i]
    QSignalMapper *m_mapper;
    Uploader *m_uploader;
    EditQueue *m_edits;
    PreviewLoader *m_previews;
    std::unique_ptr<PreviewBudget> m_previewBudget;
    Asker m_asker;
    QHash<QString, FileIdentity> m_expected; // for the next add of each path
    int m_pictureRow = -1; // the one entry that may hold its full picture: the last one edited
    QList<int> m_batch;    // handled since the batch began
    bool m_startingAll = false; // a batch does not end halfway through Upload All
    bool m_closed = false;
    bool m_makePreviews = true;
};

} // namespace tarvello

Q_DECLARE_METATYPE(tarvello::QueueNotice)
