#include "store.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace host {

namespace {

const std::string uploadPrefix = "/upload/index/bitlyonly/true/";
const char indexFileName[] = "index.tsv";

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(const std::string &segment)
{
    std::string out;
    for (size_t i = 0; i < segment.size(); ++i) {
        if (segment[i] == '%' && i + 2 < segment.size() && hexValue(segment[i + 1]) >= 0
            && hexValue(segment[i + 2]) >= 0) {
            out += char(hexValue(segment[i + 1]) * 16 + hexValue(segment[i + 2]));
            i += 2;
        } else {
            out += segment[i];
        }
    }
    return out;
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

std::string htmlEscaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// One line of the index: no tabs or line breaks inside a field.
std::string indexField(std::string text)
{
    for (char &c : text) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

// Descriptions arrive as Latin-1 bytes; the index page is UTF-8.
std::string latin1ToUtf8(const std::string &text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xc0 | (c >> 6));
            out += char(0x80 | (c & 0x3f));
        }
    }
    return out;
}

bool startsWith(const std::string &text, const char *prefix, size_t offset = 0)
{
    const size_t length = std::strlen(prefix);
    return text.size() >= offset + length && text.compare(offset, length, prefix) == 0;
}

} // namespace

std::string multipartBoundary(const std::string &contentType)
{
    std::string lower = contentType;
    for (char &c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (lower.compare(0, 19, "multipart/form-data") != 0)
        return std::string();
    const size_t at = lower.find("boundary=");
    if (at == std::string::npos)
        return std::string();
    std::string boundary = contentType.substr(at + 9);
    boundary = boundary.substr(0, boundary.find(';'));
    if (boundary.size() >= 2 && boundary.front() == '"' && boundary.back() == '"')
        boundary = boundary.substr(1, boundary.size() - 2);
    return boundary;
}

bool parseMultipart(const std::string &body, const std::string &boundary, std::vector<FormPart> *parts)
{
    if (boundary.empty())
        return false;
    const std::string dash = "--" + boundary;
    const std::string nextPart = "\r\n" + dash;
    // The first delimiter opens the body, or ends a preamble on a line of its own.
    size_t at = body.compare(0, dash.size(), dash) == 0 ? 0 : body.find(nextPart);
    if (at == std::string::npos)
        return false;
    at += at == 0 ? dash.size() : nextPart.size();
    for (;;) {
        if (body.compare(at, 2, "--") == 0)
            return true; // close delimiter; whatever follows is epilogue
        if (body.compare(at, 2, "\r\n") != 0)
            return false;
        const size_t headersEnd = body.find("\r\n\r\n", at);
        if (headersEnd == std::string::npos)
            return false;
        const std::string headers = body.substr(at + 2, headersEnd + 2 - (at + 2));
        const size_t contentStart = headersEnd + 4;
        const size_t contentEnd = body.find(nextPart, contentStart);
        if (contentEnd == std::string::npos)
            return false;

        FormPart part;
        std::string lower = headers;
        for (char &c : lower)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        const size_t disposition = lower.find("content-disposition:");
        if (disposition == std::string::npos)
            return false;
        const size_t name = lower.find(" name=\"", disposition);
        const size_t lineEnd = lower.find("\r\n", disposition);
        if (name == std::string::npos || name > lineEnd)
            return false;
        const size_t nameEnd = headers.find('"', name + 7);
        part.name = headers.substr(name + 7, nameEnd - (name + 7));
        part.content = body.substr(contentStart, contentEnd - contentStart);
        parts->push_back(std::move(part));
        at = contentEnd + nextPart.size();
    }
}

UploadPath parseUploadPath(const std::string &target)
{
    UploadPath path;
    const std::string raw = target.substr(0, target.find_first_of("?#"));
    if (raw.compare(0, uploadPrefix.size(), uploadPrefix) != 0)
        return path;
    const std::string rest = raw.substr(uploadPrefix.size());
    if (rest.empty()) {
        path.valid = true;
        return path;
    }
    const std::vector<std::string> segments = split(rest, '/');
    if (segments.size() != 4 || segments[0] != "user" || segments[2] != "pw")
        return path;
    path.valid = true;
    path.hasCredentials = true;
    path.user = percentDecoded(segments[1]);
    path.password = percentDecoded(segments[3]);
    return path;
}

std::string sniffImageType(const std::string &content)
{
    if (startsWith(content, "\x89PNG\r\n\x1a\n")) return "png";
    if (startsWith(content, "\xff\xd8\xff")) return "jpg";
    if (startsWith(content, "GIF87a") || startsWith(content, "GIF89a")) return "gif";
    if (startsWith(content, "BM") && content.size() > 26) return "bmp";
    if (startsWith(content, "RIFF") && startsWith(content, "WEBP", 8)) return "webp";
    if (content.size() > 8 && (content.compare(0, 4, std::string("II*\0", 4)) == 0
                               || content.compare(0, 4, std::string("MM\0*", 4)) == 0))
        return "tiff";
    const std::string head = content.substr(0, 1024);
    if (head.find("<svg") != std::string::npos)
        return "svg";
    return std::string();
}

std::string contentTypeOf(const std::string &type)
{
    if (type == "jpg") return "image/jpeg";
    if (type == "svg") return "image/svg+xml";
    return "image/" + type;
}

bool Accounts::load(const std::string &path, std::string *problem)
{
    std::ifstream in(path);
    if (!in) {
        *problem = "cannot read the users file " + path;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0) {
            *problem = "a line of " + path + " is not name:password";
            return false;
        }
        m_passwords[line.substr(0, colon)] = line.substr(colon + 1);
    }
    m_enabled = true;
    return true;
}

bool Accounts::check(const std::string &user, const std::string &password) const
{
    const auto it = m_passwords.find(user);
    return it != m_passwords.end() && it->second == password;
}

Store::Store(std::string directory)
    : m_directory(std::move(directory))
{
}

bool Store::open(std::string *problem)
{
    std::error_code error;
    std::filesystem::create_directories(m_directory, error);
    if (error || !std::filesystem::is_directory(m_directory)) {
        *problem = "cannot use " + m_directory + " as the data folder";
        return false;
    }
    m_directory = std::filesystem::absolute(m_directory).lexically_normal().string();
    return true;
}

bool Store::save(const std::string &content, const std::string &type, const std::string &user,
                 const std::string &description, std::string *name, std::string *problem)
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    int fd = -1;
    std::string candidate;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(random()));
        candidate = std::string(hex) + "." + type;
        // O_EXCL: a name that exists, even as a link, is never written through.
        fd = ::open((m_directory + "/" + candidate).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        *problem = "the image could not be stored";
        return false;
    }
    size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += size_t(n);
    }
    const bool complete = written == content.size() && ::close(fd) == 0;
    if (!complete) {
        ::unlink((m_directory + "/" + candidate).c_str());
        *problem = "the image could not be stored";
        return false;
    }

    std::lock_guard<std::mutex> lock(m_mutex);
    std::ofstream index(m_directory + "/" + indexFileName, std::ios::app);
    index << candidate << '\t' << content.size() << '\t' << indexField(user) << '\t'
          << indexField(description) << '\n';
    *name = candidate;
    return true;
}

bool Store::load(const std::string &name, std::string *content, std::string *type) const
{
    if (name.find('/') != std::string::npos || name.empty() || name[0] == '.')
        return false;
    std::ifstream in(m_directory + "/" + name, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream data;
    data << in.rdbuf();
    *content = data.str();
    *type = contentTypeOf(name.substr(name.rfind('.') + 1));
    return true;
}

std::string Store::indexPage() const
{
    std::string rows;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::ifstream index(m_directory + "/" + indexFileName);
        std::string line;
        while (std::getline(index, line)) {
            const std::vector<std::string> fields = split(line, '\t');
            if (fields.size() < 4)
                continue;
            const std::string link = "/i/" + htmlEscaped(fields[0]);
            rows = "<tr><td><a href=\"" + link + "\"><img src=\"" + link
                 + "\" style=\"max-width:160px;max-height:90px\"></a></td><td><a href=\"" + link + "\">"
                 + htmlEscaped(fields[0]) + "</a></td><td>" + htmlEscaped(fields[1]) + " bytes</td><td>"
                 + htmlEscaped(fields[2]) + "</td><td>" + htmlEscaped(latin1ToUtf8(fields[3]))
                 + "</td></tr>\n" + rows;
        }
    }
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Tarvello image host</title></head>"
           "<body><h1>Tarvello image host</h1>\n<table border=\"1\" cellpadding=\"4\">"
           "<tr><th>Image</th><th>Name</th><th>Size</th><th>User</th><th>Description</th></tr>\n"
           + rows + "</table></body></html>\n";
}

} // namespace host
