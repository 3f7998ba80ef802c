#include "portfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace host {

bool writePortFile(const std::string &path, uint16_t port, std::string *problem)
{
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    const std::string text = std::to_string(port) + "\n";
    ::unlink(temporary.c_str()); // left by an earlier host that had the same process id
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    int error = fd < 0 ? errno : 0;
    if (fd >= 0) {
        errno = EIO; // a short write sets no error of its own
        if (::write(fd, text.data(), text.size()) != ssize_t(text.size()))
            error = errno;
        if (::close(fd) != 0 && error == 0)
            error = errno;
        if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0)
            error = errno;
        if (error != 0)
            ::unlink(temporary.c_str());
    }
    if (error != 0)
        *problem = "cannot write the port file " + path + ": " + std::strerror(error);
    return error == 0;
}

} // namespace host
