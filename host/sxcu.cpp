#include "sxcu.h"

#include "store.h"

#include <cstdio>

namespace host {

namespace {

std::string authorityOf(const std::string &base)
{
    const size_t scheme = base.find("://");
    const size_t start = scheme == std::string::npos ? 0 : scheme + 3;
    return base.substr(start, base.find('/', start) - start);
}

// The format reads {...} as its own syntax in addresses and header values; a literal brace,
// bar or backslash is written with a backslash before it.
std::string syntaxEscaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '{' || c == '}' || c == '|' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

std::string jsonQuoted(const std::string &text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (uint8_t(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(uint8_t(c)));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string customUploaderFile(const std::string &base, const std::string &authorization)
{
    std::string json = "{\n"
                       "  \"Version\": \"14.0.0\",\n"
                       "  \"Name\": " + jsonQuoted("tarvello-host on " + authorityOf(base)) + ",\n"
                       "  \"DestinationType\": \"ImageUploader\",\n"
                       "  \"RequestMethod\": \"POST\",\n"
                       "  \"RequestURL\": " + jsonQuoted(syntaxEscaped(base + uploadPathPrefix)) + ",\n";
    if (!authorization.empty())
        json += "  \"Headers\": {\n    \"Authorization\": " + jsonQuoted(syntaxEscaped(authorization)) + "\n  },\n";
    json += "  \"Body\": \"MultipartFormData\",\n"
            "  \"FileFormName\": \"file\",\n"
            "  \"URL\": \"{response}\",\n"
            "  \"ErrorMessage\": \"{response}\"\n"
            "}\n";
    return json;
}

std::string customUploaderFileName(const std::string &base)
{
    std::string name = authorityOf(base);
    for (char &c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
        if (!plain)
            c = '_';
    }
    return (name.empty() ? std::string("tarvello-host") : name) + ".sxcu";
}

} // namespace host
