#include "gui/mw.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QSignalMapper>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QToolButton>

#include "base/browse.h"
#include "base/destinationstore.h"
#include "base/folderwalk.h"
#include "base/settings.h"
#include "base/tempfile.h"
#include "base/transform.h"
#include "base/uploadqueue.h"
#include "gui/accessibility.h"
#include "gui/destinationchooser.h"
#include "gui/destinationquestion.h"
#include "gui/dropprogress.h"
#include "gui/mwui.h"
#include "gui/previewarea.h"
#include "gui/rowbinder.h"
#include "gui/screenshooter.h"
#include "gui/statusline.h"
#include "gui/texts.h"

using namespace tarvello;

mw::mw(QWidget *parent)
    : QWidget(parent)
    , ui(new mwui)
{
    ui->setupUi(this);

    mapper = new QSignalMapper(this);
    connect(mapper, &QSignalMapper::mappedInt, this, &mw::objhanlde);
    nam = new QNetworkAccessManager(this);

    connect(ui->browsefiles, &QPushButton::clicked, this, &mw::browse);
    connect(ui->uploadfile, &QPushButton::clicked, this, &mw::uploadall);
    connect(ui->screens, &QPushButton::clicked, this, &mw::screens);
    connect(ui->clipb, &QPushButton::clicked, this, &mw::clipb);

    if (const auto saved = readCredentials(QString::fromLatin1(settingsFileName))) {
        ui->usr->setText(saved->user);
        ui->pw->setText(saved->pw);
        ui->checkBox->setChecked(true);
    }
    // The login is kept beside where the program was started; say where that is.
    ui->checkBox->setToolTip(tr("The user name and password are kept in plain text in %1")
                                     .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(
                                             QString::fromLatin1(settingsFileName)))));

    ui->label->setAcceptDrops(true);

    connect(ui->label, &drop::img, this, &mw::uploaddrop);
    connect(ui->label->walker(), &tarvello::FolderWalker::namesLeftOut, this, [this](int count) {
        m_status->notify(tr("Files left out of the folder as their names are not UTF-8: %1. "
                            "Rename them to add them.").arg(count));
    });
    connect(ui->tableWidget, &QTableWidget::cellClicked, this, &mw::handleclick);
    connect(ui->tableWidget, &QTableWidget::cellDoubleClicked, this, &mw::handledclick);
    connect(ui->ccw90, &QPushButton::clicked, this, &mw::ccw90);
    connect(ui->cw90, &QPushButton::clicked, this, &mw::cw90);
    connect(ui->rot180, &QPushButton::clicked, this, &mw::rot180);
    connect(ui->fliph, &QPushButton::clicked, this, &mw::fliph);
    connect(ui->flipv, &QPushButton::clicked, this, &mw::flipv);

    m_queue = new UploadQueue(objs, nam, mapper, nullptr, this);
    connect(ui->label->walker(), &FolderWalker::checked, m_queue, &UploadQueue::expectChecked);
    m_rows = std::make_unique<RowBinder>(ui->tableWidget);
    m_picture = new PreviewArea(ui->label, m_queue, this);
    m_status = new StatusLine(ui->statusLine, [this] { return summaryText(m_queue->counts()); }, this);
    m_shooter = new Screenshooter(this);
    m_dropProgress = new DropProgress(ui->label, this);
    connect(m_queue, &UploadQueue::entryAdded, this, &mw::entryAdded);
    connect(m_queue, &UploadQueue::entryChanged, this, &mw::entryChanged);
    connect(m_queue, &UploadQueue::notice, this, &mw::noticed);
    connect(m_shooter, &Screenshooter::taken, this, &mw::pictureTaken);
    connect(m_shooter, &Screenshooter::failed, this, [this](Screenshooter::Failure failure) {
        switch (failure) {
        case Screenshooter::Failure::NotSaved:
            m_status->notify(tr("The screenshot could not be saved in the temporary folder."));
            break;
        case Screenshooter::Failure::NotRead:
            m_status->notify(tr("The screenshot could not be read or saved."));
            break;
        case Screenshooter::Failure::Refused:
            m_status->notify(tr("The desktop could not take the screenshot."));
            break;
        case Screenshooter::Failure::NoPortal:
            m_status->notify(tr("No screenshot: the desktop offers no screenshot portal."));
            break;
        case Screenshooter::Failure::NoAnswer:
            m_status->notify(tr("No screenshot: the desktop did not answer in time."));
            break;
        }
    });
    setUpCaptures();
    setUpDestinations();
    setUpHistory();
    setUpTable();
    setUpForDesktop();
    orderFocus();
    // Last: it describes controls the set-ups above made.
    describeWindow(this, ui);
}

void mw::setUpDestinations()
{
    m_destinations = new DestinationStore(this);
    // Under Upload All: where uploads go, and the window's menu. A short screen has no room for a
    // row of their own: there they share the status line's (fitToScreen).
    auto *box = new QComboBox(this);
    box->setObjectName(QStringLiteral("destinationBox"));
    m_menu = new QMenu(this);
    auto *menuButton = new QToolButton(this);
    menuButton->setObjectName(QStringLiteral("menuButton"));
    menuButton->setText(tr("Menu"));
    menuButton->setAccessibleName(tr("Menu"));
    menuButton->setMenu(m_menu);
    menuButton->setPopupMode(QToolButton::InstantPopup);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(box, 1);
    row->addWidget(menuButton);
    ui->gridLayout->removeWidget(ui->statusLine);
    ui->gridLayout->addLayout(row, 2, 0, 1, 2);
    ui->gridLayout->addWidget(ui->statusLine, 3, 0, 1, 2);

    m_chooser = new DestinationChooser(m_destinations, box, this);
    m_menu->addAction(m_chooser->importAction());
    m_menu->addAction(m_chooser->manageAction());
    connect(m_chooser, &DestinationChooser::notice, m_status, &StatusLine::notify);
    // A login is for the built-in host only.
    connect(m_chooser, &DestinationChooser::chosen, ui->groupBox_3, &QWidget::setEnabled);
    m_queue->setAsker(windowAsker(this));
    m_destinations->load();
}

mw::~mw()
{
    delete ui;
}

const QString &mw::lastNotice() const
{
    return m_status->lastNotice();
}

void mw::fin()
{
}

void mw::cred(const QString &u, const QString &p)
{
    ui->pw->setText(p);
    ui->usr->setText(u);
}

Target mw::target() const
{
    return {m_destinations->chosenDestination(), {ui->usr->text(), ui->pw->text()}};
}

std::optional<Target> mw::autoUpload() const
{
    return ui->checkBox_2->isChecked() ? std::optional<Target>(target()) : std::nullopt;
}

void mw::upload(const QString &, int row)
{
    m_queue->start(row, target());
}

void mw::uploadall()
{
    m_queue->startAll(target());
}

void mw::objhanlde(int row)
{
    m_queue->replyFinished(row);
}

void mw::addObj(const QString &file, bool is_c)
{
    m_queue->add(file, is_c, autoUpload());
}

void mw::uploaddrop(const QString &path)
{
    // A custom-uploader file is a destination to import, not an image. Asked after the drop has
    // ended: the drag's source waits for it.
    if (DestinationChooser::isCustomUploaderFile(path)) {
        QMetaObject::invokeMethod(m_chooser, [this, path] { m_chooser->importFile(path); }, Qt::QueuedConnection);
        return;
    }
    addObj(path, false);
    m_dropProgress->added();
}

void mw::addPaths(const QStringList &paths)
{
    ui->label->addPaths(paths);
}

void mw::browse()
{
    const QString start = browseStartFolder(
            m_browseFolder, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), QDir::homePath());
    const QStringList files = QFileDialog::getOpenFileNames(
            this, tr("Open Image"), start, browseFilter(imagePatterns(QImageReader::supportedImageFormats())));
    if (!files.isEmpty())
        m_browseFolder = QFileInfo(files.first()).absolutePath();
    for (const QString &file : files)
        addObj(file, false);
}

void mw::screens()
{
    capture({});
}

void mw::clipb()
{
    const QImage image = QGuiApplication::clipboard()->image(QClipboard::Clipboard);
    if (image.isNull()) {
        m_status->notify(tr("The clipboard holds no image."));
        return;
    }
    const auto file = ReservedPng::create();
    if (!file->isValid()) {
        m_status->notify(tr("The clipboard image could not be saved in the temporary folder."));
        return;
    }
    pictureTaken(file, image);
}

void mw::pictureTaken(const std::shared_ptr<ReservedPng> &file, const QImage &picture)
{
    const int row = m_queue->addPicture(picture, file, autoUpload());
    if (row >= 0)
        m_picture->show(row);
}

void mw::cw90()
{
    editSelected([](const QImage &source) { return rotated(source, 90.0); });
}

void mw::ccw90()
{
    editSelected([](const QImage &source) { return rotated(source, -90.0); });
}

void mw::rot180()
{
    editSelected([](const QImage &source) { return rotated(source, 180.0); });
}

void mw::fliph()
{
    editSelected([](const QImage &source) { return mirrored(source, Qt::Horizontal); });
}

void mw::flipv()
{
    editSelected([](const QImage &source) { return mirrored(source, Qt::Vertical); });
}

void mw::editSelected(EditStep step)
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_queue->edit(row, std::move(step));
    // The picture shown is the one being edited; its new preview follows once it is written.
    m_picture->show(row);
}

void mw::entryAdded(int row)
{
    m_rows->insert(row);
    entryChanged(row);
    // Appending may have moved the vector's storage. The new row becomes the current one.
    sel = &objs[row];
    // Once for a whole batch of rows: scrolling and moving the current row each lay out and
    // repaint the table, which costs ten times more than adding the row itself.
    if (!m_followPending) {
        m_followPending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_followPending = false;
            if (sel) {
                // The new row is the highlighted one, alone, and the picture shown is its own.
                const int row = selectedRow();
                makeCurrent(row);
                QTableWidget *table = ui->tableWidget;
                table->selectionModel()->select(table->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                m_picture->show(row);
            }
            ui->tableWidget->scrollToBottom();
        }, Qt::QueuedConnection);
    }
    setEditsEnabled(true);
}

void mw::entryChanged(int row)
{
    m_rows->bind(row, objs.at(row), m_queue->record(row));
    m_status->queueChanged();
}

void mw::noticed(const QueueNotice &notice)
{
    const EntryRecord &record = m_queue->record(notice.row);
    switch (notice.kind) {
    case QueueNotice::Kind::CannotBeUsed:
        m_status->notify(tr("%1 cannot be used: %2").arg(record.name, fileProblemText(record.problem)));
        break;
    case QueueNotice::Kind::NothingToEdit:
        m_status->notify(tr("%1 holds no picture to turn or flip.").arg(record.name));
        break;
    case QueueNotice::Kind::EditNotSaved:
        m_status->notify(tr("The edited image could not be saved in the temporary folder."));
        break;
    case QueueNotice::Kind::PictureNotSaved:
        m_status->notify(tr("The picture could not be saved in the temporary folder."));
        followRemoval({notice.row});
        break;
    }
}

int mw::selectedRow() const
{
    return sel ? int(sel - objs.constData()) : -1;
}

void mw::setEditsEnabled(bool enabled)
{
    for (QPushButton *edit : {ui->ccw90, ui->cw90, ui->rot180, ui->flipv, ui->fliph})
        edit->setEnabled(enabled);
}

void mw::removeRows(const QList<int> &rows)
{
    m_queue->remove(rows);
    followRemoval(rows);
}

void mw::followRemoval(const QList<int> &rows)
{
    const int selRow = selectedRow();
    if (rows.isEmpty() || m_queue->isShown(selRow))
        return;
    // The highlight moves on to the next row still shown, as it does for a row deleted in a list.
    const auto [first, last] = std::minmax_element(rows.cbegin(), rows.cend());
    int next = *last + 1;
    while (next < objs.size() && !m_queue->isShown(next))
        ++next;
    if (next >= objs.size()) {
        next = *first - 1;
        while (next >= 0 && !m_queue->isShown(next))
            --next;
    }
    if (next >= 0) {
        selectEntry(next);
        return;
    }
    sel = nullptr;
    {
        const QScopedValueRollback<bool> moving(m_movingCurrent, true);
        ui->tableWidget->setCurrentIndex(QModelIndex());
    }
    m_picture->showBanner();
    setEditsEnabled(false);
}

void mw::closeEvent(QCloseEvent *event)
{
    if (keepsRunningInTray()) {
        event->ignore();
        hide();
        return;
    }
    if (!mayCloseWhileUploading()) {
        event->ignore();
        return;
    }
    if (m_remembersDesktop)
        saveDesktopState();

    const QString settingsPath = QString::fromLatin1(settingsFileName);
    if (!ui->checkBox->isChecked()) {
        removeCredentials(settingsPath);
    } else if (const CredentialsFailure failure = writeCredentials(settingsPath, {ui->usr->text(), ui->pw->text()})) {
        QMessageBox::warning(this, tr("Login not saved"),
                             tr("Your login was not remembered. %1").arg(credentialsFailureText(failure)));
    }

    // Out of sight at once, and from here on nothing is added or sent; an edit still being
    // written ends first, so that its file is whole when the clean-up below removes it.
    hide();
    ui->label->cancelDrops();
    m_queue->close();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_queue->finishSaves();

    // Every temporary file of this run, earlier versions of edited images included; nothing the
    // program did not create itself.
    removeCreatedTempFiles();
    QWidget::closeEvent(event);
}

bool mw::mayCloseWhileUploading()
{
    const int running = m_queue->pendingUploads();
    if (running == 0)
        return true;
    QMessageBox question(QMessageBox::Question, windowTitle(),
                         running == 1 ? tr("1 upload is still running. Quit anyway?")
                                      : tr("%1 uploads are still running. Quit anyway?").arg(running),
                         QMessageBox::NoButton, this);
    QPushButton *wait = question.addButton(tr("Wait"), QMessageBox::RejectRole);
    QPushButton *quit = question.addButton(tr("Quit"), QMessageBox::DestructiveRole);
    question.setDefaultButton(wait);
    question.setEscapeButton(wait);
    question.exec();
    return question.clickedButton() == quit;
}
