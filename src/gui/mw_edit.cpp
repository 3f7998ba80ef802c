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
    sel->pix = tarvello::rotated(sel->pix, degrees);
    tarvello::writePng(file, sel->pix.toImage());
    finishEdit(name);
}

void mw::mirrorSelected(Qt::Orientation orientation)
{
    if (!sel)
        return;
    QFile file;
    const QString name = tarvello::openTempPng(file);
    const QImage result = tarvello::mirrored(sel->pix.toImage(), orientation);
    // The entry's image is what the file holds: PNG is lossless, so the mirror in memory is the
    // same picture, and an image that could not be written is no longer the entry's image.
    sel->pix = tarvello::writePng(file, result) ? QPixmap::fromImage(result) : QPixmap();
    finishEdit(name);
}

void mw::finishEdit(const QString &newFile)
{
    sel->file = newFile;
    sel->prev = tarvello::previewOf(sel->pix);
    ui->label->setPixmap(sel->prev);
    sel->temp = true;
}
