#pragma once

#include <map>
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

// One part of a multipart/form-data body.
struct FormPart
{
    std::string name;
    std::string content;
};

// The boundary parameter of a multipart/form-data Content-Type, empty if there is none.
std::string multipartBoundary(const std::string &contentType);

// Splits a multipart/form-data body into its parts; false if the body is malformed.
// The close delimiter may end the body with or without a line end after it (RFC 2046).
bool parseMultipart(const std::string &body, const std::string &boundary, std::vector<FormPart> *parts);

// The image type of the content by its first bytes ("png", "jpg", ...), empty if none.
std::string sniffImageType(const std::string &content);

// The content type served for a stored image of that type.
std::string contentTypeOf(const std::string &type);

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

// Images on disk under names the host makes itself; nothing stored is ever overwritten.
class Store
{
public:
    explicit Store(std::string directory);

    bool open(std::string *problem);
    bool save(const std::string &content, const std::string &type, const std::string &user,
              const std::string &description, std::string *name, std::string *problem);
    bool load(const std::string &name, std::string *content, std::string *type) const;
    std::string indexPage() const;
    const std::string &directory() const { return m_directory; }

private:
    std::string m_directory;
    mutable std::mutex m_mutex;
};

} // namespace host
