#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct Options
{
    std::string listen = "127.0.0.1";
    uint16_t port = 8765;
    std::string dataDir = "tarvello-host-data";
    std::string usersFile;
    std::string publicUrl; // without a trailing '/'; empty: made from the listening address
    std::string portFile;
    uint64_t maxSize = 128u * 1024u * 1024u;
    std::string tlsCert;
    std::string tlsKey;
    unsigned headerTimeout = 10;   // seconds for a request's headers, and for an idle connection
    unsigned requestTimeout = 300; // seconds for a whole request, body included
    unsigned maxConnections = 1000;
    unsigned maxPerAddress = 500; // 0: no limit (behind a reverse proxy every client is the proxy)
};

struct ParsedOptions
{
    enum Outcome { Run, Help, Error } outcome = Run;
    std::string error;
    Options options;
};

// The arguments after the program name.
ParsedOptions parseOptions(const std::vector<std::string> &arguments);
std::string usageText();

// A decimal number in [min, max] and nothing else (no sign, no spaces, no trailing text).
bool parseNumber(const std::string &text, uint64_t min, uint64_t max, uint64_t *value);

} // namespace host
