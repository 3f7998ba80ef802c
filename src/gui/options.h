#pragma once

#include <QString>
#include <QStringList>

namespace tarvello {

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
