#include "options.h"

#include <arpa/inet.h>
#include <functional>
#include <map>
#include <netinet/in.h>

namespace host {

std::string usageText()
{
    return "usage: tarvello-host [options]\n"
           "  --listen ADDR          address to listen on (default 127.0.0.1)\n"
           "  --port N               port (default 8765; 0 picks a free one)\n"
           "  --data DIR             where images are stored (default ./tarvello-host-data)\n"
           "  --users FILE           accounts, one \"name:password\" a line; without it only\n"
           "                         anonymous uploads are taken\n"
           "  --max-size BYTES       largest upload body taken (default 134217728)\n"
           "  --public-url URL       base of the links handed out (default http://ADDR:PORT,\n"
           "                         https:// with TLS)\n"
           "  --port-file FILE       write the port to FILE once listening\n"
           "  --tls-cert FILE        serve HTTPS with this certificate chain (PEM)...\n"
           "  --tls-key FILE         ...and this private key (PEM)\n"
           "  --header-timeout S     seconds a client has to send a request's headers (default 10)\n"
           "  --request-timeout S    seconds a client has to send a whole request (default 300)\n"
           "  --max-connections N    open connections at most (default 1000)\n"
           "  --max-per-address N    open connections from one address (an IPv6 /64) at most\n"
           "                         (default 16; 0 for none, e.g. behind a reverse proxy)\n"
           "  --min-rate BYTES       slowest average rate an answer may be read at, after\n"
           "                         --header-timeout seconds of grace (default 4096)\n"
           "  --min-upload-rate BYTES\n"
           "                         slowest average rate a request body may arrive at,\n"
           "                         after --header-timeout seconds of grace (default 4096)\n"
           "  --linger-time S        seconds a refused upload's body is still read and\n"
           "                         thrown away, so its client gets the answer (default 10)\n"
           "  --linger-size BYTES    how much of it at most (default twice --max-size)\n"
           "  --login-tries N        wrong logins from one address before each further try\n"
           "                         must wait, 1 s, 2 s, 4 s ... up to 5 minutes (default 5)\n"
           "  --account-tries N      wrong logins for one account, from addresses it was never\n"
           "                         used from, before each try waits, up to 30 s (default 20)\n"
           "  --trusted-proxy ADDR   take the client's address from X-Forwarded-For on\n"
           "                         requests that come from ADDR\n"
           "  --version              print the version and exit\n";
}

std::string versionText()
{
    return "tarvello-host " TARVELLO_VERSION "\n";
}

uint64_t filesNeeded(const Options &options)
{
    return 2 * uint64_t(options.maxConnections) + 64;
}

bool parseNumber(const std::string &text, uint64_t min, uint64_t max, uint64_t *value)
{
    if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const uint64_t number = std::stoull(text);
    if (number < min || number > max)
        return false;
    *value = number;
    return true;
}

ParsedOptions parseOptions(const std::vector<std::string> &arguments)
{
    ParsedOptions parsed;
    Options &o = parsed.options;
    auto text = [](std::string *out) {
        return [out](const std::string &value) {
            *out = value;
            return !value.empty();
        };
    };
    auto number = [](auto *out, uint64_t min, uint64_t max) {
        return [out, min, max](const std::string &value) {
            uint64_t n = 0;
            if (!parseNumber(value, min, max, &n))
                return false;
            *out = static_cast<std::remove_pointer_t<decltype(out)>>(n);
            return true;
        };
    };
    const std::map<std::string, std::function<bool(const std::string &)>> takers = {
        {"--listen", text(&o.listen)},
        {"--port", number(&o.port, 0, 65535)},
        {"--data", text(&o.dataDir)},
        {"--users", text(&o.usersFile)},
        {"--max-size", number(&o.maxSize, 1, uint64_t(1) << 40)},
        {"--public-url", text(&o.publicUrl)},
        {"--port-file", text(&o.portFile)},
        {"--tls-cert", text(&o.tlsCert)},
        {"--tls-key", text(&o.tlsKey)},
        {"--header-timeout", number(&o.headerTimeout, 1, 3600)},
        {"--request-timeout", number(&o.requestTimeout, 1, 86400)},
        {"--max-connections", number(&o.maxConnections, 1, 100000)},
        {"--max-per-address", number(&o.maxPerAddress, 0, 100000)},
        {"--min-rate", number(&o.minRate, 1, 1u << 30)},
        {"--min-upload-rate", number(&o.minUploadRate, 1, 1u << 30)},
        {"--linger-time", number(&o.lingerTime, 0, 3600)},
        {"--linger-size", number(&o.lingerSize, 0, uint64_t(1) << 40)},
        {"--login-tries", number(&o.loginTries, 1, 1000000)},
        {"--account-tries", number(&o.accountTries, 1, 1000000)},
        {"--trusted-proxy", text(&o.trustedProxy)},
    };
    auto error = [&parsed](const std::string &message) {
        parsed.outcome = ParsedOptions::Error;
        parsed.error = message;
        return parsed;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        if (name == "--help" || name == "-h") {
            parsed.outcome = ParsedOptions::Help;
            return parsed;
        }
        if (name == "--version") {
            parsed.outcome = ParsedOptions::Version;
            return parsed;
        }
        std::string value;
        bool hasValue = false;
        const size_t equals = name.find('=');
        if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
            hasValue = true;
        }
        const auto taker = takers.find(name);
        if (taker == takers.end())
            return error("unknown option " + name);
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return error(name + " needs a value");
            value = arguments[++i];
        }
        if (!taker->second(value))
            return error("invalid value for " + name + ": \"" + value + "\"");
    }
    if (!o.trustedProxy.empty()) {
        unsigned char binary[sizeof(in6_addr)];
        if (inet_pton(AF_INET, o.trustedProxy.c_str(), binary) != 1 && inet_pton(AF_INET6, o.trustedProxy.c_str(), binary) != 1)
            return error("--trusted-proxy must be an IPv4 or IPv6 address");
    }
    if (o.lingerSize == 0)
        o.lingerSize = 2 * o.maxSize;
    if (o.tlsCert.empty() != o.tlsKey.empty())
        return error("--tls-cert and --tls-key go together");
    if (!o.publicUrl.empty()) {
        while (!o.publicUrl.empty() && o.publicUrl.back() == '/')
            o.publicUrl.pop_back();
        const size_t scheme = o.publicUrl.find("://");
        const std::string schemeName = o.publicUrl.substr(0, scheme);
        if (scheme == std::string::npos || (schemeName != "http" && schemeName != "https")
            || o.publicUrl.size() == scheme + 3
            || o.publicUrl.find_first_of(" \t\r\n\"<>?#") != std::string::npos)
            return error("--public-url must be an http:// or https:// address");
    }
    return parsed;
}

} // namespace host
