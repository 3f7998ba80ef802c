#include "login.h"

#include <algorithm>
#include <cstdint>
#include <strings.h>

namespace host {

namespace {

const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string formDecoded(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0
                   && hexValue(text[i + 2]) >= 0) {
            out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string base64Encoded(const std::string &bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = uint32_t(uint8_t(bytes[i])) << 16;
        if (n > 1) group |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        if (n > 2) group |= uint8_t(bytes[i + 2]);
        out += alphabet[group >> 18 & 63];
        out += alphabet[group >> 12 & 63];
        out += n > 1 ? alphabet[group >> 6 & 63] : '=';
        out += n > 2 ? alphabet[group & 63] : '=';
    }
    return out;
}

bool base64Decoded(const std::string &text, std::string *bytes)
{
    if (text.size() % 4 != 0)
        return false;
    std::string out;
    for (size_t i = 0; i < text.size(); i += 4) {
        uint32_t group = 0;
        int padding = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            uint32_t value = 0;
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++padding;
            } else if (padding > 0) {
                return false; // data after padding
            } else {
                const char *at = std::char_traits<char>::find(alphabet, 64, c);
                if (!at)
                    return false;
                value = uint32_t(at - alphabet);
            }
            group = group << 6 | value;
        }
        out += char(group >> 16 & 255);
        if (padding < 2)
            out += char(group >> 8 & 255);
        if (padding < 1)
            out += char(group & 255);
    }
    *bytes = std::move(out);
    return true;
}

bool parseBasicAuthorization(const std::string &header, std::string *user, std::string *password)
{
    if (header.size() < 6 || strncasecmp(header.c_str(), "basic ", 6) != 0)
        return false;
    const size_t start = header.find_first_not_of(' ', 6);
    const size_t end = header.find_last_not_of(" \t");
    std::string decoded;
    if (start == std::string::npos || !base64Decoded(header.substr(start, end + 1 - start), &decoded))
        return false;
    const size_t colon = decoded.find(':');
    if (colon == std::string::npos)
        return false;
    *user = decoded.substr(0, colon);
    *password = decoded.substr(colon + 1);
    return true;
}

bool samePassword(std::string_view given, const std::string &stored)
{
    const size_t length = stored.size();
    const char *storedBytes = stored.c_str(); // its terminator is readable too
    // Volatile, so that the compiler cannot stop the loop once a difference is known.
    volatile unsigned char difference = 0;
    for (size_t i = 0; i < given.size(); ++i) {
        // Past the stored password's end the terminator is compared, chosen without a branch.
        const size_t within = size_t(0) - size_t(i < length);
        difference = difference | uint8_t(given[i] ^ storedBytes[(i & within) | (length & ~within)]);
    }
    return (difference == 0) & (given.size() == length);
}

std::map<std::string, std::string> parseFormFields(const std::string &body)
{
    std::map<std::string, std::string> fields;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        const std::string pair = body.substr(start, end - start);
        const size_t equals = pair.find('=');
        if (!pair.empty())
            fields.emplace(formDecoded(pair.substr(0, equals)),
                           equals == std::string::npos ? std::string() : formDecoded(pair.substr(equals + 1)));
        start = end + 1;
    }
    return fields;
}

} // namespace host
