#include "gui/options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include "base/version.h"

namespace tarvello {

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
            QCoreApplication::translate("mw", "Uploads images to an image host and shows their links."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("images"),
                                 QCoreApplication::translate("mw", "Image files to queue."),
                                 QStringLiteral("[images...]"));

    CommandLine result;
    const bool parsed = parser.parse(arguments);
    // Asked for help, the user gets it even next to an option we do not know.
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = CommandLine::Action::Help;
        // Qt names the program after the application object, which does not exist yet.
        QString usage = parser.helpText();
        const QString prefix = QStringLiteral("Usage: ");
        const int end = usage.indexOf(QLatin1String(" [options]"));
        if (usage.startsWith(prefix) && end > 0 && !arguments.isEmpty())
            usage.replace(prefix.size(), end - prefix.size(), QFileInfo(arguments.first()).fileName());
        result.text = usage;
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::Version;
        result.text = QStringLiteral("tarvello " TARVELLO_VERSION "\n");
    } else if (!parsed) {
        result.action = CommandLine::Action::Error;
        result.text = parser.errorText() + QLatin1Char('\n');
    } else {
        result.paths = parser.positionalArguments();
    }
    return result;
}

} // namespace tarvello
