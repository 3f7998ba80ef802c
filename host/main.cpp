// tarvello-host: a small image host that takes the uploader's requests, stores the images and
// serves them back, so the program works end to end on one machine or for a team.

#include "filelimit.h"
#include "options.h"
#include "portfile.h"
#include "server.h"
#include "store.h"

#include <csignal>
#include <iostream>
#include <pthread.h>

int main(int argc, char **argv)
{
    const host::ParsedOptions parsed = host::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.outcome == host::ParsedOptions::Help) {
        std::cout << host::usageText();
        return 0;
    }
    if (parsed.outcome == host::ParsedOptions::Version) {
        std::cout << host::versionText();
        return 0;
    }
    if (parsed.outcome == host::ParsedOptions::Error) {
        std::cerr << "tarvello-host: " << parsed.error << "\n" << host::usageText();
        return 2;
    }
    const host::Options &options = parsed.options;

    // Write failures are reported by write() and handled there, not by a signal.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    // The stop signals are waited for below; every thread inherits the blocked mask. A hang-up
    // (the terminal closed, or a service manager's reload) stops the host as cleanly as SIGTERM.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    std::string problem;
    if (!host::ensureFileLimit(host::filesNeeded(options), &problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    host::Store store(options.dataDir);
    const auto log = [](const std::string &line) { std::cerr << "tarvello-host: " << line << std::endl; };
    if (!store.open(&problem, log)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    host::Accounts accounts;
    if (!options.usersFile.empty() && !accounts.load(options.usersFile, &problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    host::Server server(options, store, accounts, log);
    if (!server.start(&problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    if (!options.portFile.empty() && !host::writePortFile(options.portFile, server.port(), &problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    std::cout << "tarvello-host: serving " << server.describeBase() << "/ from " << store.directory() << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return 0;
}
