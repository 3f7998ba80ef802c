#include "brake.h"

#include <algorithm>

namespace host {

namespace {

unsigned secondsUntil(LoginBrake::Clock::time_point until, LoginBrake::Clock::time_point now)
{
    if (until <= now)
        return 0;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count();
    return unsigned((left + 999) / 1000);
}

} // namespace

LoginBrake::Outcome LoginBrake::attempt(const std::string &address, const std::string &account, Clock::time_point now,
                                        const std::function<bool()> &matches, unsigned *wait)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    *wait = waitLocked(address, account, now);
    if (*wait > 0)
        return Outcome::Wait;
    if (!matches()) {
        failedLocked(address, account, now);
        return Outcome::Wrong;
    }
    succeededLocked(address, account, now);
    return Outcome::Good;
}

unsigned LoginBrake::wait(const std::string &address, const std::string &account, Clock::time_point now) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return waitLocked(address, account, now);
}

void LoginBrake::failed(const std::string &address, const std::string &account, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    failedLocked(address, account, now);
}

void LoginBrake::succeeded(const std::string &address, const std::string &account, Clock::time_point now)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    succeededLocked(address, account, now);
}

unsigned LoginBrake::waitLocked(const std::string &address, const std::string &account, Clock::time_point now) const
{
    unsigned seconds = 0;
    const auto byAddress = m_addresses.find(address);
    if (byAddress != m_addresses.end())
        seconds = secondsUntil(byAddress->second.until, now);
    const auto byAccount = m_accounts.find(account);
    if (byAccount != m_accounts.end() && !trusted(address, account, now))
        seconds = std::max(seconds, secondsUntil(byAccount->second.until, now));
    return seconds;
}

void LoginBrake::failedLocked(const std::string &address, const std::string &account, Clock::time_point now)
{
    count(m_addresses, address, m_rules.addressTries, m_rules.addressCap, now);
    // The real user's slips where they usually log in do not slow the account down elsewhere.
    if (!trusted(address, account, now))
        count(m_accounts, account, m_rules.accountTries, m_rules.accountCap, now);
}

void LoginBrake::succeededLocked(const std::string &address, const std::string &account, Clock::time_point now)
{
    if (m_trusted.size() >= m_rules.maxEntries) {
        for (auto it = m_trusted.begin(); it != m_trusted.end();)
            it = now - it->second > m_rules.trusted ? m_trusted.erase(it) : std::next(it);
        if (m_trusted.size() >= m_rules.maxEntries)
            m_trusted.erase(std::min_element(m_trusted.begin(), m_trusted.end(),
                                             [](const auto &a, const auto &b) { return a.second < b.second; }));
    }
    m_trusted[{account, address}] = now;
}

void LoginBrake::count(Table &table, const std::string &key, unsigned tries, std::chrono::seconds cap,
                       Clock::time_point now)
{
    if (table.find(key) == table.end() && table.size() >= m_rules.maxEntries)
        makeRoom(table, now);
    Count &entry = table[key];
    if (entry.failures > 0 && now - entry.last > m_rules.forget)
        entry.failures = 0;
    ++entry.failures;
    entry.last = now;
    if (entry.failures >= tries) {
        const unsigned doublings = std::min(entry.failures - tries, 30u);
        entry.until = now + std::min<std::chrono::seconds>(std::chrono::seconds(1ll << doublings), cap);
    }
}

bool LoginBrake::trusted(const std::string &address, const std::string &account, Clock::time_point now) const
{
    const auto it = m_trusted.find({account, address});
    return it != m_trusted.end() && now - it->second <= m_rules.trusted;
}

void LoginBrake::makeRoom(Table &table, Clock::time_point now)
{
    for (auto it = table.begin(); it != table.end();)
        it = now - it->second.last > m_rules.forget && it->second.until <= now ? table.erase(it) : std::next(it);
    if (table.size() >= m_rules.maxEntries)
        table.erase(std::min_element(table.begin(), table.end(),
                                     [](const auto &a, const auto &b) { return a.second.last < b.second.last; }));
}

} // namespace host
