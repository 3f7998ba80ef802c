#include <QApplication>

#include "base/commandline.h"
#include "base/version.h"
#include "gui/mw.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvello"));
    QApplication::setApplicationVersion(QStringLiteral(TARVELLO_VERSION));
    mw window;
    // QApplication has already taken its own options out of argc/argv.
    for (const QString &path : tarvello::queuedPaths(tarvello::argumentPaths(argc, argv)))
        window.addObj(path, false);
    window.show();
    return app.exec();
}
