#include "gui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

#include "gui/mwui.h"

namespace tarvello {

namespace {

const char statusLineName[] = "statusLine";

// The line under the table is reported as a status bar, which screen readers know to read on
// request and to follow as it changes; Qt gives a label no role but static text.
QAccessibleInterface *statusBarFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QLabel") || object->objectName() != QLatin1String(statusLineName))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StatusBar);
}

void describe(QWidget *widget, const QString &description)
{
    if (widget)
        widget->setAccessibleDescription(description);
}

QString text(const char *source)
{
    return QCoreApplication::translate("mw", source);
}

} // namespace

void describeWindow(QWidget *window, mwui *ui)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(statusBarFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled)

    // A box inside another would otherwise take the outer box's title as its name.
    for (QGroupBox *box : window->findChildren<QGroupBox *>())
        box->setAccessibleName(box->title());

    // The picture area's name follows the picture it shows (PreviewArea).
    describe(ui->label, text("Drop images or folders here to add them; Enter opens the file dialog."));
    describe(ui->browsefiles, text("Adds image files chosen in a file dialog (Ctrl+O)."));
    describe(ui->screens, text("Adds a screenshot of the whole screen; the Menu key or a right click offers a "
                               "region, a window or a delay."));
    describe(window->findChild<QToolButton *>(QStringLiteral("screensMenu")),
             text("A region, a window or a delayed screenshot."));
    describe(ui->clipb, text("Adds the image on the clipboard (Ctrl+V)."));

    // Without their own names both fields take the name of the box around them.
    ui->label_3->setBuddy(ui->usr);
    ui->label_4->setBuddy(ui->pw);
    ui->usr->setAccessibleName(ui->label_3->text());
    ui->pw->setAccessibleName(ui->label_4->text());
    describe(ui->usr, text("The user name for the built-in host; leave it empty if the host needs none."));
    describe(ui->pw, text("The password for the built-in host; leave it empty if the host needs none."));
    describe(ui->checkBox, text("Keeps the user name and password, unencrypted, in tarvello.ini in the working "
                                "folder."));

    describe(ui->cw90, text("Turns the highlighted image a quarter turn clockwise."));
    describe(ui->ccw90, text("Turns the highlighted image a quarter turn counter-clockwise."));
    describe(ui->rot180, text("Turns the highlighted image upside down."));
    describe(ui->fliph, text("Mirrors the highlighted image left to right."));
    describe(ui->flipv, text("Mirrors the highlighted image top to bottom."));

    describe(ui->uploadfile, text("Uploads every waiting image (Ctrl+Shift+U)."));
    ui->tableWidget->setAccessibleName(text("Upload queue"));
    describe(ui->tableWidget, text("One row for each image: its file, its upload and its description. Enter "
                                   "on a cell does what a click does, F2 gives a description, the Menu key "
                                   "opens the row's actions."));
    describe(ui->checkBox_2, text("Uploads each image as soon as it is added."));
    describe(window->findChild<QToolButton *>(QStringLiteral("menuButton")),
             text("Destinations, the history of uploads and whether new links go to the clipboard."));
    ui->statusLine->setObjectName(QLatin1String(statusLineName));
    describe(ui->statusLine, text("What the queue holds, or what just happened."));
}

} // namespace tarvello
