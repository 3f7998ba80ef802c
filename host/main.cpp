// tarvello-host: a small image host that takes the uploader's requests, stores the images and
// serves them back, so the program works end to end on one machine or for a team.

#include "options.h"
#include "server.h"
#include "store.h"

#include <csignal>
#include <fstream>
#include <iostream>
#include <pthread.h>

int main(int argc, char **argv)
{
    const host::ParsedOptions parsed = host::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.outcome == host::ParsedOptions::Help) {
        std::cout << host::usageText();
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
    // SIGINT and SIGTERM are waited for below; every thread inherits the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    host::Store store(options.dataDir);
    std::string problem;
    if (!store.open(&problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    host::Accounts accounts;
    if (!options.usersFile.empty() && !accounts.load(options.usersFile, &problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    host::Server server(options, store, accounts);
    if (!server.start(&problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    if (!options.portFile.empty())
        std::ofstream(options.portFile) << server.port() << "\n";
    std::cout << "tarvello-host: serving " << server.describeBase() << "/ from " << store.directory() << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.stop();
    return 0;
}
