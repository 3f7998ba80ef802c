#pragma once

#include <chrono>
#include <cstdint>

namespace host {

// How fast a transfer must go: once its grace has passed, a transfer that began at `start` must
// have moved at least (elapsed - grace) x rate bytes. An average, so a client on a slow link that
// pauses (a phone between cells) lives on the bytes it sent ahead, while one that trickles a
// byte now and then falls behind within a grace period.
class Pace
{
public:
    using Clock = std::chrono::steady_clock;

    Pace() = default;
    Pace(Clock::time_point start, std::chrono::milliseconds grace, uint64_t rate)
        : m_start(start), m_grace(grace), m_rate(rate)
    {
    }

    // The bytes due by `now`: none within the grace.
    uint64_t due(Clock::time_point now) const;
    bool behind(uint64_t bytes, Clock::time_point now) const { return bytes < due(now); }
    // The average rate of `bytes` since the start, for a log line.
    uint64_t rateOf(uint64_t bytes, Clock::time_point now) const;

private:
    Clock::time_point m_start;
    std::chrono::milliseconds m_grace{0};
    uint64_t m_rate = 0;
};

// Bytes the peer of a TCP socket has acknowledged since it connected: what it really took,
// unlike what the host handed to the kernel, which may hold megabytes for a reader that takes
// nothing. False if the kernel does not say.
bool acknowledgedBytes(int fd, uint64_t *bytes);

} // namespace host
