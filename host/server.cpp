#include "server.h"

#include "address.h"
#include "brake.h"
#include "content.h"
#include "linger.h"
#include "login.h"
#include "multipart.h"
#include "pace.h"
#include "page.h"
#include "store.h"
#include "sxcu.h"

#include <microhttpd.h>

#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <set>
#include <sstream>
#include <strings.h>
#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace host {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t maxDescriptionCharacters = 1000;
constexpr size_t maxFilenameCharacters = 255;
constexpr size_t pageSize = 200;
constexpr size_t maxFormBytes = 4096;
const char uploaderFilePath[] = "/tarvello.sxcu";

const char imagePolicy[] = "default-src 'none'; style-src 'unsafe-inline'; sandbox";
const char pagePolicy[] = "default-src 'none'; img-src 'self'; style-src 'self'; base-uri 'none'; "
                          "form-action 'self'; frame-ancestors 'none'";

// A connection's deadline: its next request's headers must arrive by it, then the whole request,
// then the whole answer. Bodies and answers must also keep their pace as they go.
struct Tracked
{
    int fd = -1;
    std::string client; // addressKey of the peer
    Clock::time_point deadline;
    Clock::time_point answerDeadline; // the last answer must be read by then
    bool cut = false;
    uint64_t linger = 0; // bytes of a refused body still to be read and thrown away at close

    bool receiving = false; // a body the host takes is arriving
    uint64_t bodyBytes = 0;
    Pace bodyPace;

    uint64_t answerBytes = 0; // 0: no answer is under way
    uint64_t answerAckedBefore = 0; // what the peer had acknowledged when it began
    bool answerHandedOver = false; // all of it is with the kernel
    Pace answerPace;
};

std::string formatAddress(const sockaddr *address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(address)->sin_addr, text, sizeof text);
        return text;
    }
    const auto *v6 = reinterpret_cast<const sockaddr_in6 *>(address);
    if (IN6_IS_ADDR_V4MAPPED(&v6->sin6_addr)) {
        inet_ntop(AF_INET, &v6->sin6_addr.s6_addr[12], text, sizeof text);
        return text;
    }
    inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
    return "[" + std::string(text) + "]";
}

bool readFile(const std::string &path, std::string *content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream data;
    data << in.rdbuf();
    *content = data.str();
    return !content->empty();
}

using Headers = std::vector<std::pair<std::string, std::string>>;

// Why a request is not served: its status, the text after "error: ", any headers of its own.
struct Refusal
{
    Refusal() = default;
    Refusal(unsigned status, std::string message, Headers headers = {})
        : status(status), message(std::move(message)), headers(std::move(headers))
    {
    }
    explicit operator bool() const { return status != 0; }

    unsigned status = 0; // 0: not refused
    std::string message;
    Headers headers;
};

struct ResponseDeleter
{
    void operator()(MHD_Response *response) const { MHD_destroy_response(response); }
};
using Response = std::unique_ptr<MHD_Response, ResponseDeleter>;

// An answer that lacks one of its headers (its type, its policy) is not sent at all: MHD_NO
// makes libmicrohttpd close the connection, as it does when it cannot answer by itself.
MHD_Result queue(MHD_Connection *connection, unsigned status, Response response, const Headers &headers)
{
    if (!response)
        return MHD_NO;
    for (const auto &[name, value] : headers) {
        if (MHD_add_response_header(response.get(), name.c_str(), value.c_str()) != MHD_YES)
            return MHD_NO;
    }
    return MHD_queue_response(connection, status, response.get());
}

MHD_Result answer(MHD_Connection *connection, unsigned status, const std::string &body, const char *type,
                  const Headers &headers = {})
{
    Headers all{{MHD_HTTP_HEADER_CONTENT_TYPE, type}};
    all.insert(all.end(), headers.begin(), headers.end());
    return queue(connection, status,
                 Response(MHD_create_response_from_buffer(body.size(), const_cast<char *>(body.data()),
                                                          MHD_RESPMEM_MUST_COPY)),
                 all);
}

MHD_Result plainError(MHD_Connection *connection, const Refusal &refusal)
{
    return answer(connection, refusal.status, "error: " + refusal.message + "\n", "text/plain; charset=utf-8",
                  refusal.headers);
}

std::string headerValue(MHD_Connection *connection, const char *name)
{
    const char *value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
    return value ? value : std::string();
}

struct HeaderValues
{
    const char *name;
    std::vector<std::string> values;
};

MHD_Result collectHeader(void *cls, MHD_ValueKind, const char *key, const char *value)
{
    auto *wanted = static_cast<HeaderValues *>(cls);
    if (strcasecmp(key, wanted->name) == 0)
        wanted->values.emplace_back(value ? value : "");
    return MHD_YES;
}

std::vector<std::string> headerValues(MHD_Connection *connection, const char *name)
{
    HeaderValues wanted{name, {}};
    MHD_get_connection_values(connection, MHD_HEADER_KIND, collectHeader, &wanted);
    return wanted.values;
}

// MHD would decode the whole path; the upload path is decoded one segment at a time instead.
// MHD would decode the whole path; the upload path is decoded one segment at a time instead.
size_t keepEscaped(void *, MHD_Connection *, char *text)
{
    return std::strlen(text);
}

Tracked *trackedOf(MHD_Connection *connection)
{
    const MHD_ConnectionInfo *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<Tracked *>(info->socket_context) : nullptr;
}

uint64_t declaredLength(MHD_Connection *connection)
{
    uint64_t length = 0;
    const std::vector<std::string> lengths = headerValues(connection, "Content-Length");
    if (lengths.size() == 1 && parseNumber(lengths.front(), 0, UINT64_MAX / 2, &length))
        return length;
    return UINT64_MAX;
}

enum class HeaderLogin { None, One, Bad };

// An Authorization header, when there is one, must be a single Basic login.
HeaderLogin headerLogin(MHD_Connection *connection, std::string *user, std::string *password)
{
    const std::vector<std::string> given = headerValues(connection, "Authorization");
    if (given.empty())
        return HeaderLogin::None;
    if (given.size() > 1 || !parseBasicAuthorization(given.front(), user, password))
        return HeaderLogin::Bad;
    return HeaderLogin::One;
}

const char notOneBasicLogin[] = "the Authorization header is not one Basic login";

// What is kept between the calls for one request's body.
class RequestState
{
public:
    virtual ~RequestState() = default;
    virtual void take(const char *data, size_t size) = 0;
};

// One upload as it arrives: the "file" part goes to disk, the small parts stay in memory.
class UploadRequest : public RequestState, public MultipartReader::Sink
{
public:
    UploadRequest(Store &store, uint64_t maxSize) : m_store(store), m_maxSize(maxSize) {}

    UploadPath path;
    std::unique_ptr<MultipartReader> reader;

    void take(const char *data, size_t size) override
    {
        m_received += size;
        if (m_refusal)
            return;
        if (m_received > m_maxSize)
            refuse({413, "the upload is larger than this host takes"});
        else if (!reader->feed(data, size))
            refuse({400, "the multipart body is malformed"});
    }

    bool partBegins(const PartHeader &header) override
    {
        if (header.name == "file" && !m_upload && !m_refusal) {
            m_upload = m_store.begin();
            if (!m_upload->ok())
                return refuse({507, "the image could not be stored"});
            m_filename = header.filename;
            m_current = File;
        } else if (header.name == "desc") {
            m_description.clear();
            m_current = Description;
        } else {
            m_current = Other;
        }
        return true;
    }
    bool partData(const char *data, size_t size) override
    {
        if (m_current == File) {
            if (m_head.size() < sniffLength)
                m_head.append(data, std::min(size, sniffLength - m_head.size()));
            if (!m_upload->write(data, size))
                return refuse({507, "the image could not be stored"});
        } else if (m_current == Description && m_description.size() < 64 * 1024) {
            m_description.append(data, std::min(size, 64 * 1024 - m_description.size()));
        }
        return true;
    }
    bool partEnds() override
    {
        if (m_current == File)
            m_fileDone = true;
        m_current = Other;
        return true;
    }

    // Once the whole body is in: the image's type, or why it is not taken.
    Refusal validate(std::string *type)
    {
        if (!m_refusal && !reader->complete())
            refuse({400, "the multipart body is malformed"});
        if (!m_refusal && !m_fileDone)
            refuse({400, "the upload has no \"file\" part"});
        if (!m_refusal)
            *type = sniffImageType(m_head, m_upload->size());
        if (!m_refusal && type->empty())
            refuse({415, "the file is not an image this host takes"});
        return m_refusal;
    }

    Record record() const
    {
        std::string description = m_description;
        // The uploader ends a description with a line end of its own.
        if (description.size() >= 2 && description.compare(description.size() - 2, 2, "\r\n") == 0)
            description.resize(description.size() - 2);
        Record record;
        record.user = path.hasCredentials ? clientText(path.user, maxFilenameCharacters) : std::string();
        record.description = clientText(description, maxDescriptionCharacters);
        const size_t slash = m_filename.find_last_of("/\\");
        record.filename = clientText(slash == std::string::npos ? m_filename : m_filename.substr(slash + 1),
                                     maxFilenameCharacters);
        return record;
    }

    std::unique_ptr<Store::Upload> takeUpload() { return std::move(m_upload); }

private:
    // The first reason counts; what was written of the image goes at once.
    bool refuse(Refusal refusal)
    {
        if (!m_refusal)
            m_refusal = std::move(refusal);
        m_upload.reset();
        return false;
    }

    enum Part { Other, File, Description };
    Store &m_store;
    const uint64_t m_maxSize;
    uint64_t m_received = 0;
    Refusal m_refusal;
    std::unique_ptr<Store::Upload> m_upload;
    Part m_current = Other;
    bool m_fileDone = false;
    std::string m_head;
    std::string m_filename;
    std::string m_description;
};

// The login form's fields; the body is small and read whole.
class FormRequest : public RequestState
{
public:
    void take(const char *data, size_t size) override
    {
        tooLarge = tooLarge || body.size() + size > maxFormBytes;
        if (!tooLarge)
            body.append(data, size);
    }

    std::string body;
    bool tooLarge = false;
};

} // namespace

struct Server::Private
{
    Options options;
    Store &store;
    const Accounts &accounts;
    MHD_Daemon *daemon = nullptr;
    uint16_t port = 0;
    std::string scheme = "http";
    std::string base; // empty: made from the address a request arrives on
    std::string cert, key;

    std::mutex trackedMutex;
    std::set<Tracked *> tracked;
    std::condition_variable wake;
    bool stopping = false;
    std::thread watchdog;
    std::function<void(const std::string &)> log;

    ConnectionCounter counter;
    LoginBrake brake;
    Linger linger;

    Private(const Options &o, Store &s, const Accounts &a, std::function<void(const std::string &)> l)
        : options(o), store(s), accounts(a), log(std::move(l)), counter(o.maxConnections, o.maxPerAddress),
          brake(LoginBrake::Rules{o.loginTries, o.accountTries})
    {
    }

    static MHD_Result onRequest(void *cls, MHD_Connection *connection, const char *url, const char *method,
                                const char *version, const char *data, size_t *size, void **state);
    static void onCompleted(void *cls, MHD_Connection *connection, void **state, MHD_RequestTerminationCode code);
    static MHD_Result onAccept(void *cls, const sockaddr *address, socklen_t length);
    static void onConnection(void *cls, MHD_Connection *connection, void **socketContext,
                             MHD_ConnectionNotificationCode code);

    void setDeadline(MHD_Connection *connection, Clock::duration timeout);
    void answered(MHD_Connection *connection);
    void answerDeadline(MHD_Connection *connection, uint64_t bytes);
    void receiveBody(MHD_Connection *connection);
    void bodyArrived(MHD_Connection *connection, size_t bytes, bool last);
    void lingerAfter(MHD_Connection *connection, uint64_t bytes);
    void watch();
    bool keepsPace(Tracked &connection, Clock::time_point now);
    std::string linkBase(MHD_Connection *connection) const;
    std::string clientOf(MHD_Connection *connection) const;

    // Routing
    MHD_Result handle(MHD_Connection *connection, const char *url, const char *method, const char *data,
                      size_t *size, void **state);
    MHD_Result route(MHD_Connection *connection, const char *url, const char *method, void **state);
    MHD_Result serveGet(MHD_Connection *connection, const std::string &url);
    MHD_Result serveImage(MHD_Connection *connection, const std::string &name);
    MHD_Result serveIndex(MHD_Connection *connection);
    MHD_Result fetchUploaderFile(MHD_Connection *connection);
    MHD_Result serveUploaderFile(MHD_Connection *connection, const std::string &authorization);
    MHD_Result refuseEarly(MHD_Connection *connection, const Refusal &refusal);

    // Logins
    Refusal checkLogin(MHD_Connection *connection, const std::string &user, const std::string &password);
    Refusal checkUploadLogin(MHD_Connection *connection, UploadPath *path);

    // Uploads and the login form
    MHD_Result startUpload(MHD_Connection *connection, const char *url, void **state);
    Refusal checkUploadHeaders(MHD_Connection *connection, std::string *boundary) const;
    MHD_Result finishUpload(MHD_Connection *connection, UploadRequest &request);
    MHD_Result startUploaderForm(MHD_Connection *connection, void **state);
    MHD_Result finishUploaderForm(MHD_Connection *connection, const FormRequest &form);
};

MHD_Result Server::Private::onRequest(void *cls, MHD_Connection *connection, const char *url, const char *method,
                                      const char *, const char *data, size_t *size, void **state)
{
    return static_cast<Private *>(cls)->handle(connection, url, method, data, size, state);
}

void Server::Private::onCompleted(void *cls, MHD_Connection *connection, void **state, MHD_RequestTerminationCode)
{
    delete static_cast<RequestState *>(*state);
    *state = nullptr;
    static_cast<Private *>(cls)->answered(connection);
}

// Clients are counted here rather than by MHD's per-address limit, so that lingering sockets
// and a client's whole IPv6 network count too.
MHD_Result Server::Private::onAccept(void *cls, const sockaddr *address, socklen_t)
{
    return static_cast<Private *>(cls)->counter.admits(addressKey(address)) ? MHD_YES : MHD_NO;
}

void Server::Private::onConnection(void *cls, MHD_Connection *connection, void **socketContext,
                                   MHD_ConnectionNotificationCode code)
{
    auto *server = static_cast<Private *>(cls);
    std::lock_guard<std::mutex> lock(server->trackedMutex);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        auto *tracked = new Tracked;
        tracked->fd = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD)->connect_fd;
        tracked->client = addressKey(MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS)->client_addr);
        tracked->deadline = Clock::now() + std::chrono::seconds(server->options.headerTimeout);
        server->counter.add(tracked->client);
        server->tracked.insert(tracked);
        *socketContext = tracked;
        return;
    }
    // Called before the socket is closed, so the watchdog never touches a reused descriptor,
    // and a copy of it keeps the connection open for lingering.
    auto *tracked = static_cast<Tracked *>(*socketContext);
    if (!tracked)
        return;
    server->tracked.erase(tracked);
    *socketContext = nullptr;
    const int copy = tracked->linger > 0 && !tracked->cut && !server->stopping ? ::fcntl(tracked->fd, F_DUPFD_CLOEXEC, 0) : -1;
    if (copy >= 0) {
        const std::string client = tracked->client;
        server->linger.adopt(copy, tracked->linger, std::chrono::seconds(server->options.lingerTime),
                             std::chrono::seconds(server->options.headerTimeout),
                             [server, client] { server->counter.remove(client); });
    } else {
        server->counter.remove(tracked->client);
    }
    delete tracked;
}

void Server::Private::setDeadline(MHD_Connection *connection, Clock::duration timeout)
{
    std::lock_guard<std::mutex> lock(trackedMutex);
    if (Tracked *tracked = trackedOf(connection))
        tracked->deadline = Clock::now() + timeout;
}

// The next request's headers are due; an answer the kernel still holds keeps its own deadline,
// so a reader within its rate is never cut while it reads.
void Server::Private::answered(MHD_Connection *connection)
{
    std::lock_guard<std::mutex> lock(trackedMutex);
    if (Tracked *tracked = trackedOf(connection)) {
        tracked->deadline = std::max(Clock::now() + std::chrono::seconds(options.headerTimeout), tracked->answerDeadline);
        tracked->receiving = false;
        tracked->answerHandedOver = true;
    }
}

// A reader too slow for the answer's size would hold its connection (and the image's file) for
// as long as it liked: the idle timeout only needs a byte now and then.
void Server::Private::answerDeadline(MHD_Connection *connection, uint64_t bytes)
{
    std::lock_guard<std::mutex> lock(trackedMutex);
    if (Tracked *tracked = trackedOf(connection)) {
        const Clock::time_point now = Clock::now();
        tracked->answerDeadline = now + std::chrono::seconds(options.headerTimeout)
            + std::chrono::milliseconds(bytes * 1000 / options.minRate);
        tracked->deadline = tracked->answerDeadline;
        // Checked as it goes too, or a reader could take nothing for most of that time.
        if (bytes > 0 && acknowledgedBytes(tracked->fd, &tracked->answerAckedBefore)) {
            tracked->answerBytes = bytes;
            tracked->answerHandedOver = false;
            tracked->answerPace = Pace(now, std::chrono::seconds(options.headerTimeout), options.minRate);
        } else {
            tracked->answerBytes = 0;
        }
    }
}

// A body accepted for reading: a client sending a byte now and then would otherwise hold its
// connection until the request's deadline, and enough of them shut everyone else out.
void Server::Private::receiveBody(MHD_Connection *connection)
{
    std::lock_guard<std::mutex> lock(trackedMutex);
    if (Tracked *tracked = trackedOf(connection)) {
        tracked->receiving = true;
        tracked->bodyBytes = 0;
        tracked->bodyPace = Pace(Clock::now(), std::chrono::seconds(options.headerTimeout), options.minUploadRate);
    }
}

void Server::Private::bodyArrived(MHD_Connection *connection, size_t bytes, bool last)
{
    std::lock_guard<std::mutex> lock(trackedMutex);
    if (Tracked *tracked = trackedOf(connection)) {
        tracked->bodyBytes += bytes;
        if (last)
            tracked->receiving = false;
    }
}

void Server::Private::lingerAfter(MHD_Connection *connection, uint64_t bytes)
{
    std::lock_guard<std::mutex> lock(trackedMutex);
    if (Tracked *tracked = trackedOf(connection))
        tracked->linger = options.lingerTime > 0 ? std::min(bytes, options.lingerSize) : 0;
}

// MHD's own timeout only counts idle time, so a client that sends a byte now and then would
// hold its connection for ever. Cutting the socket makes MHD close the connection itself.
void Server::Private::watch()
{
    std::unique_lock<std::mutex> lock(trackedMutex);
    while (!stopping) {
        wake.wait_for(lock, std::chrono::milliseconds(200));
        const Clock::time_point now = Clock::now();
        for (Tracked *connection : tracked) {
            if (!connection->cut && (connection->deadline < now || !keepsPace(*connection, now))) {
                // An answer not yet read is reset, so that what the kernel still holds of it
                // is dropped rather than sent on at the reader's pace.
                int unsent = 0;
                if (::ioctl(connection->fd, SIOCOUTQ, &unsent) == 0 && unsent > 0) {
                    struct linger reset = {1, 0};
                    ::setsockopt(connection->fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
                }
                ::shutdown(connection->fd, SHUT_RDWR);
                connection->cut = true;
            }
        }
    }
}

// Whether the body arriving and the answer going out keep their pace; says why not in the log.
bool Server::Private::keepsPace(Tracked &connection, Clock::time_point now)
{
    if (connection.receiving && connection.bodyPace.behind(connection.bodyBytes, now)) {
        if (log)
            log("cut off " + connection.client + ": its request body came at "
                + std::to_string(connection.bodyPace.rateOf(connection.bodyBytes, now))
                + " bytes/s, slower than --min-upload-rate");
        return false;
    }
    if (connection.answerBytes == 0)
        return true;
    uint64_t acknowledged = 0;
    if (!acknowledgedBytes(connection.fd, &acknowledged))
        return true;
    const uint64_t taken = acknowledged - std::min(acknowledged, connection.answerAckedBefore);
    int unsent = 0;
    if (taken >= connection.answerBytes
        || (connection.answerHandedOver && ::ioctl(connection.fd, SIOCOUTQ, &unsent) == 0 && unsent == 0)) {
        connection.answerBytes = 0; // read to its end (or it had no body: HEAD)
        return true;
    }
    if (!connection.answerPace.behind(taken, now))
        return true;
    if (log)
        log("cut off " + connection.client + ": it read its answer at "
            + std::to_string(connection.answerPace.rateOf(taken, now)) + " bytes/s, slower than --min-rate");
    return false;
}

std::string Server::Private::linkBase(MHD_Connection *connection) const
{
    if (!base.empty())
        return base;
    sockaddr_storage local;
    socklen_t length = sizeof local;
    const int fd = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD)->connect_fd;
    if (::getsockname(fd, reinterpret_cast<sockaddr *>(&local), &length) != 0)
        return scheme + "://127.0.0.1:" + std::to_string(port);
    return scheme + "://" + formatAddress(reinterpret_cast<sockaddr *>(&local)) + ":" + std::to_string(port);
}

// Who is logging in, for the brake: the peer, or behind the trusted proxy the address it
// appended last to X-Forwarded-For (earlier entries come from the client and prove nothing).
std::string Server::Private::clientOf(MHD_Connection *connection) const
{
    const std::string peer = addressKey(MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS)->client_addr);
    if (options.trustedProxy.empty() || peer != addressKey(options.trustedProxy))
        return peer;
    const std::vector<std::string> forwarded = headerValues(connection, "X-Forwarded-For");
    if (forwarded.empty())
        return peer;
    const std::string &last = forwarded.back();
    const size_t comma = last.find_last_of(',');
    std::string entry = last.substr(comma == std::string::npos ? 0 : comma + 1);
    entry.erase(0, entry.find_first_not_of(" \t"));
    entry.erase(entry.find_last_not_of(" \t") + 1);
    const std::string key = addressKey(entry);
    return key.empty() ? peer : key;
}

// The first call brings a request's headers; each later one a piece of its body, until a last
// call with none.
MHD_Result Server::Private::handle(MHD_Connection *connection, const char *url, const char *method,
                                   const char *data, size_t *size, void **state)
{
    if (!*state)
        return route(connection, url, method, state);
    auto *request = static_cast<RequestState *>(*state);
    bodyArrived(connection, *size, *size == 0);
    if (*size > 0) {
        request->take(data, *size);
        *size = 0;
        return MHD_YES;
    }
    if (const auto *form = dynamic_cast<const FormRequest *>(request))
        return finishUploaderForm(connection, *form);
    return finishUpload(connection, static_cast<UploadRequest &>(*request));
}

MHD_Result Server::Private::route(MHD_Connection *connection, const char *url, const char *method, void **state)
{
    setDeadline(connection, std::chrono::seconds(options.requestTimeout));
    const std::string verb = method;
    if (verb == "GET" || verb == "HEAD")
        return serveGet(connection, url);
    if (verb != "POST")
        return refuseEarly(connection, {405, "the host takes GET, HEAD and POST", {{"Allow", "GET, HEAD, POST"}}});
    if (std::strcmp(url, uploaderFilePath) == 0)
        return startUploaderForm(connection, state);
    return startUpload(connection, url, state);
}

MHD_Result Server::Private::serveGet(MHD_Connection *connection, const std::string &url)
{
    if (url == "/")
        return serveIndex(connection);
    if (url == "/style.css") {
        answerDeadline(connection, std::strlen(styleSheet));
        return answer(connection, MHD_HTTP_OK, styleSheet, "text/css; charset=utf-8",
                      {{"X-Content-Type-Options", "nosniff"}, {"Cache-Control", "max-age=86400"}});
    }
    if (url == uploaderFilePath)
        return fetchUploaderFile(connection);
    if (url.compare(0, 3, "/i/") == 0)
        return serveImage(connection, url.substr(3));
    return plainError(connection, {404, "not found"});
}

// An answer before the body was read: MHD closes the connection after it, and the rest of the
// body is read and thrown away first (see Linger), unless there is no answer to read.
MHD_Result Server::Private::refuseEarly(MHD_Connection *connection, const Refusal &refusal)
{
    lingerAfter(connection, declaredLength(connection));
    const MHD_Result result = plainError(connection, refusal);
    if (result != MHD_YES)
        lingerAfter(connection, 0);
    return result;
}

// Every wrong login counts for the brake, and a try it holds back is not looked at.
Refusal Server::Private::checkLogin(MHD_Connection *connection, const std::string &user, const std::string &password)
{
    if (!accounts.enabled())
        return {403, "this host has no user accounts; upload without a login"};
    unsigned wait = 0;
    const auto matches = [this, &user, &password] { return accounts.check(user, password); };
    switch (brake.attempt(clientOf(connection), user, Clock::now(), matches, &wait)) {
    case LoginBrake::Outcome::Good:
        return {};
    case LoginBrake::Outcome::Wait:
        return {429, "too many wrong logins; try again in " + std::to_string(wait) + (wait == 1 ? " second" : " seconds"),
                {{"Retry-After", std::to_string(wait)}}};
    case LoginBrake::Outcome::Wrong:
        break;
    }
    return {403, "wrong user name or password"};
}

// The address form and the header form of a login are the same login; without either the
// upload is anonymous.
Refusal Server::Private::checkUploadLogin(MHD_Connection *connection, UploadPath *path)
{
    std::string user, password;
    switch (headerLogin(connection, &user, &password)) {
    case HeaderLogin::None:
        break;
    case HeaderLogin::Bad:
        return {400, notOneBasicLogin};
    case HeaderLogin::One:
        if (path->hasCredentials)
            return {400, "two logins: in the address and in the Authorization header"};
        path->hasCredentials = true;
        path->user = user;
        path->password = password;
        break;
    }
    return path->hasCredentials ? checkLogin(connection, path->user, path->password) : Refusal();
}

MHD_Result Server::Private::startUpload(MHD_Connection *connection, const char *url, void **state)
{
    auto *request = new UploadRequest(store, options.maxSize);
    *state = static_cast<RequestState *>(request);
    request->path = parseUploadPath(url);
    if (!request->path.valid)
        return refuseEarly(connection, {404, "no such upload address"});
    if (const Refusal refusal = checkUploadLogin(connection, &request->path))
        return refuseEarly(connection, refusal);
    std::string boundary;
    if (const Refusal refusal = checkUploadHeaders(connection, &boundary))
        return refuseEarly(connection, refusal);
    request->reader = std::make_unique<MultipartReader>(boundary, request);
    receiveBody(connection);
    return MHD_YES;
}

// Every body taken has a length known in advance, checked before a byte of it is read.
Refusal Server::Private::checkUploadHeaders(MHD_Connection *connection, std::string *boundary) const
{
    if (!headerValues(connection, "Transfer-Encoding").empty())
        return {411, "the upload needs a Content-Length"};
    for (const std::string &encoding : headerValues(connection, "Content-Encoding")) {
        if (strcasecmp(encoding.c_str(), "identity") != 0)
            return {415, "encoded uploads are not taken"};
    }
    const std::vector<std::string> lengths = headerValues(connection, "Content-Length");
    if (lengths.empty())
        return {411, "the upload needs a Content-Length"};
    uint64_t length = 0;
    for (const std::string &value : lengths) {
        if (!parseNumber(value, 0, UINT64_MAX / 2, &length) || value != lengths.front())
            return {400, "the Content-Length is invalid"};
    }
    if (length > options.maxSize)
        return {413, "the upload is larger than this host takes"};
    *boundary = multipartBoundary(headerValue(connection, "Content-Type"));
    if (boundary->empty())
        return {400, "expected a multipart/form-data upload"};
    return {};
}

MHD_Result Server::Private::finishUpload(MHD_Connection *connection, UploadRequest &request)
{
    std::string type;
    if (const Refusal refusal = request.validate(&type))
        return plainError(connection, refusal);
    std::string name;
    if (!store.commit(request.takeUpload(), type, request.record(), &name))
        return plainError(connection, {507, "the image could not be stored"});
    return answer(connection, MHD_HTTP_OK, linkBase(connection) + "/i/" + name, "text/plain; charset=utf-8");
}

MHD_Result Server::Private::startUploaderForm(MHD_Connection *connection, void **state)
{
    *state = static_cast<RequestState *>(new FormRequest);
    if (!accounts.enabled())
        return refuseEarly(connection, {404, "this host has no user accounts; the file for anonymous uploads is at "
                                                 + std::string(uploaderFilePath)});
    if (declaredLength(connection) > maxFormBytes)
        return refuseEarly(connection, {413, "the form is larger than this host takes"});
    receiveBody(connection);
    return MHD_YES;
}

MHD_Result Server::Private::finishUploaderForm(MHD_Connection *connection, const FormRequest &form)
{
    if (form.tooLarge)
        return plainError(connection, {413, "the form is larger than this host takes"});
    const std::map<std::string, std::string> fields = parseFormFields(form.body);
    const auto user = fields.find("user"), password = fields.find("password");
    if (user == fields.end() || user->second.empty())
        return plainError(connection, {400, "the form needs a user name"});
    const std::string pw = password == fields.end() ? std::string() : password->second;
    if (const Refusal refusal = checkLogin(connection, user->second, pw))
        return plainError(connection, refusal);
    return serveUploaderFile(connection, "Basic " + base64Encoded(user->second + ":" + pw));
}

// The header login fetches the file with that login (curl -u name:password ...).
MHD_Result Server::Private::fetchUploaderFile(MHD_Connection *connection)
{
    std::string user, password;
    switch (headerLogin(connection, &user, &password)) {
    case HeaderLogin::None:
        return serveUploaderFile(connection, std::string());
    case HeaderLogin::Bad:
        return plainError(connection, {400, notOneBasicLogin});
    case HeaderLogin::One:
        break;
    }
    if (const Refusal refusal = checkLogin(connection, user, password))
        return plainError(connection, refusal);
    return serveUploaderFile(connection, "Basic " + base64Encoded(user + ":" + password));
}

MHD_Result Server::Private::serveUploaderFile(MHD_Connection *connection, const std::string &authorization)
{
    const std::string base = linkBase(connection);
    const std::string file = customUploaderFile(base, authorization);
    answerDeadline(connection, file.size());
    return answer(connection, MHD_HTTP_OK, file, "application/json",
                  {{"Content-Disposition", "attachment; filename=\"" + customUploaderFileName(base) + "\""},
                   {"Cache-Control", "no-store"}, {"X-Content-Type-Options", "nosniff"}});
}

MHD_Result Server::Private::serveImage(MHD_Connection *connection, const std::string &name)
{
    uint64_t size = 0;
    std::string type;
    const int fd = store.openImage(name, &size, &type);
    if (fd < 0)
        return plainError(connection, {404, "no such image"});
    const ByteRange range = parseRange(headerValue(connection, "Range"), size);
    if (range.kind == ByteRange::Unsatisfiable) {
        ::close(fd);
        return answer(connection, 416, std::string(), "text/plain", {{"Content-Range", "bytes */" + std::to_string(size)}});
    }
    answerDeadline(connection, range.length);
    Headers headers{{MHD_HTTP_HEADER_CONTENT_TYPE, contentTypeOf(type)},
                    {"Accept-Ranges", "bytes"},
                    {"X-Content-Type-Options", "nosniff"},
                    {"Content-Security-Policy", imagePolicy},
                    {"Cache-Control", "public, max-age=31536000, immutable"}};
    if (type == "svg") // a document that can hold script: never shown from this origin
        headers.emplace_back("Content-Disposition", "attachment; filename=\"" + name + "\"");
    unsigned status = MHD_HTTP_OK;
    if (range.kind == ByteRange::Part) {
        status = MHD_HTTP_PARTIAL_CONTENT;
        headers.emplace_back("Content-Range", "bytes " + std::to_string(range.first) + "-"
                                                  + std::to_string(range.first + range.length - 1) + "/"
                                                  + std::to_string(size));
    }
    // Streamed from the file: memory does not grow with the image. The response owns the file.
    Response response(MHD_create_response_from_fd_at_offset64(range.length, fd, range.first));
    if (!response) {
        ::close(fd);
        return MHD_NO;
    }
    return queue(connection, status, std::move(response), headers);
}

MHD_Result Server::Private::serveIndex(MHD_Connection *connection)
{
    uint64_t pageIndex = 0;
    const char *pageArgument = MHD_lookup_connection_value(connection, MHD_GET_ARGUMENT_KIND, "page");
    if (pageArgument && !parseNumber(pageArgument, 0, 1000000, &pageIndex))
        return plainError(connection, {400, "no such page"});
    IndexPage page;
    page.index = size_t(pageIndex);
    page.pageSize = pageSize;
    page.records = store.page(page.index, pageSize, &page.total);
    page.accounts = accounts.enabled();
    const std::string html = indexHtml(page);
    answerDeadline(connection, html.size());
    return answer(connection, MHD_HTTP_OK, html, "text/html; charset=utf-8",
                  {{"Content-Security-Policy", pagePolicy}, {"X-Content-Type-Options", "nosniff"},
                   {"Cache-Control", "no-cache"}});
}

Server::Server(const Options &options, Store &store, const Accounts &accounts,
               std::function<void(const std::string &)> log)
    : d(std::make_unique<Private>(options, store, accounts, std::move(log)))
{
}

Server::~Server()
{
    stop();
}

bool Server::start(std::string *problem)
{
    const Options &o = d->options;
    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_AUTO | MHD_USE_ITC;
    if (!o.tlsCert.empty()) {
        if (MHD_is_feature_supported(MHD_FEATURE_TLS) != MHD_YES) {
            *problem = "this build of libmicrohttpd has no TLS";
            return false;
        }
        if (!readFile(o.tlsCert, &d->cert) || !readFile(o.tlsKey, &d->key)) {
            *problem = "cannot read the TLS certificate or key";
            return false;
        }
        flags |= MHD_USE_TLS;
        d->scheme = "https";
    }

    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo *found = nullptr;
    if (::getaddrinfo(o.listen.c_str(), std::to_string(o.port).c_str(), &hints, &found) != 0 || !found) {
        *problem = "cannot listen on " + o.listen + ": not an address";
        return false;
    }
    const int listener = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const int yes = 1, no = 0;
    if (listener >= 0) {
        ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        if (found->ai_family == AF_INET6)
            ::setsockopt(listener, IPPROTO_IPV6, IPV6_V6ONLY, &no, sizeof no);
    }
    const bool bound = listener >= 0 && ::bind(listener, found->ai_addr, found->ai_addrlen) == 0
        && ::listen(listener, 1024) == 0;
    ::freeaddrinfo(found);
    sockaddr_storage local;
    socklen_t length = sizeof local;
    if (!bound || ::getsockname(listener, reinterpret_cast<sockaddr *>(&local), &length) != 0) {
        if (listener >= 0)
            ::close(listener);
        *problem = "cannot listen on " + o.listen + ":" + std::to_string(o.port);
        return false;
    }
    d->port = ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6 *>(&local)->sin6_port
                                                : reinterpret_cast<sockaddr_in *>(&local)->sin_port);
    const std::string address = formatAddress(reinterpret_cast<sockaddr *>(&local));
    const bool wildcard = address == "0.0.0.0" || address == "[::]";
    if (!o.publicUrl.empty())
        d->base = o.publicUrl;
    else if (!wildcard)
        d->base = d->scheme + "://" + address + ":" + std::to_string(d->port);

    std::vector<MHD_OptionItem> items = {
        {MHD_OPTION_LISTEN_SOCKET, listener, nullptr},
        {MHD_OPTION_THREAD_POOL_SIZE, 4, nullptr},
        {MHD_OPTION_CONNECTION_LIMIT, intptr_t(o.maxConnections), nullptr},
        // Header lines, their count included, must fit in this; bodies stream through it.
        {MHD_OPTION_CONNECTION_MEMORY_LIMIT, 128 * 1024, nullptr},
        {MHD_OPTION_CONNECTION_TIMEOUT, intptr_t(std::max(o.headerTimeout, 60u)), nullptr},
        {MHD_OPTION_UNESCAPE_CALLBACK, intptr_t(&keepEscaped), nullptr},
        {MHD_OPTION_NOTIFY_COMPLETED, intptr_t(&Private::onCompleted), d.get()},
        {MHD_OPTION_NOTIFY_CONNECTION, intptr_t(&Private::onConnection), d.get()},
    };
    if (!d->cert.empty()) {
        items.push_back({MHD_OPTION_HTTPS_MEM_CERT, 0, const_cast<char *>(d->cert.c_str())});
        items.push_back({MHD_OPTION_HTTPS_MEM_KEY, 0, const_cast<char *>(d->key.c_str())});
    }
    items.push_back({MHD_OPTION_END, 0, nullptr});
    d->daemon = MHD_start_daemon(flags, 0, &Private::onAccept, d.get(), &Private::onRequest, d.get(), MHD_OPTION_ARRAY, items.data(),
                                 MHD_OPTION_END);
    if (!d->daemon) {
        ::close(listener);
        *problem = "the HTTP server did not start (a bad TLS certificate or key?)";
        return false;
    }
    d->watchdog = std::thread([this] { d->watch(); });
    return true;
}

uint16_t Server::port() const
{
    return d->port;
}

std::string Server::describeBase() const
{
    return d->base.empty() ? d->scheme + "://*:" + std::to_string(d->port) : d->base;
}

void Server::stop()
{
    {
        std::lock_guard<std::mutex> lock(d->trackedMutex);
        d->stopping = true;
    }
    if (d->watchdog.joinable()) {
        d->wake.notify_all();
        d->watchdog.join();
    }
    if (d->daemon) {
        MHD_stop_daemon(d->daemon);
        d->daemon = nullptr;
    }
    d->linger.stop();
}

} // namespace host
