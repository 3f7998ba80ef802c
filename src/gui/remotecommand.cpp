#include "gui/remotecommand.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "base/historylisting.h"
#include "base/request.h"

namespace tarvello {

CommandLineHelp commandLineHelp()
{
    CommandLineHelp help;
    help.application = QCoreApplication::translate("mw", "Uploads images to an image host and shows their links.")
            + QLatin1String("\n\n") + QCoreApplication::translate("mw", "Environment:") + QLatin1Char('\n')
            + QCoreApplication::translate("mw", "  TARVELLO_HOST       the built-in destination's host, host[:port] or "
                                                "https://host[:port] (built in: %1)").arg(builtInImageHost())
            + QLatin1Char('\n')
            + QCoreApplication::translate("mw", "  TARVELLO_CA_FILE    a PEM file of certificates to trust for an https "
                                                "built-in host, besides the system's")
            + QLatin1String("\n\n")
            + QCoreApplication::translate("mw", "Qt options, honoured before \"--\" only: -platform name, -style name, "
                                                "-reverse. After \"--\" every argument is a file.");
    help.images = QCoreApplication::translate("mw", "Image files to queue.");
    help.screenshot = QCoreApplication::translate("mw", "Take a screenshot in the running uploader, or start one to take it.");
    help.region = QCoreApplication::translate("mw", "With --screenshot: drag a rectangle to capture.");
    help.window = QCoreApplication::translate("mw", "With --screenshot: click a window to capture.");
    help.delay = QCoreApplication::translate("mw", "With --screenshot: wait this many seconds first (0 to %1).")
                         .arg(maxCaptureDelay);
    help.delayValue = QCoreApplication::translate("mw", "seconds");
    help.add = QCoreApplication::translate("mw", "Queue the files in the running uploader, or start one with them.");
    help.upload = QCoreApplication::translate("mw", "Upload the files without a window, print each link on a line, and exit "
                                                    "(0: all uploaded, 1: any failed, 2: a usage error). \"-\" reads an image "
                                                    "from standard input.");
    help.destination = QCoreApplication::translate("mw", "With --upload: the destination to upload to (its name, any case); "
                                                         "without it, the one chosen in the window.");
    help.destinationValue = QCoreApplication::translate("mw", "name");
    help.importDestination = QCoreApplication::translate("mw", "Import a custom-uploader file (.sxcu) as a destination, "
                                                               "without asking, and print its name.");
    help.importValue = QCoreApplication::translate("mw", "file");
    help.listDestinations = QCoreApplication::translate("mw", "Print the destinations, one name a line, the built-in one first.");
    help.history = QCoreApplication::translate("mw", "--history [N]: print the newest N links of the upload history "
                                                     "(%1 if not given), newest first, a line each: time, link, file and "
                                                     "destination, separated by tabs.").arg(defaultHistoryLines);
    return help;
}

QString commandLineErrorText(const CommandLine &line)
{
    QString text;
    switch (line.problem) {
    case CommandLine::Problem::None:
        return QString();
    case CommandLine::Problem::Parser:
        return line.text;
    case CommandLine::Problem::BadDelay:
        text = QCoreApplication::translate("mw", "The delay must be a whole number of seconds from 0 to %1, not \"%2\".")
                       .arg(maxCaptureDelay)
                       .arg(line.value);
        break;
    case CommandLine::Problem::CaptureWithoutScreenshot:
        text = QCoreApplication::translate("mw", "%1 goes with --screenshot.").arg(line.value);
        break;
    case CommandLine::Problem::TwoModes:
        text = QCoreApplication::translate("mw", "Give --region or --window, not both.");
        break;
    case CommandLine::Problem::ScreenshotWithFiles:
        text = QCoreApplication::translate("mw", "--screenshot takes no files, but %1 was given.")
                       .arg(QDir::toNativeSeparators(line.value));
        break;
    case CommandLine::Problem::ScreenshotAndAdd:
        text = QCoreApplication::translate("mw", "Give --screenshot or --add, not both.");
        break;
    case CommandLine::Problem::MissingFile:
        text = QCoreApplication::translate("mw", "%1 does not exist.").arg(QDir::toNativeSeparators(line.value));
        break;
    case CommandLine::Problem::UploadWithoutFiles:
        text = QCoreApplication::translate("mw", "--upload needs at least one file, or \"-\" for standard input.");
        break;
    case CommandLine::Problem::DestinationWithoutUpload:
        text = QCoreApplication::translate("mw", "--destination goes with --upload.");
        break;
    case CommandLine::Problem::TwoCommands:
        text = QCoreApplication::translate("mw", "Give one of --upload, --import-destination, --list-destinations, "
                                                 "--history, --screenshot and --add at a time.");
        break;
    case CommandLine::Problem::BadHistoryCount:
        text = QCoreApplication::translate("mw", "--history takes how many links to print, a whole number from 1, "
                                                 "not \"%1\".").arg(line.value);
        break;
    }
    return text + QLatin1Char('\n');
}

QString instanceAnswerText(const InstanceAnswer &answer)
{
    QString text;
    switch (answer.outcome) {
    case InstanceAnswer::Outcome::Done:
        return QString();
    case InstanceAnswer::Outcome::Refused:
        switch (answer.refusal) {
        case InstanceRefusal::Busy:
            text = QCoreApplication::translate("mw", "The uploader is busy with another capture.");
            break;
        case InstanceRefusal::Unsupported:
            text = QCoreApplication::translate("mw", "The uploader cannot do that on this desktop.");
            break;
        case InstanceRefusal::BadRequest:
            text = QCoreApplication::translate("mw", "The running uploader did not understand the request.");
            break;
        case InstanceRefusal::OtherUser:
            text = QCoreApplication::translate("mw", "The running uploader belongs to another user.");
            break;
        case InstanceRefusal::None:
            break;
        }
        break;
    case InstanceAnswer::Outcome::NoneRunning:
        text = QCoreApplication::translate("mw", "No uploader is running.");
        break;
    case InstanceAnswer::Outcome::NoAnswer:
        text = QCoreApplication::translate("mw", "The running uploader did not answer in time.");
        break;
    case InstanceAnswer::Outcome::Failed:
        text = QCoreApplication::translate("mw", "The running uploader could not be reached: %1").arg(answer.detail);
        break;
    }
    return text + QLatin1Char('\n');
}

std::optional<int> actInRunningProgram(const CommandLine &line, const QDBusConnection &bus, int timeoutMs)
{
    const InstanceClient client(bus, timeoutMs);
    InstanceAnswer answer;
    switch (line.action) {
    case CommandLine::Action::Screenshot:
        answer = client.capture(line.capture);
        break;
    case CommandLine::Action::Add:
        answer = line.paths.isEmpty() ? client.show() : client.add(line.paths);
        break;
    default:
        return std::nullopt;
    }
    if (answer.outcome == InstanceAnswer::Outcome::NoneRunning)
        return std::nullopt;
    if (answer.outcome == InstanceAnswer::Outcome::Done)
        return 0;
    std::fputs(instanceAnswerText(answer).toLocal8Bit().constData(), stderr);
    return 1;
}

} // namespace tarvello
