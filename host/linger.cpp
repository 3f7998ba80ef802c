#include "linger.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace host {

Linger::Linger()
    : m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    m_thread = std::thread([this] { run(); });
}

Linger::~Linger()
{
    stop();
    if (m_wake >= 0)
        ::close(m_wake);
}

void Linger::adopt(int fd, uint64_t bytes, std::chrono::milliseconds time, std::chrono::milliseconds idle,
                   std::function<void()> done)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_stopping) {
            const Clock::time_point now = Clock::now();
            m_held.push_back({fd, bytes, now + time, now + idle, idle, std::move(done)});
            fd = -1;
        }
    }
    if (fd >= 0) {
        ::close(fd);
        if (done)
            done();
        return;
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wake, &one, sizeof one);
}

void Linger::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wake, &one, sizeof one);
    if (m_thread.joinable())
        m_thread.join();
}

void Linger::run()
{
    std::vector<pollfd> polled;
    std::vector<std::function<void()>> finished;
    for (;;) {
        Clock::time_point next = Clock::time_point::max();
        polled.assign(1, pollfd{m_wake, POLLIN, 0});
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stopping) {
                for (Held &held : m_held) {
                    ::close(held.fd);
                    if (held.done)
                        finished.push_back(std::move(held.done));
                }
                m_held.clear();
                break;
            }
            for (const Held &held : m_held) {
                polled.push_back(pollfd{held.fd, POLLIN, 0});
                next = std::min({next, held.end, held.idleEnd});
            }
        }
        int timeout = -1;
        if (next != Clock::time_point::max()) {
            const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count();
            timeout = int(std::clamp<long long>(wait + 1, 0, 60000));
        }
        if (::poll(polled.data(), polled.size(), timeout) < 0 && errno != EINTR)
            break;
        if (polled[0].revents) {
            uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_wake, &count, sizeof count);
        }

        sweep(polled, &finished);
        for (auto &done : finished)
            done();
        finished.clear();
    }
    for (auto &done : finished)
        done();
}

// Reads what came on each polled socket and closes those that are done.
void Linger::sweep(const std::vector<pollfd> &polled, std::vector<std::function<void()>> *finished)
{
    char scratch[64 * 1024];
    std::lock_guard<std::mutex> lock(m_mutex);
    const Clock::time_point now = Clock::now();
    // Sockets adopted since the poll come after the polled ones and wait for the next round.
    for (size_t i = 1; i < polled.size(); ++i) {
        Held &held = m_held[i - 1];
        bool over = now >= held.end || now >= held.idleEnd;
        if (polled[i].revents) {
            const ssize_t n = ::recv(held.fd, scratch, size_t(std::min<uint64_t>(sizeof scratch, held.left)), MSG_DONTWAIT);
            if (n > 0) {
                held.left -= uint64_t(n);
                held.idleEnd = now + held.idle;
                over = held.left == 0 || now >= held.end;
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                over = true;
            }
        }
        if (over) {
            ::close(held.fd);
            held.fd = -1;
            if (held.done)
                finished->push_back(std::move(held.done));
        }
    }
    m_held.erase(std::remove_if(m_held.begin(), m_held.end(), [](const Held &held) { return held.fd < 0; }), m_held.end());
}

} // namespace host
