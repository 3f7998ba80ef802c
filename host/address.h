#pragma once

#include <map>
#include <mutex>
#include <string>

struct sockaddr;

namespace host {

// What the host counts a client by: an IPv4 address, or the /64 network of an IPv6 address
// (one machine commonly holds a whole /64 and may pick any address in it). Empty if the text
// or address is not an IP address.
std::string addressKey(const sockaddr *address);
std::string addressKey(const std::string &text);

// Open connections by client, lingering ones included, so that neither one client nor all of
// them together hold more than their share of the host's files.
class ConnectionCounter
{
public:
    ConnectionCounter(unsigned total, unsigned perAddress) : m_total(total), m_perAddress(perAddress) {}
    ConnectionCounter(const ConnectionCounter &) = delete;
    ConnectionCounter &operator=(const ConnectionCounter &) = delete;

    // Whether one more connection from that client is allowed now.
    bool admits(const std::string &key) const;
    void add(const std::string &key);
    void remove(const std::string &key);
    unsigned count(const std::string &key) const;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, unsigned> m_open;
    unsigned m_all = 0;
    const unsigned m_total;
    const unsigned m_perAddress;
};

} // namespace host
