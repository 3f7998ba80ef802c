#include <QApplication>

#include "app/mw.h"
#include "app/startup.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    mw window;
    // QApplication has already taken its own options out of argc/argv.
    for (const QString &path : tarvello::argumentPaths(argc, argv))
        window.addObj(path, false);
    window.show();
    return app.exec();
}
