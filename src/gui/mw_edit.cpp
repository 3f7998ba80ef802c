// Rotate and flip: each edit of the selected entry writes a new temporary PNG that the entry
// then names; the file the entry named before is never touched.

#include "gui/mw.h"

#include <QFile>

#include "base/transform.h"
#include "gui/mwui.h"
#include "base/image.h"
#include "base/tempfile.h"

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
    if (!sel)
        return;
    QFile file;
    const QString name = tarvello::openTempPng(file);
    const QPixmap result = tarvello::rotated(sel->pix, degrees);
    // An edit that cannot be saved leaves the entry as it was.
    if (name.isEmpty() || !tarvello::writePng(file, result.toImage())) {
        notify(tr("The edited image could not be saved in the temporary folder."));
        return;
    }
    sel->pix = result;
    finishEdit(name);
}

void mw::mirrorSelected(Qt::Orientation orientation)
{
    if (!sel)
        return;
    QFile file;
    const QString name = tarvello::openTempPng(file);
    const QImage result = tarvello::mirrored(sel->pix.toImage(), orientation);
    if (name.isEmpty() || !tarvello::writePng(file, result)) {
        notify(tr("The edited image could not be saved in the temporary folder."));
        return;
    }
    // PNG is lossless, so the mirror in memory is the picture the file holds.
    sel->pix = QPixmap::fromImage(result);
    finishEdit(name);
}

void mw::finishEdit(const QString &newFile)
{
    sel->file = newFile;
    sel->prev = tarvello::previewOf(sel->pix);
    ui->label->setPixmap(sel->prev);
    sel->temp = true;
}
