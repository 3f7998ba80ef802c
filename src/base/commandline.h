#pragma once

#include <QStringList>

namespace tarvello {

// The image paths named on the command line (everything after the program path), decoded the
// way the platform encodes file names so that non-ASCII names still name their files.
QStringList argumentPaths(int argc, const char *const *argv);

// The files to queue for these paths: a folder stands for the images in it, found as a dropped
// folder's are; anything else stays, so that what cannot be used still shows why.
QStringList queuedPaths(const QStringList &paths);

// What the command line asks for. Qt's own options (-platform, -style ...) are taken out by
// QApplication; before it exists only --help and --version are looked for, so that they work
// without a display.
struct CommandLine
{
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QStringList paths; // the images to queue, for Run
    QString text;      // what to print, for Help, Version and Error
};

// `arguments` as from argumentPaths, with the program path in front.
CommandLine parseCommandLine(const QStringList &arguments);

} // namespace tarvello
