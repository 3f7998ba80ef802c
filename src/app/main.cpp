#include <QApplication>
#include <QDBusConnection>

#include <cstdio>

#include "base/commandline.h"
#include "base/destinationstore.h"
#include "base/history.h"
#include "base/version.h"
#include "gui/mw.h"
#include "gui/remotecommand.h"
#include "gui/scriptcommands.h"
#include "gui/singleprogram.h"
#include "gui/translations.h"

int main(int argc, char *argv[])
{
    // Qt gets only the options it may honour; the rest is ours, and is read before any display is
    // needed so that --help, --version and usage errors work without one.
    tarvello::SplitArguments arguments = tarvello::splitArguments(argc, argv);
    const tarvello::CommandLine options = tarvello::parseCommandLine(arguments.program, tarvello::commandLineHelp());
    // The commands for scripts need no display, and take no option of Qt's: the application
    // object sees the program's name only.
    int nameOnly = 1;
    if (options.action == tarvello::CommandLine::Action::Help
        || options.action == tarvello::CommandLine::Action::Version
        || options.action == tarvello::CommandLine::Action::Error) {
        // Translations need an application object; the texts are read again once it has them.
        QCoreApplication app(nameOnly, argv);
        tarvello::installTranslations(app);
        const tarvello::CommandLine told = tarvello::parseCommandLine(arguments.program, tarvello::commandLineHelp());
        if (told.action == tarvello::CommandLine::Action::Error) {
            std::fputs(tarvello::commandLineErrorText(told).toLocal8Bit().constData(), stderr);
            return 2;
        }
        std::fputs(told.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    switch (options.action) {
    case tarvello::CommandLine::Action::ListDestinations: {
        QCoreApplication app(nameOnly, argv);
        tarvello::installTranslations(app);
        tarvello::DestinationStore destinations;
        return tarvello::listDestinations(destinations, stdout);
    }
    case tarvello::CommandLine::Action::ImportDestination: {
        QCoreApplication app(nameOnly, argv);
        tarvello::installTranslations(app);
        tarvello::DestinationStore destinations;
        return tarvello::importDestination(destinations, options.value, stdout, stderr);
    }
    case tarvello::CommandLine::Action::Upload: {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(nameOnly, argv);
        tarvello::installTranslations(app);
        tarvello::DestinationStore destinations;
        tarvello::HistoryStore history(tarvello::HistoryStore::defaultPath());
        return tarvello::uploadFiles(destinations, options.destination, options.paths, stdin, stdout, stderr, &history);
    }
    case tarvello::CommandLine::Action::History: {
        QCoreApplication app(nameOnly, argv);
        tarvello::installTranslations(app);
        return tarvello::printHistory(tarvello::HistoryStore::defaultPath(), options.count, stdout, stderr);
    }
    default:
        break;
    }

    int qtArgc = int(arguments.qt.size()) - 1;
    QApplication app(qtArgc, arguments.qt.data());
    tarvello::installTranslations(app);
    QApplication::setApplicationName(QStringLiteral("tarvello"));
    QApplication::setApplicationVersion(QStringLiteral(TARVELLO_VERSION));
    // Wayland desktops find the window's icon and name through its desktop entry, by this name.
    QApplication::setDesktopFileName(QStringLiteral("org.tarvello.Uploader"));
    // --screenshot and --add go to the program already running in this session, if one is.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (const std::optional<int> status = tarvello::actInRunningProgram(options, bus))
        return *status;
    // One history for the run, written until the window is gone.
    tarvello::HistoryStore history(tarvello::HistoryStore::defaultPath());
    mw window;
    window.setHistory(&history);
    window.rememberDesktopState();
    tarvello::SingleProgram single(window);
    if (const std::optional<int> status = single.start(options, bus))
        return *status;
    return app.exec();
}
