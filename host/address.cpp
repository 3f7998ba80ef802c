#include "address.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>

namespace host {

namespace {

std::string keyOf6(const in6_addr &address)
{
    if (IN6_IS_ADDR_V4MAPPED(&address)) {
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &address.s6_addr[12], text, sizeof text);
        return text;
    }
    in6_addr network = address;
    std::memset(&network.s6_addr[8], 0, 8);
    char text[INET6_ADDRSTRLEN] = {};
    inet_ntop(AF_INET6, &network, text, sizeof text);
    return std::string(text) + "/64";
}

} // namespace

std::string addressKey(const sockaddr *address)
{
    if (!address)
        return std::string();
    if (address->sa_family == AF_INET) {
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(address)->sin_addr, text, sizeof text);
        return text;
    }
    if (address->sa_family == AF_INET6)
        return keyOf6(reinterpret_cast<const sockaddr_in6 *>(address)->sin6_addr);
    return std::string();
}

std::string addressKey(const std::string &text)
{
    in_addr v4;
    if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
        char out[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &v4, out, sizeof out);
        return out;
    }
    std::string bare = text;
    if (bare.size() > 2 && bare.front() == '[' && bare.back() == ']')
        bare = bare.substr(1, bare.size() - 2);
    in6_addr v6;
    if (inet_pton(AF_INET6, bare.c_str(), &v6) == 1)
        return keyOf6(v6);
    return std::string();
}

bool ConnectionCounter::admits(const std::string &key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_all >= m_total)
        return false;
    if (m_perAddress == 0)
        return true;
    const auto it = m_open.find(key);
    return it == m_open.end() || it->second < m_perAddress;
}

void ConnectionCounter::add(const std::string &key)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_open[key];
    ++m_all;
}

void ConnectionCounter::remove(const std::string &key)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_open.find(key);
    if (it == m_open.end())
        return;
    if (--it->second == 0)
        m_open.erase(it);
    --m_all;
}

unsigned ConnectionCounter::count(const std::string &key) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_open.find(key);
    return it == m_open.end() ? 0 : it->second;
}

} // namespace host
