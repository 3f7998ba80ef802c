// Previews and pictures: entries hold no full picture, only their file; previews are decoded at
// reduced size off the GUI thread and kept within a memory budget, and a dropped one is decoded
// again when it is needed. Only the selected entry may hold its full picture, once an edit made it.

#include "gui/mw.h"

#include <QFile>
#include <QStyle>

#include "base/fileproblem.h"
#include "base/image.h"
#include "base/previews.h"
#include "base/tempfile.h"
#include "gui/mwui.h"

using namespace tarvello;

void mw::setUpImages()
{
    m_previews = new PreviewLoader(this);
    m_previewBudget = std::make_unique<PreviewBudget>(previewMemoryLimit());
    m_edits = new EditQueue(this);
    connect(m_previews, &PreviewLoader::loaded, this, &mw::previewLoaded);
    connect(m_edits, &EditQueue::finished, this, &mw::editFinished);
}

void mw::requestPreview(int row)
{
    const imgobj &entry = objs.at(row);
    if (m_views.at(row).noPreview || !entry.prev.isNull() || m_edits->isWriting(entry.file))
        return;
    m_previews->request(row, entry.file);
}

void mw::showPreview(int row)
{
    imgobj &entry = objs[row];
    if (sel != &entry)
        releasePicture();
    if (!entry.prev.isNull() || m_views.at(row).noPreview) {
        m_wantedPreview = -1;
        m_previewBudget->use(row);
        ui->label->setPixmap(entry.prev);
        return;
    }
    // Shown as soon as it is decoded, or, for an edit being written, as soon as the edit is done.
    m_wantedPreview = row;
    ui->label->setPixmap(QPixmap());
    if (!m_edits->isWriting(entry.file))
        m_previews->requestFirst(row, entry.file);
}

void mw::previewLoaded(int row, const QString &file, const QImage &preview)
{
    imgobj &entry = objs[row];
    // The entry may have been edited since it was asked for.
    if (entry.file != file || m_edits->isWriting(file))
        return;
    if (preview.isNull()) {
        EntryView &view = m_views[row];
        view.noPreview = true;
        if (view.problem.isEmpty()) {
            view.problem = notAnImage();
            renderRow(row);
            notify(tr("%1 cannot be used: %2").arg(view.name, view.problem));
        }
    } else if (entry.prev.isNull())
        setPreview(row, QPixmap::fromImage(preview));
    if (m_wantedPreview == row) {
        m_wantedPreview = -1;
        if (sel == &entry)
            ui->label->setPixmap(entry.prev);
    }
}

void mw::setPreview(int row, const QPixmap &preview, bool keep)
{
    objs[row].prev = preview;
    m_views[row].noPreview = preview.isNull();
    // A preview that cannot be decoded again from the entry's file is never dropped.
    if (keep || preview.isNull()) {
        m_previewBudget->remove(row);
        return;
    }
    const qint64 bytes = qint64(preview.width()) * preview.height() * preview.depth() / 8;
    for (int dropped : m_previewBudget->add(row, bytes))
        objs[dropped].prev = QPixmap();
}

void mw::releasePicture()
{
    if (sel)
        sel->pix = QPixmap();
}

void mw::finishSaves()
{
    m_previews->clear();
    m_edits->finishRunning();
}

void mw::addPicture(const QString &file, const QPixmap &picture, std::unique_ptr<QFile> target)
{
    ui->label->setPixmap(previewOf(picture));
    imgobj entry;
    entry.file = file;
    entry.temp = true;
    entry.prev = previewOf(picture);
    const int row = appendEntry(std::move(entry));
    // Nothing stood before it: a picture that cannot be saved takes its row away again.
    m_replaced.insert(file, {QString(), false});
    // The entry's picture is what the file holds, as if it had been added from it.
    m_edits->submit(row, picture, QString(), std::move(target), file,
                    [](const QPixmap &source, QFile &out, bool &written) {
                        written = writePng(out, source.toImage());
                        return written ? loadPixmap(out.fileName()) : QPixmap();
                    });
    m_views[row].saving = true;
    renderRow(row);
    if (ui->checkBox_2->isChecked())
        startUpload(row);
}
