#include "base/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "base/historylisting.h"
#include "base/version.h"

namespace tarvello {

QStringList argumentPaths(int argc, const char *const *argv)
{
    QStringList paths;
    for (int i = 1; i < argc; ++i)
        paths.append(QFile::decodeName(argv[i]));
    return paths;
}

namespace {

// Qt's options that are safe to honour: each is taken by Qt exactly as it is given here on every
// platform (an option Qt reads a value for on one platform only would let the next argument be
// read as an option of its own), and none loads anything but a plugin of Qt's own folders by name.
bool isPlainName(QByteArrayView value)
{
    return !value.isEmpty() && !value.contains('/') && !value.startsWith('-');
}

} // namespace

SplitArguments splitArguments(int argc, char **argv)
{
    SplitArguments split;
    if (argc < 1)
        return split;
    split.qt.push_back(argv[0]);
    split.program.append(QFile::decodeName(argv[0]));
    bool afterDashes = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView arg(argv[i]);
        if (!afterDashes && arg == "--")
            afterDashes = true;
        if (!afterDashes && arg.size() > 1 && arg.front() == '-') {
            // Qt reads "--option" as "-option" too.
            const QByteArrayView option = arg.sliced(arg.startsWith("--") ? 2 : 1);
            if (option == "reverse") {
                split.qt.push_back(argv[i]);
                continue;
            }
            if (option.startsWith("style=") && isPlainName(option.sliced(6))) {
                split.qt.push_back(argv[i]);
                continue;
            }
            if ((option == "platform" || option == "style") && i + 1 < argc && isPlainName(argv[i + 1])) {
                split.qt.push_back(argv[i]);
                split.qt.push_back(argv[++i]);
                continue;
            }
        }
        split.program.append(QFile::decodeName(argv[i]));
    }
    split.qt.push_back(nullptr); // argv ends with a null pointer, as Qt may expect
    return split;
}

namespace {

// The commands that run without a window, and tell by their exit status how it went.
bool checkScriptCommands(const QCommandLineParser &parser, CommandLine &result)
{
    const bool upload = parser.isSet(QStringLiteral("upload"));
    const bool import = parser.isSet(QStringLiteral("import-destination"));
    const bool list = parser.isSet(QStringLiteral("list-destinations"));
    const bool history = parser.isSet(QStringLiteral("history"));
    const int commands = int(upload) + int(import) + int(list) + int(history)
            + int(parser.isSet(QStringLiteral("screenshot"))) + int(parser.isSet(QStringLiteral("add")));
    auto fail = [&result](CommandLine::Problem problem, const QString &value = QString()) {
        result.action = CommandLine::Action::Error;
        result.problem = problem;
        result.value = value;
        return true;
    };
    if (commands > 1 && (upload || import || list || history))
        return fail(CommandLine::Problem::TwoCommands);
    if (parser.isSet(QStringLiteral("destination")) && !upload)
        return fail(CommandLine::Problem::DestinationWithoutUpload);
    if (upload) {
        if (parser.positionalArguments().isEmpty())
            return fail(CommandLine::Problem::UploadWithoutFiles);
        result.action = CommandLine::Action::Upload;
        result.paths = parser.positionalArguments();
        result.destination = parser.value(QStringLiteral("destination"));
        return true;
    }
    if (import) {
        result.action = CommandLine::Action::ImportDestination;
        result.value = parser.value(QStringLiteral("import-destination"));
        return true;
    }
    if (list) {
        result.action = CommandLine::Action::ListDestinations;
        return true;
    }
    if (history) {
        // An optional value, which Qt's parser does not have: the first word after it, if any.
        const QStringList words = parser.positionalArguments();
        bool number = words.isEmpty();
        result.count = words.isEmpty() ? defaultHistoryLines : words.first().toInt(&number);
        if (words.size() > 1 || !number || result.count < 1)
            return fail(CommandLine::Problem::BadHistoryCount, words.value(words.size() > 1 && number ? 1 : 0));
        result.action = CommandLine::Action::History;
        return true;
    }
    return false;
}

// The checks that Qt's parser cannot make: which options go together, the delay, the files.
void checkCaptureAndAdd(const QCommandLineParser &parser, CommandLine &result)
{
    const bool screenshot = parser.isSet(QStringLiteral("screenshot"));
    const bool region = parser.isSet(QStringLiteral("region"));
    const bool window = parser.isSet(QStringLiteral("window"));
    const bool delay = parser.isSet(QStringLiteral("delay"));
    const bool add = parser.isSet(QStringLiteral("add"));
    const QStringList files = parser.positionalArguments();

    auto fail = [&result](CommandLine::Problem problem, const QString &value = QString()) {
        result.action = CommandLine::Action::Error;
        result.problem = problem;
        result.value = value;
    };
    if (screenshot && add)
        return fail(CommandLine::Problem::ScreenshotAndAdd);
    if (!screenshot) {
        if (region || window || delay) {
            return fail(CommandLine::Problem::CaptureWithoutScreenshot,
                        region ? QStringLiteral("--region") : window ? QStringLiteral("--window") : QStringLiteral("--delay"));
        }
    } else {
        if (region && window)
            return fail(CommandLine::Problem::TwoModes);
        if (!files.isEmpty())
            return fail(CommandLine::Problem::ScreenshotWithFiles, files.first());
        CaptureRequest capture;
        capture.mode = region ? CaptureMode::Region : window ? CaptureMode::Window : CaptureMode::Whole;
        if (delay) {
            const QString given = parser.value(QStringLiteral("delay"));
            bool number = false;
            capture.delaySeconds = given.toInt(&number);
            if (!number || capture.delaySeconds < 0 || capture.delaySeconds > maxCaptureDelay)
                return fail(CommandLine::Problem::BadDelay, given);
        }
        result.action = CommandLine::Action::Screenshot;
        result.capture = capture;
        return;
    }
    if (add) {
        // Without files (a desktop entry started from the menu, where %F is empty) it brings up
        // the running program, or starts one.
        QStringList absolute;
        for (const QString &file : files) {
            const QFileInfo info(file);
            if (!info.exists())
                return fail(CommandLine::Problem::MissingFile, file);
            absolute.append(info.absoluteFilePath());
        }
        result.action = CommandLine::Action::Add;
        result.paths = absolute;
        return;
    }
    result.paths = files;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const CommandLineHelp &help)
{
    QCommandLineParser parser;
    // "-word" is one option, as Qt's own are, not letters: "-platformtheme" is no request for help.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(help.application);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
            {QStringLiteral("screenshot"), help.screenshot},
            {QStringLiteral("region"), help.region},
            {QStringLiteral("window"), help.window},
            {QStringLiteral("delay"), help.delay, help.delayValue.isEmpty() ? QStringLiteral("N") : help.delayValue},
            {QStringLiteral("add"), help.add},
            {QStringLiteral("upload"), help.upload},
            {QStringLiteral("destination"), help.destination,
             help.destinationValue.isEmpty() ? QStringLiteral("NAME") : help.destinationValue},
            {QStringLiteral("import-destination"), help.importDestination,
             help.importValue.isEmpty() ? QStringLiteral("FILE") : help.importValue},
            {QStringLiteral("list-destinations"), help.listDestinations},
            {QStringLiteral("history"), help.history},
    });
    parser.addPositionalArgument(QStringLiteral("images"), help.images, QStringLiteral("[images...]"));

    CommandLine result;
    const bool parsed = parser.parse(arguments);
    // Asked for help, the user gets it even next to an option we do not know.
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        result.action = CommandLine::Action::Help;
        // Qt names the program by the path it was started with, or by a placeholder before an
        // application object exists; the usage line, in whatever language, shows its plain name.
        QString usage = parser.helpText();
        const QString shown = QCoreApplication::instance() ? QCoreApplication::arguments().constFirst()
                                                           : QStringLiteral("<executable_name>");
        const qsizetype at = usage.indexOf(shown);
        if (at >= 0 && at < usage.indexOf(QLatin1Char('\n')) && !arguments.isEmpty())
            usage.replace(at, shown.size(), QFileInfo(arguments.first()).fileName());
        result.text = usage;
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::Version;
        result.text = QStringLiteral("tarvello " TARVELLO_VERSION "\n" TARVELLO_WINDOW_VERSION "\n");
    } else if (!parsed) {
        result.action = CommandLine::Action::Error;
        result.problem = CommandLine::Problem::Parser;
        result.text = parser.errorText() + QLatin1Char('\n');
    } else if (!checkScriptCommands(parser, result)) {
        checkCaptureAndAdd(parser, result);
    }
    return result;
}

} // namespace tarvello
