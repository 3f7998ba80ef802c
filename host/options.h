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
    // One person's uploader and browser together; 0: no limit (behind a reverse proxy every
    // client is the proxy). IPv6 clients count by their /64, which one machine usually holds.
    unsigned maxPerAddress = 16;
    // An answer must be read at this many bytes a second on average, after a header timeout's
    // grace, or its connection is cut.
    unsigned minRate = 4096;
    // A request body must arrive at this many bytes a second on average, after a header
    // timeout's grace, or its connection is cut.
    unsigned minUploadRate = 4096;
    // A refused upload's remaining body is read and thrown away for this long, and up to this
    // many bytes (0: twice --max-size), so that the client is still reading when it comes to
    // look at the answer.
    unsigned lingerTime = 10;
    uint64_t lingerSize = 0;
    // Wrong logins allowed before each further try must wait: from one address, for one account.
    unsigned loginTries = 5;
    unsigned accountTries = 20;
    // Requests from this address carry the client's address in X-Forwarded-For.
    std::string trustedProxy;
};

struct ParsedOptions
{
    enum Outcome { Run, Help, Version, Error } outcome = Run;
    std::string error;
    Options options;
};

// The arguments after the program name.
ParsedOptions parseOptions(const std::vector<std::string> &arguments);
std::string usageText();
std::string versionText();

// A decimal number in [min, max] and nothing else (no sign, no spaces, no trailing text).
bool parseNumber(const std::string &text, uint64_t min, uint64_t max, uint64_t *value);

// How many open files the host may need at most with these options: a socket and a file for
// each connection, and a few of its own.
uint64_t filesNeeded(const Options &options);

} // namespace host
