#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace host {

// Slows down password guessing without locking the real user out for long. Wrong logins are
// counted per client address and per account; past a number of free tries each further try
// must wait twice as long as the last (from 1 s up to a cap), and a try made while waiting is
// answered without looking at the password. The account's wait is short, and it does not apply
// from an address that logged in to that account before, so an attacker who guesses from many
// addresses can delay a real user by seconds at most, and not at all from where they usually
// log in. Counts are forgotten an hour after the last wrong login.
class LoginBrake
{
public:
    using Clock = std::chrono::steady_clock;
    struct Rules
    {
        unsigned addressTries = 5;
        unsigned accountTries = 20;
        std::chrono::seconds addressCap{300};
        std::chrono::seconds accountCap{30};
        std::chrono::seconds forget{3600};
        std::chrono::seconds trusted{30 * 24 * 3600};
        size_t maxEntries = 100000; // per table; the oldest go first
    };

    explicit LoginBrake(const Rules &rules) : m_rules(rules) {}
    LoginBrake(const LoginBrake &) = delete;
    LoginBrake &operator=(const LoginBrake &) = delete;

    enum class Outcome { Good, Wrong, Wait };
    // One login: checked with `matches` unless it must wait (then *wait says how many seconds),
    // and counted, all at once, so that tries made together cannot slip past the count.
    Outcome attempt(const std::string &address, const std::string &account, Clock::time_point now,
                    const std::function<bool()> &matches, unsigned *wait);

    // Whole seconds to wait before a login from that address for that account is looked at;
    // 0: look at it now.
    unsigned wait(const std::string &address, const std::string &account, Clock::time_point now) const;
    void failed(const std::string &address, const std::string &account, Clock::time_point now);
    void succeeded(const std::string &address, const std::string &account, Clock::time_point now);

private:
    struct Count
    {
        unsigned failures = 0;
        Clock::time_point last;
        Clock::time_point until;
    };
    using Table = std::map<std::string, Count>;
    unsigned waitLocked(const std::string &address, const std::string &account, Clock::time_point now) const;
    void failedLocked(const std::string &address, const std::string &account, Clock::time_point now);
    void succeededLocked(const std::string &address, const std::string &account, Clock::time_point now);
    void count(Table &table, const std::string &key, unsigned tries, std::chrono::seconds cap, Clock::time_point now);
    bool trusted(const std::string &address, const std::string &account, Clock::time_point now) const;
    void makeRoom(Table &table, Clock::time_point now);

    const Rules m_rules;
    mutable std::mutex m_mutex;
    Table m_addresses;
    Table m_accounts;
    std::map<std::pair<std::string, std::string>, Clock::time_point> m_trusted; // (account, address)
};

} // namespace host
