#include <QApplication>
#include <QFile>

#include <cstdio>

#include "base/commandline.h"
#include "base/destinationstore.h"
#include "base/history.h"
#include "base/version.h"
#include "gui/mw.h"
#include "gui/remotecommand.h"
#include "gui/scriptcommands.h"

namespace {

QStringList commandLine(int argc, char *argv[])
{
    return QStringList(QFile::decodeName(argv[0])) + tarvello::argumentPaths(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    // Before QApplication, which needs a display: --help and --version must work without one.
    const tarvello::CommandLine early = tarvello::parseCommandLine(commandLine(argc, argv), tarvello::commandLineHelp());
    if (early.action == tarvello::CommandLine::Action::Help
        || early.action == tarvello::CommandLine::Action::Version) {
        std::fputs(early.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    // A usage error of our own is known before any display is needed; Qt's options are not
    // taken out yet, so the parser's own complaints wait for the application object.
    if (early.action == tarvello::CommandLine::Action::Error && early.problem != tarvello::CommandLine::Problem::Parser) {
        std::fputs(tarvello::commandLineErrorText(early).toLocal8Bit().constData(), stderr);
        return 2;
    }
    // The commands for scripts need no display, and take no option of Qt's: the application
    // object sees the program's name only.
    int nameOnly = 1;
    switch (early.action) {
    case tarvello::CommandLine::Action::ListDestinations: {
        QCoreApplication app(nameOnly, argv);
        tarvello::DestinationStore destinations;
        return tarvello::listDestinations(destinations, stdout);
    }
    case tarvello::CommandLine::Action::ImportDestination: {
        QCoreApplication app(nameOnly, argv);
        tarvello::DestinationStore destinations;
        return tarvello::importDestination(destinations, early.value, stdout, stderr);
    }
    case tarvello::CommandLine::Action::Upload: {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(nameOnly, argv);
        tarvello::DestinationStore destinations;
        tarvello::HistoryStore history(tarvello::HistoryStore::defaultPath());
        return tarvello::uploadFiles(destinations, early.destination, early.paths, stdin, stdout, stderr, &history);
    }
    case tarvello::CommandLine::Action::History: {
        QCoreApplication app(nameOnly, argv);
        return tarvello::printHistory(tarvello::HistoryStore::defaultPath(), early.count, stdout, stderr);
    }
    default:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvello"));
    QApplication::setApplicationVersion(QStringLiteral(TARVELLO_VERSION));
    // QApplication has taken its own options out of argc/argv by now.
    const tarvello::CommandLine options = tarvello::parseCommandLine(commandLine(argc, argv), tarvello::commandLineHelp());
    if (options.action == tarvello::CommandLine::Action::Error) {
        std::fputs(tarvello::commandLineErrorText(options).toLocal8Bit().constData(), stderr);
        return 1;
    }
    // One history for the run, written until the window is gone.
    tarvello::HistoryStore history(tarvello::HistoryStore::defaultPath());
    mw window;
    window.setHistory(&history);
    window.rememberDesktopState();
    // Files go in at once, before the window shows; folders are walked as dropped ones are.
    window.addPaths(options.paths);
    window.show();
    return app.exec();
}
