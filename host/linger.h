#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <poll.h>
#include <thread>
#include <vector>

namespace host {

// Sockets whose answer is sent but whose client may still be sending a body the host refused.
// Closing such a socket at once makes the kernel answer the rest with a reset, and many
// clients then report a broken connection instead of reading the answer that already came.
// So the rest is read and thrown away, within bounds, before the socket is closed.
class Linger
{
public:
    Linger();
    ~Linger();
    Linger(const Linger &) = delete;
    Linger &operator=(const Linger &) = delete;

    // Takes over fd (its answer already sent): reads until the client closes, `bytes` were
    // read, nothing came for `idle`, or `time` has passed; then closes it and calls done.
    void adopt(int fd, uint64_t bytes, std::chrono::milliseconds time, std::chrono::milliseconds idle,
               std::function<void()> done);
    // Closes whatever is still held.
    void stop();

private:
    using Clock = std::chrono::steady_clock;
    struct Held
    {
        int fd;
        uint64_t left;
        Clock::time_point end;
        Clock::time_point idleEnd;
        std::chrono::milliseconds idle;
        std::function<void()> done;
    };
    void run();
    void sweep(const std::vector<pollfd> &polled, std::vector<std::function<void()>> *finished);

    std::mutex m_mutex;
    std::vector<Held> m_held;
    bool m_stopping = false;
    int m_wake = -1; // an eventfd that interrupts the wait when a socket is added or on stop
    std::thread m_thread;
};

} // namespace host
