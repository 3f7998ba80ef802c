#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace host {

// The path of an upload: /upload/index/bitlyonly/true/ with an optional
// user/<name>/pw/<password>, each segment percent-decoded on its own.
struct UploadPath
{
    bool valid = false;
    bool hasCredentials = false;
    std::string user;
    std::string password;
};
UploadPath parseUploadPath(const std::string &target);
extern const char uploadPathPrefix[];

class Accounts
{
public:
    bool load(const std::string &path, std::string *problem);
    bool enabled() const { return m_enabled; }
    bool check(const std::string &user, const std::string &password) const;

private:
    bool m_enabled = false;
    std::map<std::string, std::string> m_passwords;
};

// One line of the index. Lines written before names and dates were kept have neither.
struct Record
{
    std::string name; // the stored file, e.g. 0123456789abcdef.png
    uint64_t size = 0;
    std::string user;
    std::string description; // UTF-8
    std::string filename;    // as the client named it, UTF-8
    std::string date;        // UTC, "2026-12-07 17:37"
};

// Images on disk under names the host makes itself; nothing stored is ever overwritten. An image
// is received into a temporary file in the data folder and appears under its name only once it
// is complete, on disk, and recorded in the index.
class Store
{
public:
    class Upload
    {
    public:
        ~Upload();
        bool write(const char *data, size_t size);
        uint64_t size() const { return m_size; }
        bool ok() const { return m_fd >= 0; }

    private:
        friend class Store;
        Upload() = default;
        int m_fd = -1;
        std::string m_path;
        uint64_t m_size = 0;
    };

    explicit Store(std::string directory);
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Also reconciles the folder with the index: an image the host stopped before recording is
    // listed if it is complete and removed if not, each with a line through `log`.
    bool open(std::string *problem, const std::function<void(const std::string &)> &log = nullptr);
    std::unique_ptr<Upload> begin();
    // Moves the upload under a new name of that type and records it; on failure nothing stays.
    bool commit(std::unique_ptr<Upload> upload, const std::string &type, Record record, std::string *name);
    // A descriptor of a stored image to serve, or -1.
    int openImage(const std::string &name, uint64_t *size, std::string *type) const;
    // Newest first.
    std::vector<Record> page(size_t index, size_t pageSize, size_t *total) const;
    const std::string &directory() const { return m_directory; }

    static const char indexFileName[];

private:
    bool readIndex(std::string *problem);
    bool reconcile(std::string *problem, const std::function<void(const std::string &)> &log);

    std::string m_directory;
    mutable std::mutex m_mutex;
    int m_indexFd = -1;
    uint64_t m_indexSize = 0;
    std::vector<uint64_t> m_lineStarts;
};

} // namespace host
