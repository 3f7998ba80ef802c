// Loaded into tarvello-host with LD_PRELOAD: makes one kind of libmicrohttpd call fail, as it
// does when memory runs out or a header is refused. TARVELLO_HOST_FAULT names it:
// "header:NAME" (adding that header), "buffer:PREFIX" (an answer whose body starts so),
// "file" (an answer streamed from a file), "queue:STATUS" (queueing an answer of that status).

#include <microhttpd.h>

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <strings.h>

namespace {

// What follows "kind:" when the fault is of that kind, else nullptr.
const char *fault(const char *kind)
{
    const char *asked = std::getenv("TARVELLO_HOST_FAULT");
    const size_t length = std::strlen(kind);
    if (!asked || std::strncmp(asked, kind, length) != 0 || (asked[length] != ':' && asked[length] != '\0'))
        return nullptr;
    return asked[length] ? asked + length + 1 : asked + length;
}

template<typename Function>
Function real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

MHD_Result MHD_add_response_header(MHD_Response *response, const char *header, const char *content)
{
    const char *name = fault("header");
    if (name && strcasecmp(name, header) == 0)
        return MHD_NO;
    static const auto next = real<decltype(&MHD_add_response_header)>("MHD_add_response_header");
    return next(response, header, content);
}

MHD_Response *MHD_create_response_from_buffer(size_t size, void *buffer, MHD_ResponseMemoryMode mode)
{
    const char *prefix = fault("buffer");
    if (prefix && size >= std::strlen(prefix) && std::memcmp(buffer, prefix, std::strlen(prefix)) == 0)
        return nullptr;
    static const auto next = real<decltype(&MHD_create_response_from_buffer)>("MHD_create_response_from_buffer");
    return next(size, buffer, mode);
}

MHD_Response *MHD_create_response_from_fd_at_offset64(uint64_t size, int fd, uint64_t offset)
{
    if (fault("file"))
        return nullptr;
    static const auto next = real<decltype(&MHD_create_response_from_fd_at_offset64)>(
        "MHD_create_response_from_fd_at_offset64");
    return next(size, fd, offset);
}

MHD_Result MHD_queue_response(MHD_Connection *connection, unsigned int status, MHD_Response *response)
{
    const char *code = fault("queue");
    if (code && unsigned(std::atoi(code)) == status)
        return MHD_NO;
    static const auto next = real<decltype(&MHD_queue_response)>("MHD_queue_response");
    return next(connection, status, response);
}

} // extern "C"
