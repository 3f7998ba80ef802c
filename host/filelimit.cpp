#include "filelimit.h"

#include <sys/resource.h>

namespace host {

bool ensureFileLimit(uint64_t needed, std::string *problem)
{
    rlimit limit;
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return true;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= needed)
        return true;
    if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max >= needed) {
        limit.rlim_cur = rlim_t(needed);
        if (::setrlimit(RLIMIT_NOFILE, &limit) == 0)
            return true;
    }
    *problem = "the open-file limit (" + std::to_string(limit.rlim_max) + ") is too low for --max-connections: it needs "
        + std::to_string(needed) + " (LimitNOFILE= in a systemd unit, ulimit -n in a shell), or lower --max-connections";
    return false;
}

} // namespace host
