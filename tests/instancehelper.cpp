// A second `tarvello` as a desktop key starts it: it parses its command line and hands the
// request to the running program, as main does, and says "none running" (status 3) where main
// would start the program itself. INSTANCE_TIMEOUT_MS shortens the wait.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>

#include <cstdio>

#include "base/commandline.h"
#include "gui/remotecommand.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    using namespace tarvello;
    const CommandLine line = parseCommandLine(QStringList(QFile::decodeName(argv[0])) + argumentPaths(argc, argv),
                                              commandLineHelp());
    if (line.action == CommandLine::Action::Error) {
        std::fputs(commandLineErrorText(line).toLocal8Bit().constData(), stderr);
        return 2;
    }
    const int timeout = qEnvironmentVariableIsSet("INSTANCE_TIMEOUT_MS") ? qEnvironmentVariableIntValue("INSTANCE_TIMEOUT_MS") : 5000;
    const std::optional<int> status = actInRunningProgram(line, QDBusConnection::sessionBus(), timeout);
    if (!status) {
        std::fputs("none running\n", stdout);
        return 3;
    }
    return *status;
}
