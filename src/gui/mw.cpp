#include "gui/mw.h"

#include <QCloseEvent>
#include <QNetworkReply>
#include <QMessageBox>
#include <QSignalMapper>
#include <QStandardPaths>
#include <QTimer>

#include "base/previews.h"
#include "base/settings.h"
#include "base/tempfile.h"
#include "base/uploader.h"
#include "gui/dropprogress.h"
#include "gui/mwui.h"

mw::mw(QWidget *parent)
    : QWidget(parent)
    , ui(new mwui)
{
    ui->setupUi(this);
    setUpForDesktop();

    mapper = new QSignalMapper(this);
    connect(mapper, &QSignalMapper::mappedInt, this, &mw::objhanlde);

    m_uploader = new tarvello::Uploader(this);
    nam = m_uploader->manager();
    connect(m_uploader, &tarvello::Uploader::started, this, &mw::uploadStarted);
    connect(m_uploader, &tarvello::Uploader::progress, this, &mw::uploadProgressed);

    connect(ui->browsefiles, &QPushButton::clicked, this, &mw::browse);
    connect(ui->uploadfile, &QPushButton::clicked, this, &mw::uploadall);
    connect(ui->screens, &QPushButton::clicked, this, &mw::screens);
    connect(ui->clipb, &QPushButton::clicked, this, &mw::clipb);

    if (const auto saved = tarvello::readCredentials(QString::fromLatin1(tarvello::settingsFileName))) {
        ui->usr->setText(saved->user);
        ui->pw->setText(saved->pw);
        ui->checkBox->setChecked(true);
    }

    ui->label->setAcceptDrops(true);

    connect(ui->label, &drop::img, this, &mw::uploaddrop);
    connect(ui->tableWidget, &QTableWidget::cellClicked, this, &mw::handleclick);
    connect(ui->tableWidget, &QTableWidget::cellDoubleClicked, this, &mw::handledclick);
    connect(ui->ccw90, &QPushButton::clicked, this, &mw::ccw90);
    connect(ui->cw90, &QPushButton::clicked, this, &mw::cw90);
    connect(ui->rot180, &QPushButton::clicked, this, &mw::rot180);
    connect(ui->fliph, &QPushButton::clicked, this, &mw::fliph);
    connect(ui->flipv, &QPushButton::clicked, this, &mw::flipv);

    m_dropProgress = new DropProgress(ui->label, this);
    setUpImages();
    setUpTableActions();
    setUpKeys();

    setUpStatusLine();
}

mw::~mw()
{
    delete ui;
}

void mw::fin()
{
}

void mw::cred(const QString &u, const QString &p)
{
    ui->pw->setText(p);
    ui->usr->setText(u);
}

void mw::closeEvent(QCloseEvent *event)
{
    if (!mayCloseWhileUploading()) {
        event->ignore();
        return;
    }
    if (m_remembersDesktop)
        saveDesktopState();

    const QString settingsPath = QString::fromLatin1(tarvello::settingsFileName);
    if (!ui->checkBox->isChecked()) {
        tarvello::removeCredentials(settingsPath);
    } else if (const QString why = tarvello::writeCredentials(settingsPath, {ui->usr->text(), ui->pw->text()});
               !why.isEmpty()) {
        QMessageBox::warning(this, tr("Login not saved"), tr("Your login was not remembered. %1").arg(why));
    }

    // Out of sight at once; an edit still being written ends first, so that its file is whole
    // when the clean-up below removes it.
    hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    finishSaves();

    // Every temporary file of this run, earlier versions of edited images included; nothing the
    // program did not create itself.
    tarvello::removeCreatedTempFiles();
    QWidget::closeEvent(event);
}
