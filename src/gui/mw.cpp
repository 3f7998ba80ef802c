#include "gui/mw.h"

#include <QCloseEvent>
#include <QNetworkReply>
#include <QFile>
#include <QSignalMapper>
#include <QStandardPaths>

#include "base/previews.h"
#include "base/settings.h"
#include "base/uploader.h"
#include "gui/dropprogress.h"
#include "gui/mwui.h"

mw::mw(QWidget *parent)
    : QWidget(parent)
    , ui(new mwui)
{
    ui->setupUi(this);

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
    const QString settingsPath = QString::fromLatin1(tarvello::settingsFileName);
    if (ui->checkBox->isChecked())
        tarvello::writeCredentials(settingsPath, {ui->usr->text(), ui->pw->text()});
    else
        QFile::remove(settingsPath);

    finishSaves();
    // Only files this program wrote, and only while they still lie in the temporary folder.
    // Qt gives an empty location when $TMPDIR names no folder; nothing of ours lies there then.
    const QString tmp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    for (const imgobj &entry : std::as_const(objs)) {
        if (entry.temp && !tmp.isEmpty() && entry.file.contains(tmp))
            QFile::remove(entry.file);
    }
    QWidget::closeEvent(event);
}
