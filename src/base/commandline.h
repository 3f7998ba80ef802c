#pragma once

#include <QStringList>

#include <vector>

#include "base/capturerequest.h"

namespace tarvello {

// The image paths named on the command line (everything after the program path), decoded the
// way the platform encodes file names so that non-ASCII names still name their files.
QStringList argumentPaths(int argc, const char *const *argv);

// The command line split between Qt and the program. Qt takes its options out of argv wherever
// they stand, and some of them load code (-platformpluginpath, -plugin, -platformtheme ...), so
// the application object gets only the program path and the few options below, and only from
// before "--": -platform and -style by a plain name, and -reverse. Everything else is the program's, so a file named like an option is a file after
// "--" and an unknown option before it.
struct SplitArguments
{
    std::vector<char *> qt;  // for QApplication, argv[0] first; points into the argv given
    QStringList program;     // for parseCommandLine, the program path first
};
SplitArguments splitArguments(int argc, char **argv);

// The words of --help, which the window layer supplies so that they can be translated. Empty
// descriptions leave the options listed without them.
struct CommandLineHelp
{
    QString application;
    QString images;
    QString screenshot;
    QString region;
    QString window;
    QString delay;
    QString delayValue;
    QString add;
    QString upload;
    QString destination;
    QString destinationValue;
    QString importDestination;
    QString importValue;
    QString listDestinations;
    QString history;
};

// What the command line asks for, Qt's options taken out (splitArguments).
struct CommandLine
{
    enum class Action {
        Run,        // start a window with `paths`
        Help,
        Version,
        Error,
        Screenshot, // take `capture`, in the running program if there is one
        Add,        // queue `paths` (absolute, maybe none) in the running program if there is one
        Upload,     // upload `paths` without a window ("-" is standard input) to `destination`
        ImportDestination, // import the custom-uploader file `value` without asking
        ListDestinations,
        History,    // print the newest `count` links of the upload history
    };
    // Why an Error is one.
    enum class Problem {
        None,
        Parser,              // Qt's parser refused it; `text` says why
        BadDelay,            // `value` is not a number of seconds from 0 to maxCaptureDelay
        CaptureWithoutScreenshot, // `value` (--region, --window or --delay) needs --screenshot
        TwoModes,            // --region and --window together
        ScreenshotWithFiles, // files next to --screenshot
        ScreenshotAndAdd,    // --screenshot and --add together
        MissingFile,         // `value` names nothing that exists
        UploadWithoutFiles,  // --upload and no file
        DestinationWithoutUpload, // --destination without --upload
        TwoCommands,         // two of --upload, --import-destination, --list-destinations,
                             // --history, --screenshot, --add
        BadHistoryCount,     // `value` after --history is not a number of links, 1 or more
    };

    Action action = Action::Run;
    QStringList paths;    // the images to queue, for Run and Add
    QString text;         // what to print, for Help, Version and a Parser error
    CaptureRequest capture; // for Screenshot
    QString destination;  // for Upload: the name given with --destination; empty for the chosen one
    int count = 0;        // for History
    Problem problem = Problem::None;
    QString value;        // what the problem is about
};

// `arguments` as from splitArguments, the program path in front. Files given to --add are
// made absolute here, against the current folder, since the program that queues them may run
// in another one.
CommandLine parseCommandLine(const QStringList &arguments, const CommandLineHelp &help = {});

} // namespace tarvello
