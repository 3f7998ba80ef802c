#pragma once

#include <QDBusConnection>
#include <QString>

#include <optional>

#include "base/commandline.h"
#include "base/instance.h"

namespace tarvello {

// The words of --help, in the window's translation context.
CommandLineHelp commandLineHelp();

// Why the command line cannot be done, for standard error (ends with a newline).
QString commandLineErrorText(const CommandLine &line);

// What became of a request to the running program, for standard error; empty when it was done.
QString instanceAnswerText(const InstanceAnswer &answer);

// For --screenshot and --add: hands the request to the program running in this session on `bus`.
// Returns the exit status once that program took it (0) or would not (1, with the reason on
// standard error), and nothing when no program runs there: then the caller is the program, and
// does it itself.
std::optional<int> actInRunningProgram(const CommandLine &line, const QDBusConnection &bus,
                                       int timeoutMs = 5000);

} // namespace tarvello
