#include "store.h"

#include "content.h"
#include "login.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace host {

const char uploadPathPrefix[] = "/upload/index/bitlyonly/true/";

namespace {

const std::string uploadPrefix = uploadPathPrefix;
const char partialPrefix[] = ".upload-";
const char partialSuffix[] = ".part";

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
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
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

std::string randomHex()
{
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(random()));
    return hex;
}

bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool syncDirectory(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

std::string utcDate(time_t when)
{
    struct tm parts;
    gmtime_r(&when, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &parts);
    return text;
}

bool validImageName(const std::string &name)
{
    const size_t dot = name.find('.');
    if (dot == 0 || dot == std::string::npos || name.find_first_not_of("0123456789abcdef") != dot)
        return false;
    const std::string type = name.substr(dot + 1);
    return type == "png" || type == "jpg" || type == "gif" || type == "bmp" || type == "webp"
        || type == "tiff" || type == "svg";
}

} // namespace

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
    std::vector<std::string> segments = split(rest, '/');
    if (segments.size() == 5 && segments.back().empty())
        segments.pop_back();
    if (segments.size() != 4 || segments[0] != "user" || segments[2] != "pw")
        return path;
    path.valid = true;
    path.hasCredentials = true;
    path.user = percentDecoded(segments[1]);
    path.password = percentDecoded(segments[3]);
    return path;
}

bool Accounts::load(const std::string &path, std::string *problem)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        *problem = "the users file " + path + " is not a readable file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *problem = "cannot read the users file " + path;
        return false;
    }
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (first && line.compare(0, 3, "\xef\xbb\xbf") == 0)
            line.erase(0, 3); // editors on some systems start UTF-8 files with a BOM
        first = false;
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
    // An unknown name costs the same comparison as a known one.
    static const std::string none;
    const auto it = m_passwords.find(user);
    const bool same = samePassword(password, it != m_passwords.end() ? it->second : none);
    return it != m_passwords.end() && same;
}

Store::Upload::~Upload()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

bool Store::Upload::write(const char *data, size_t size)
{
    if (m_fd < 0 || !writeAll(m_fd, data, size))
        return false;
    m_size += size;
    return true;
}

Store::Store(std::string directory)
    : m_directory(std::move(directory))
{
}

Store::~Store()
{
    if (m_indexFd >= 0)
        ::close(m_indexFd);
}

bool Store::open(std::string *problem, const std::function<void(const std::string &)> &log)
{
    ::mkdir(m_directory.c_str(), 0755);
    struct stat info;
    char resolved[PATH_MAX];
    if (::stat(m_directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || !::realpath(m_directory.c_str(), resolved)) {
        *problem = "cannot use " + m_directory + " as the data folder";
        return false;
    }
    m_directory = resolved;

    // Uploads cut short by a crash are never complete: they go.
    if (DIR *dir = ::opendir(m_directory.c_str())) {
        while (const dirent *entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.compare(0, sizeof partialPrefix - 1, partialPrefix) == 0 && name.size() > sizeof partialSuffix
                && name.compare(name.size() - (sizeof partialSuffix - 1), std::string::npos, partialSuffix) == 0)
                ::unlinkat(::dirfd(dir), name.c_str(), 0);
        }
        ::closedir(dir);
    }

    const std::string indexPath = m_directory + "/" + indexFileName;
    m_indexFd = ::open(indexPath.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_indexFd < 0) {
        *problem = "cannot open " + indexPath;
        return false;
    }
    return readIndex(problem) && reconcile(problem, log);
}

bool Store::readIndex(std::string *problem)
{
    const std::string indexPath = m_directory + "/" + indexFileName;
    m_lineStarts.clear();
    char buffer[65536];
    uint64_t offset = 0;
    uint64_t lineStart = 0;
    for (;;) {
        const ssize_t n = ::pread(m_indexFd, buffer, sizeof buffer, off_t(offset));
        if (n < 0) {
            *problem = "cannot read " + indexPath;
            return false;
        }
        if (n == 0)
            break;
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') {
                m_lineStarts.push_back(lineStart);
                lineStart = offset + uint64_t(i) + 1;
            }
        }
        offset += uint64_t(n);
    }
    // A line cut by a crash or a full disk would be glued to the next one.
    if (lineStart < offset && ::ftruncate(m_indexFd, off_t(lineStart)) != 0) {
        *problem = "cannot repair " + indexPath;
        return false;
    }
    m_indexSize = lineStart;
    return true;
}

// A commit links the finished file under its name and then writes its line; a crash between
// the two leaves an image that is served but listed nowhere, whose uploader never got its link.
bool Store::reconcile(std::string *problem, const std::function<void(const std::string &)> &log)
{
    auto say = [&log](const std::string &line) {
        if (log)
            log(line);
    };
    const std::string indexPath = m_directory + "/" + indexFileName;
    std::string index(m_indexSize, '\0');
    if (m_indexSize > 0 && ::pread(m_indexFd, index.data(), index.size(), 0) != ssize_t(index.size())) {
        *problem = "cannot read " + indexPath;
        return false;
    }

    std::unordered_set<std::string> listed;
    for (size_t start = 0; start < index.size();) {
        const size_t end = index.find('\n', start);
        listed.insert(index.substr(start, index.find('\t', start) - start));
        start = end + 1;
    }

    struct Found
    {
        time_t modified;
        std::string name;
        uint64_t size;
    };
    std::vector<Found> found;
    if (DIR *dir = ::opendir(m_directory.c_str())) {
        while (const dirent *entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (!validImageName(name) || listed.count(name))
                continue;
            const int fd = ::openat(::dirfd(dir), name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
            struct stat info;
            std::string head(sniffLength, '\0');
            ssize_t n = -1;
            if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
                n = ::pread(fd, head.data(), head.size(), 0);
            if (fd >= 0)
                ::close(fd);
            if (n < 0)
                continue; // not a file of ours to judge
            head.resize(size_t(n));
            if (sniffImageType(head, uint64_t(info.st_size)) == name.substr(name.find('.') + 1)) {
                found.push_back({info.st_mtime, name, uint64_t(info.st_size)});
            } else {
                ::unlinkat(::dirfd(dir), name.c_str(), 0);
                say("removed " + name + ": it was never recorded and is not a complete image");
            }
        }
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) { return a.modified < b.modified; });

    std::string added;
    for (const Found &image : found) {
        added += image.name + '\t' + std::to_string(image.size) + "\t\t\t\t" + utcDate(image.modified) + '\n';
        say("listed " + image.name + ": it was stored but not recorded when the host stopped");
    }
    if (added.empty())
        return true;
    if (!writeAll(m_indexFd, added.data(), added.size()) || ::fdatasync(m_indexFd) != 0) {
        *problem = "cannot write " + indexPath;
        return false;
    }
    return readIndex(problem);
}

std::unique_ptr<Store::Upload> Store::begin()
{
    std::unique_ptr<Upload> upload(new Upload);
    for (int attempt = 0; attempt < 100 && upload->m_fd < 0; ++attempt) {
        const std::string path = m_directory + "/" + partialPrefix + randomHex() + partialSuffix;
        upload->m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (upload->m_fd >= 0)
            upload->m_path = path;
        else if (errno != EEXIST)
            break;
    }
    return upload;
}

bool Store::commit(std::unique_ptr<Upload> upload, const std::string &type, Record record, std::string *name)
{
    if (upload->m_fd < 0 || ::fsync(upload->m_fd) != 0)
        return false;
    const int fd = upload->m_fd;
    upload->m_fd = -1;
    if (::close(fd) != 0)
        return false;

    std::string candidate;
    std::string path;
    bool placed = false;
    for (int attempt = 0; attempt < 100 && !placed; ++attempt) {
        candidate = randomHex() + "." + type;
        path = m_directory + "/" + candidate;
        // A link never replaces an existing name, even one another upload takes at the same time.
        if (::link(upload->m_path.c_str(), path.c_str()) == 0)
            placed = true;
        else if (errno != EEXIST)
            return false;
    }
    if (!placed)
        return false;
    ::unlink(upload->m_path.c_str());
    upload->m_path = path; // from here on, a failure removes the image under its new name
    if (!syncDirectory(m_directory))
        return false;

    record.name = candidate;
    record.size = upload->m_size;
    record.date = utcDate(std::time(nullptr));
    const std::string line = record.name + '\t' + std::to_string(record.size) + '\t' + indexField(record.user) + '\t'
        + indexField(record.description) + '\t' + indexField(record.filename) + '\t' + record.date + '\n';

    std::lock_guard<std::mutex> lock(m_mutex);
    if (!writeAll(m_indexFd, line.data(), line.size()) || ::fdatasync(m_indexFd) != 0) {
        // Nothing half-written may stay for the next line to be glued to.
        if (::ftruncate(m_indexFd, off_t(m_indexSize)) != 0)
            ::fdatasync(m_indexFd);
        return false;
    }
    m_lineStarts.push_back(m_indexSize);
    m_indexSize += line.size();
    upload->m_path.clear();
    *name = candidate;
    return true;
}

int Store::openImage(const std::string &name, uint64_t *size, std::string *type) const
{
    if (!validImageName(name))
        return -1;
    const int fd = ::open((m_directory + "/" + name).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    *size = uint64_t(info.st_size);
    *type = name.substr(name.find('.') + 1);
    return fd;
}

std::vector<Record> Store::page(size_t index, size_t pageSize, size_t *total) const
{
    uint64_t from = 0, to = 0;
    {
        // Only the bounds are taken under the lock; uploads never wait for a page to be built.
        std::lock_guard<std::mutex> lock(m_mutex);
        *total = m_lineStarts.size();
        const size_t newest = index * pageSize;
        if (newest >= m_lineStarts.size())
            return {};
        const size_t last = m_lineStarts.size() - 1 - newest;
        const size_t first = last + 1 >= pageSize ? last + 1 - pageSize : 0;
        from = m_lineStarts[first];
        to = last + 1 < m_lineStarts.size() ? m_lineStarts[last + 1] : m_indexSize;
    }
    std::string text(to - from, '\0');
    const int fd = ::open((m_directory + "/" + indexFileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const ssize_t n = ::pread(fd, text.data(), text.size(), off_t(from));
    ::close(fd);
    if (n != ssize_t(text.size()))
        return {};

    std::vector<Record> records;
    const std::vector<std::string> lines = split(text, '\n');
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const std::vector<std::string> fields = split(*line, '\t');
        if (fields.size() < 4)
            continue;
        Record record;
        record.name = fields[0];
        record.size = std::strtoull(fields[1].c_str(), nullptr, 10);
        record.user = fields[2];
        record.description = fields[3];
        if (fields.size() >= 6) {
            record.filename = fields[4];
            record.date = fields[5];
        } else {
            struct stat info;
            if (validImageName(record.name) && ::stat((m_directory + "/" + record.name).c_str(), &info) == 0)
                record.date = utcDate(info.st_mtime);
        }
        records.push_back(std::move(record));
    }
    return records;
}

const char Store::indexFileName[] = "index.tsv";

} // namespace host
