#include "gui/dropprogress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QTimer>

#include "base/folderwalk.h"
#include "gui/drop.h"

DropProgress::DropProgress(drop *target, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_target(target)
    , m_dialogParent(dialogParent)
    , m_showTimer(new QTimer(this))
{
    m_showTimer->setSingleShot(true);
    m_showTimer->setInterval(showAfterMs);
    connect(m_showTimer, &QTimer::timeout, this, [this] {
        if (m_counting && m_target->isBusy())
            showDialog();
    });
    connect(target->walker(), &tarvello::FolderWalker::started, this, &DropProgress::walkStarted);
    // Queued like the drop's own hand-out, so a drop that goes on with another folder is not
    // taken for finished.
    connect(target->walker(), &tarvello::FolderWalker::finished, this, &DropProgress::walkFinished,
            Qt::QueuedConnection);
}

void DropProgress::walkStarted()
{
    if (m_counting)
        return;
    m_counting = true;
    m_count = 0;
    m_showTimer->start();
}

void DropProgress::setShowAfter(int ms)
{
    m_showTimer->setInterval(ms);
}

void DropProgress::walkFinished()
{
    if (m_target->isBusy())
        return;
    m_counting = false;
    delete m_dialog;
}

void DropProgress::showDialog()
{
    if (m_dialog)
        return;
    m_dialog = new QProgressDialog(m_dialogParent);
    m_dialog->setWindowTitle(QCoreApplication::translate("mw", "Adding images"));
    m_dialog->setLabelText(QCoreApplication::translate("mw", "Added %n image(s)...", nullptr, m_count));
    m_dialog->setRange(0, 0);
    m_dialog->setMinimumDuration(0);
    m_dialog->setWindowModality(Qt::WindowModal);
    // The Cancel button, closing the dialog and Escape all stop the drop.
    const auto stop = [this] {
        m_target->cancelDrops();
        m_counting = false;
        m_dialog->deleteLater();
    };
    connect(m_dialog, &QProgressDialog::canceled, this, stop);
    connect(m_dialog, &QDialog::rejected, this, stop);
    m_dialog->show();
}

void DropProgress::added()
{
    if (!m_counting)
        return;
    ++m_count;
    if (m_dialog)
        m_dialog->setLabelText(QCoreApplication::translate("mw", "Added %n image(s)...", nullptr, m_count));
}
