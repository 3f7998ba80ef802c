// Rotate and flip: each edit of the selected entry writes a new temporary PNG that the entry
// then names; the file the entry named before is never touched. The decode, the transform and
// the encode run on worker threads; the row shows a busy icon until the file is complete.

#include "gui/mw.h"

#include <QFile>

#include "base/editqueue.h"
#include "base/image.h"
#include "base/tempfile.h"
#include "base/transform.h"
#include "gui/mwui.h"

using namespace tarvello;

void mw::cw90()
{
    rotateSelected(90.0);
}

void mw::ccw90()
{
    rotateSelected(-90.0);
}

void mw::rot180()
{
    rotateSelected(180.0);
}

void mw::fliph()
{
    mirrorSelected(Qt::Horizontal);
}

void mw::flipv()
{
    mirrorSelected(Qt::Vertical);
}

void mw::rotateSelected(qreal degrees)
{
    editSelected([degrees](const QPixmap &source, QFile &file, bool &written) {
        const QPixmap result = rotated(source, degrees);
        written = writePng(file, result.toImage());
        return result;
    });
}

void mw::mirrorSelected(Qt::Orientation orientation)
{
    editSelected([orientation](const QPixmap &source, QFile &file, bool &written) {
        const QImage result = mirrored(source.toImage(), orientation);
        // PNG is lossless, so the mirror in memory is the picture the file holds.
        written = writePng(file, result);
        return QPixmap::fromImage(result);
    });
}

void mw::editSelected(EditStep step)
{
    if (!sel)
        return;
    const int row = int(sel - objs.constData());
    // The name tells when the button was pressed, however long the work behind it takes.
    auto file = std::make_unique<QFile>();
    const QString name = openTempPng(*file);
    if (name.isEmpty()) {
        notify(tr("The edited image could not be saved in the temporary folder."));
        return;
    }
    m_replaced.insert(name, {sel->file, sel->temp});
    m_edits->submit(row, sel->pix, sel->file, std::move(file), name, std::move(step));
    sel->file = name;
    sel->temp = true;
    m_views[row].saving = true;
    renderRow(row);
}

void mw::editFinished(const EditResult &result)
{
    const int row = result.key;
    imgobj &entry = objs[row];
    EntryView &view = m_views[row];
    const bool selected = sel == &entry;
    const Replaced replaced = m_replaced.take(result.file);
    if (result.written) {
        entry.pix = selected ? result.picture : QPixmap();
        setPreview(row, result.preview);
        if (selected) {
            ui->label->setPixmap(entry.prev);
            if (m_wantedPreview == row)
                m_wantedPreview = -1;
        }
    } else {
        // A picture that cannot be saved leaves the entry as it was: it names the file it named
        // before, and so does any later edit that counted on this one.
        for (Replaced &later : m_replaced) {
            if (later.file == result.file)
                later = replaced;
        }
        if (entry.file == result.file) {
            entry.file = replaced.file;
            entry.temp = replaced.temp;
        }
        if (result.source.isNull())
            notify(tr("%1 holds no picture to turn or flip.").arg(view.name));
        else if (replaced.file.isEmpty())
            notify(tr("The picture could not be saved in the temporary folder."));
        else
            notify(tr("The edited image could not be saved in the temporary folder."));
        // A screenshot or a paste that could not be saved is not added after all.
        if (replaced.file.isEmpty() && entry.file.isEmpty())
            removeRows({row});
    }
    if (result.last) {
        view.saving = false;
        if (m_wantedPreview >= 0 && objs.at(m_wantedPreview).prev.isNull())
            showPreview(m_wantedPreview);
    }
    renderRow(row);

    // Uploads asked for while their file was being written go now that it is complete.
    QMap<int, Login> ready;
    for (auto it = m_waitingUploads.begin(); it != m_waitingUploads.end();) {
        if (m_edits->isWriting(objs.at(it.key()).file)) {
            ++it;
        } else {
            ready.insert(it.key(), it.value());
            it = m_waitingUploads.erase(it);
        }
    }
    for (auto it = ready.cbegin(); it != ready.cend(); ++it)
        sendUpload(it.key(), it.value());
}
