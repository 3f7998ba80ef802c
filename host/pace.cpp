#include "pace.h"

#include <cstddef>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace host {

uint64_t Pace::due(Clock::time_point now) const
{
    const auto late = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_start) - m_grace;
    if (late.count() <= 0)
        return 0;
    const uint64_t ms = uint64_t(late.count());
    return m_rate != 0 && ms > UINT64_MAX / m_rate ? UINT64_MAX : ms * m_rate / 1000;
}

uint64_t Pace::rateOf(uint64_t bytes, Clock::time_point now) const
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_start).count();
    return elapsed > 0 ? bytes * 1000 / uint64_t(elapsed) : bytes;
}

bool acknowledgedBytes(int fd, uint64_t *bytes)
{
    tcp_info info{};
    socklen_t length = sizeof info;
    if (::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &length) != 0
        || length < offsetof(tcp_info, tcpi_bytes_acked) + sizeof info.tcpi_bytes_acked)
        return false;
    *bytes = info.tcpi_bytes_acked;
    return true;
}

} // namespace host
