#include "base/uploadqueue.h"

#include <QFileInfo>
#include <QNetworkReply>
#include <QSignalMapper>

#include <algorithm>

#include "base/customrequest.h"
#include "base/image.h"
#include "base/previews.h"
#include "base/request.h"
#include "base/tempfile.h"
#include "base/uploader.h"

namespace tarvello {

UploadQueue::UploadQueue(QVector<imgobj> &entries, QNetworkAccessManager *manager, QSignalMapper *mapper,
                         Uploader *uploader, QObject *parent)
    : QObject(parent)
    , m_entries(entries)
    , m_mapper(mapper)
    , m_uploader(uploader ? uploader : new Uploader(manager, this))
    , m_edits(new EditQueue(this))
    , m_previews(new PreviewLoader(this))
    , m_previewBudget(std::make_unique<PreviewBudget>(previewMemoryLimit()))
{
    qRegisterMetaType<tarvello::QueueNotice>();
    if (!m_mapper) {
        m_mapper = new QSignalMapper(this);
        connect(m_mapper, &QSignalMapper::mappedInt, this, &UploadQueue::replyFinished);
    }
    connect(m_uploader, &Uploader::started, this, &UploadQueue::uploadStarted);
    connect(m_uploader, &Uploader::progress, this, &UploadQueue::uploadProgressed);
    connect(m_uploader, &Uploader::concluded, this, &UploadQueue::finish);
    connect(m_edits, &EditQueue::finished, this, &UploadQueue::editFinished);
    connect(m_previews, &PreviewLoader::loaded, this, &UploadQueue::previewLoaded);
}

UploadQueue::~UploadQueue() = default;

QueueCounts UploadQueue::counts() const
{
    QueueCounts counts;
    for (int row = 0; row < m_entries.size(); ++row) {
        if (!isShown(row))
            continue;
        switch (m_entries.at(row).state) {
        case EntryState::Waiting:
            if (m_records.at(row).problem != FileProblem::None) {
                ++counts.unusable;
                break;
            }
            ++counts.waiting;
            if (m_records.at(row).damage != ImageDamage::None)
                ++counts.damaged;
            break;
        case EntryState::Uploading:
            ++counts.uploading;
            break;
        default:
            ++(m_records.at(row).result.linked() ? counts.uploaded : counts.failed);
            break;
        }
    }
    return counts;
}

int UploadQueue::pendingUploads() const
{
    const auto waiting = std::count_if(m_records.cbegin(), m_records.cend(),
                                       [](const EntryRecord &record) { return record.waiting; });
    return m_uploader->pending() + int(waiting);
}

int UploadQueue::append(imgobj entry, EntryRecord record)
{
    m_entries.append(std::move(entry));
    m_records.append(std::move(record));
    const int row = int(m_entries.size()) - 1;
    emit entryAdded(row);
    return row;
}

void UploadQueue::expectChecked(const QList<WalkedFile> &files)
{
    for (const WalkedFile &file : files)
        m_expected.insert(file.path, file.identity);
}

int UploadQueue::add(const QString &file, bool temp, const std::optional<Target> &autoUpload,
                     const QString &description)
{
    const FileIdentity expected = m_expected.take(file);
    if (m_closed)
        return -1;
    // Nothing is decoded here: the entry is there at once, and its preview follows from a worker.
    imgobj entry;
    entry.file = file;
    entry.temp = temp;
    entry.desc = description;
    EntryRecord record;
    record.name = QFileInfo(file).fileName();
    record.described = !description.isEmpty();
    // Only what the folder tells; whether it holds an image shows when its preview is decoded.
    record.problem = fileProblem(file, false);
    // A fresh look would follow a link put in place since the walk to wherever it leads.
    record.identity = expected.valid ? expected : fileIdentity(file);
    const int row = append(std::move(entry), std::move(record));
    requestPreview(row);
    if (m_records.at(row).problem != FileProblem::None)
        emit notice({QueueNotice::Kind::CannotBeUsed, row});
    if (autoUpload)
        start(row, *autoUpload);
    return row;
}

int UploadQueue::addPicture(const QImage &picture, const std::shared_ptr<ReservedPng> &target,
                            const std::optional<Target> &autoUpload)
{
    if (m_closed)
        return -1;
    imgobj entry;
    entry.file = target->name();
    entry.temp = true;
    EntryRecord record;
    record.name = QFileInfo(entry.file).fileName();
    const bool toWrite = target->isPending();
    if (!toWrite)
        record.identity = fileIdentity(entry.file);
    // Nothing stood before it: a picture that cannot be written takes its entry away again.
    if (toWrite)
        record.edits.append({entry.file, QString(), false});
    const int row = append(std::move(entry), std::move(record));
    setPreview(row, QPixmap::fromImage(previewImageOf(picture)));
    // The entry's picture is what the file holds, as if it had been added from it.
    if (toWrite)
        m_edits->submit(row, picture, QString(), target, [](const QImage &source) { return source; });
    emit previewChanged(row);
    if (autoUpload)
        start(row, *autoUpload);
    return row;
}

int UploadQueue::uploadAgain(int row, const Target &target)
{
    if (m_closed || !isShown(row) || m_entries.at(row).state != EntryState::Handled)
        return -1;
    // A new entry for the same file: entries are only ever appended, and the old one keeps its
    // outcome.
    const imgobj &source = m_entries.at(row);
    imgobj entry;
    entry.file = source.file;
    entry.desc = source.desc;
    entry.prev = source.prev;
    entry.temp = source.temp;
    EntryRecord record;
    record.name = m_records.at(row).name;
    record.described = m_records.at(row).described;
    record.identity = m_records.at(row).identity;
    record.problem = fileProblem(entry.file, false);
    const int again = append(std::move(entry), std::move(record));
    if (!m_records.at(row).result.linked()) {
        m_records[row].removed = true;
        emit entryChanged(row);
    }
    if (m_entries.at(again).prev.isNull())
        requestPreview(again);
    else
        setPreview(again, m_entries.at(again).prev);
    start(again, target);
    return again;
}

int UploadQueue::retryFailed(const Target &target)
{
    int sent = 0;
    const int count = int(m_entries.size());
    m_startingAll = true;
    for (int row = 0; row < count; ++row) {
        if (isShown(row) && m_entries.at(row).state == EntryState::Handled && !m_records.at(row).result.linked()
            && uploadAgain(row, target) >= 0)
            ++sent;
    }
    m_startingAll = false;
    endBatchWhenIdle();
    return sent;
}

bool UploadQueue::start(int row, const Target &target)
{
    if (m_closed || !isShown(row) || m_entries.at(row).state != EntryState::Waiting)
        return false;
    EntryRecord &record = m_records[row];
    record.destination = target.destination;
    record.login = target.login;
    m_entries[row].state = EntryState::Uploading;
    emit entryChanged(row);
    // An edit still being written goes out once its file is complete, as it was asked for now.
    record.waiting = isWriting(row);
    if (!record.waiting)
        send(row);
    return true;
}

void UploadQueue::startAll(const Target &target)
{
    // Uploads that fail before they go out end at once; they still belong to this batch.
    m_startingAll = true;
    const int count = int(m_entries.size());
    for (int row = 0; row < count; ++row) {
        if (m_entries.at(row).state == EntryState::Waiting && m_records.at(row).problem == FileProblem::None)
            start(row, target);
    }
    m_startingAll = false;
    endBatchWhenIdle();
}

void UploadQueue::send(int row)
{
    EntryRecord &record = m_records[row];
    const QString file = m_entries.at(row).file;
    const auto fail = [this, row](UploadResult::Kind kind, const RequestFailure &failure = {},
                                  FileProblem problem = FileProblem::None) {
        UploadResult result;
        result.kind = kind;
        result.request = failure;
        result.file = problem;
        finish(row, result);
    };
    // What goes out is the file that was added, opened now and checked as it is now; a name that
    // leads elsewhere by now, or a file that no longer holds an image, sends nothing.
    auto source = std::make_shared<QFile>();
    FileProblem problem = FileProblem::None;
    if (!openRegularFile(*source, file)) {
        problem = fileProblem(file);
        if (problem == FileProblem::None)
            problem = FileProblem::Unreadable;
    } else if (record.identity.valid && fileIdentity(*source) != record.identity) {
        problem = FileProblem::Replaced;
    } else {
        problem = imageProblem(*source);
    }
    record.problem = problem;
    if (problem != FileProblem::None)
        return fail(UploadResult::Kind::NotSent, {}, problem);
    if (record.destination.builtIn) {
        if (!isSendableLogin(record.login.user, record.login.password))
            return fail(UploadResult::Kind::LoginUnsendable);
        m_uploader->enqueue(row, {file, m_entries.at(row).desc, record.login.user, record.login.password, nullptr,
                                  std::move(source)});
        return;
    }
    // The destination's questions are asked now, before anything is sent. The window asks them
    // in dialogs, while the rest of the program goes on: the entry may be taken away meanwhile.
    // Copied: the records may move while a question is open.
    const Destination destination = record.destination;
    // From what was opened and checked: the name may lead elsewhere by now, even to a FIFO.
    const UploadFile image{file, QFileInfo(file).fileName(), contentMimeType(*source)};
    const RequestPreparation prepared = prepareRequest(destination, image, m_asker);
    if (m_closed || !isShown(row))
        return cancelled(row);
    if (!prepared.request)
        return fail(UploadResult::Kind::NotPrepared, prepared.failure);
    auto custom = std::make_shared<CustomUpload>(CustomUpload{destination, *prepared.request});
    m_uploader->enqueue(row, {file, m_entries.at(row).desc, QString(), QString(), std::move(custom), std::move(source)});
}

void UploadQueue::uploadStarted(int row, QNetworkReply *reply)
{
    m_entries[row].reply = reply;
    // Replies can finish in any order; the row travels with the mapping, not with the reply.
    connect(reply, &QNetworkReply::finished, m_mapper, qOverload<>(&QSignalMapper::map));
    m_mapper->setMapping(reply, row);
}

void UploadQueue::uploadProgressed(int row, double sent)
{
    m_records[row].progress = sent;
    emit entryChanged(row);
}

void UploadQueue::replyFinished(int row)
{
    if (row < 0 || row >= m_entries.size() || !m_entries.at(row).reply)
        return;
    const UploadResult result = m_uploader->finish(std::exchange(m_entries[row].reply, nullptr));
    // Without a result yet, the uploader concludes the row later.
    if (result.kind != UploadResult::Kind::None)
        finish(row, result);
}

void UploadQueue::finish(int row, const UploadResult &result)
{
    imgobj &entry = m_entries[row];
    EntryRecord &record = m_records[row];
    record.result = result;
    record.progress = -1.0;
    record.waiting = false;
    // What the host answered, or for a failure the word the row shows.
    entry.link = QUrl(result.showsAnswer() ? result.answer : QStringLiteral("failed"), QUrl::TolerantMode);
    entry.state = EntryState::Handled;
    m_batch.append(row);
    emit entryChanged(row);
    emit handled(row);
    endBatchWhenIdle();
}

void UploadQueue::endBatchWhenIdle()
{
    if (m_startingAll || m_batch.isEmpty() || pendingUploads() > 0)
        return;
    QList<int> rows = std::exchange(m_batch, {});
    std::sort(rows.begin(), rows.end());
    emit batchFinished(rows);
}

void UploadQueue::cancel(int row)
{
    const bool waited = std::exchange(m_records[row].waiting, false);
    // A running upload is aborted and finishes at once through its reply; a queued one, or one
    // waiting for its file, never went out, so it ends here.
    if (m_uploader->cancel(row) || waited)
        cancelled(row);
}

void UploadQueue::cancelled(int row)
{
    UploadResult result;
    result.kind = UploadResult::Kind::Cancelled;
    finish(row, result);
}

void UploadQueue::remove(const QList<int> &rows)
{
    for (int row : rows) {
        if (!isShown(row))
            continue;
        m_records[row].removed = true;
        if (m_entries.at(row).state == EntryState::Uploading)
            cancel(row);
        emit entryChanged(row);
    }
}

void UploadQueue::describe(int row, const QString &text)
{
    if (!isShown(row) || m_entries.at(row).state != EntryState::Waiting)
        return;
    m_entries[row].desc = text;
    m_records[row].described = true;
    emit entryChanged(row);
}

void UploadQueue::edit(int row, EditStep step)
{
    if (m_closed || !isShown(row))
        return;
    imgobj &entry = m_entries[row];
    // The name tells when the button was pressed, however long the work behind it takes.
    const auto target = ReservedPng::create();
    if (!target->isValid()) {
        emit notice({QueueNotice::Kind::EditNotSaved, row});
        return;
    }
    m_records[row].edits.append({target->name(), entry.file, entry.temp});
    // A pixmap holds a transparent picture premultiplied, a level off in half-transparent pixels:
    // such a picture is decoded again from its file, which is exact.
    const QImage source = entry.pix.hasAlphaChannel() ? QImage() : entry.pix.toImage();
    m_edits->submit(row, source, entry.file, target, std::move(step));
    entry.file = target->name();
    entry.temp = true;
    emit entryChanged(row);
}

void UploadQueue::editFinished(const EditResult &result)
{
    const int row = result.key;
    imgobj &entry = m_entries[row];
    EntryRecord &record = m_records[row];
    const auto done = std::find_if(record.edits.begin(), record.edits.end(),
                                   [&result](const EntryRecord::PendingEdit &edit) { return edit.file == result.file; });
    if (done == record.edits.end())
        return;
    const EntryRecord::PendingEdit edit = *done;
    record.edits.erase(done);

    if (result.written) {
        // Only the entry edited last holds its full picture, for the next edit to start from.
        if (m_pictureRow >= 0 && m_pictureRow != row)
            m_entries[m_pictureRow].pix = QPixmap();
        m_pictureRow = row;
        entry.pix = QPixmap::fromImage(result.picture);
        setPreview(row, QPixmap::fromImage(result.preview));
        if (entry.file == result.file) {
            record.problem = FileProblem::None;
            record.damage = ImageDamage::None;
            record.identity = fileIdentity(entry.file);
        }
    } else {
        // A picture that cannot be saved leaves the entry as it was: it names the file it named
        // before, and so does any later edit that counted on this one.
        for (EntryRecord::PendingEdit &later : record.edits) {
            if (later.previousFile == result.file) {
                later.previousFile = edit.previousFile;
                later.previousTemp = edit.previousTemp;
            }
        }
        if (entry.file == result.file) {
            entry.file = edit.previousFile;
            entry.temp = edit.previousTemp;
        }
        const QueueNotice::Kind kind = edit.previousFile.isEmpty() ? QueueNotice::Kind::PictureNotSaved
                : result.source.isNull()                           ? QueueNotice::Kind::NothingToEdit
                                                                   : QueueNotice::Kind::EditNotSaved;
        // A screenshot or a paste that could not be saved is not added after all.
        if (edit.previousFile.isEmpty() && entry.file.isEmpty())
            remove({row});
        emit notice({kind, row});
    }
    emit entryChanged(row);
    emit previewChanged(row);

    // Uploads asked for while their file was being written go now that it is complete.
    for (int waiting = 0; waiting < m_records.size(); ++waiting) {
        if (m_records.at(waiting).waiting && !isWriting(waiting)) {
            m_records[waiting].waiting = false;
            send(waiting);
        }
    }
}

bool UploadQueue::isWriting(int row) const
{
    return m_edits->isWriting(m_entries.at(row).file);
}

void UploadQueue::requestPreview(int row)
{
    const imgobj &entry = m_entries.at(row);
    if (m_makePreviews && m_records.at(row).problem == FileProblem::None && entry.prev.isNull() && !isWriting(row))
        m_previews->request(row, entry.file);
}

bool UploadQueue::wantPreview(int row)
{
    const imgobj &entry = m_entries.at(row);
    if (!entry.prev.isNull()) {
        m_previewBudget->use(row);
        return true;
    }
    // A file that holds no picture, or one too large to preview, has none to wait for.
    if (m_records.at(row).problem != FileProblem::None || m_records.at(row).tooLargeToPreview.isValid())
        return true;
    // An edit being written brings its own preview.
    if (!isWriting(row))
        m_previews->requestFirst(row, entry.file);
    return false;
}

void UploadQueue::previewLoaded(int row, const QString &file, const PreviewImage &preview)
{
    const imgobj &entry = m_entries.at(row);
    // The entry may have been edited since it was asked for.
    if (entry.file != file || isWriting(row))
        return;
    // A damaged picture, and one too large to preview, can still be sent as it is.
    if (preview.damage != ImageDamage::None) {
        m_records[row].damage = preview.damage;
        emit entryChanged(row);
    }
    if (preview.tooLarge.isValid()) {
        m_records[row].tooLargeToPreview = preview.tooLarge;
        emit entryChanged(row);
    } else if (preview.isNull()) {
        EntryRecord &record = m_records[row];
        if (record.problem == FileProblem::None) {
            record.problem = FileProblem::NotAnImage;
            emit entryChanged(row);
            emit notice({QueueNotice::Kind::CannotBeUsed, row});
        }
    } else if (entry.prev.isNull()) {
        setPreview(row, QPixmap::fromImage(preview.image));
    }
    emit previewChanged(row);
}

void UploadQueue::setPreview(int row, const QPixmap &preview)
{
    m_entries[row].prev = preview;
    if (preview.isNull()) {
        m_previewBudget->remove(row);
        return;
    }
    const qint64 bytes = qint64(preview.width()) * preview.height() * preview.depth() / 8;
    for (int dropped : m_previewBudget->add(row, bytes))
        m_entries[dropped].prev = QPixmap();
}

void UploadQueue::close()
{
    if (m_closed)
        return;
    m_closed = true;
    for (int row = 0; row < m_records.size(); ++row) {
        if (m_records.at(row).waiting)
            cancel(row);
    }
    for (int row : m_uploader->cancelAll())
        cancelled(row);
    m_previews->stop();
}

void UploadQueue::finishSaves()
{
    m_edits->finishRunning();
}

} // namespace tarvello
