#include "content.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace host {

namespace {

bool startsWith(const std::string &text, const char *prefix, size_t length, size_t offset = 0)
{
    return text.size() >= offset + length && text.compare(offset, length, prefix, length) == 0;
}

uint32_t le16(const std::string &s, size_t at) { return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8; }
uint32_t le32(const std::string &s, size_t at) { return le16(s, at) | le16(s, at + 2) << 16; }
uint32_t be16(const std::string &s, size_t at) { return uint8_t(s[at]) << 8 | uint8_t(s[at + 1]); }
uint32_t be32(const std::string &s, size_t at) { return be16(s, at) << 16 | be16(s, at + 2); }

bool isPng(const std::string &h)
{
    return startsWith(h, "\x89PNG\r\n\x1a\n", 8) && h.size() >= 24 && be32(h, 8) == 13
        && startsWith(h, "IHDR", 4, 12) && be32(h, 16) != 0 && be32(h, 20) != 0;
}

bool isJpeg(const std::string &h)
{
    // SOI, then the first marker segment (APPn, DQT, SOFn, DHT, COM, ...).
    return h.size() >= 4 && startsWith(h, "\xff\xd8\xff", 3) && uint8_t(h[3]) >= 0xc0 && uint8_t(h[3]) != 0xff;
}

bool isGif(const std::string &h)
{
    return (startsWith(h, "GIF87a", 6) || startsWith(h, "GIF89a", 6)) && h.size() >= 13 && le16(h, 6) != 0
        && le16(h, 8) != 0;
}

bool isBmp(const std::string &h, uint64_t size)
{
    if (!startsWith(h, "BM", 2) || h.size() < 30)
        return false;
    const uint32_t declared = le32(h, 2), pixels = le32(h, 10), info = le32(h, 14);
    if ((declared != 0 && declared != size) || pixels < 14 + info || pixels >= size)
        return false;
    if (info == 12)
        return le16(h, 18) != 0 && le16(h, 20) != 0 && le16(h, 22) == 1;
    if (info != 40 && info != 52 && info != 56 && info != 64 && info != 108 && info != 124)
        return false;
    const uint32_t bits = le16(h, 28);
    return le32(h, 18) != 0 && le32(h, 22) != 0 && le16(h, 26) == 1
        && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

bool isWebp(const std::string &h, uint64_t size)
{
    return startsWith(h, "RIFF", 4) && startsWith(h, "WEBP", 4, 8) && h.size() >= 16
        && uint64_t(le32(h, 4)) + 8 <= size && le32(h, 4) >= 12
        && (startsWith(h, "VP8 ", 4, 12) || startsWith(h, "VP8L", 4, 12) || startsWith(h, "VP8X", 4, 12));
}

bool isTiff(const std::string &h, uint64_t size)
{
    if (h.size() < 8)
        return false;
    uint32_t ifd = 0;
    if (startsWith(h, "II*\0", 4))
        ifd = le32(h, 4);
    else if (startsWith(h, "MM\0*", 4))
        ifd = be32(h, 4);
    else
        return false;
    return ifd >= 8 && ifd + 2 <= size;
}

// An SVG document: after an optional BOM, XML declaration, comments and doctype, the first
// element is <svg>. Text that merely mentions "<svg" somewhere is not one.
bool isSvg(const std::string &h)
{
    size_t at = startsWith(h, "\xef\xbb\xbf", 3) ? 3 : 0;
    for (;;) {
        while (at < h.size() && std::strchr(" \t\r\n", h[at]))
            ++at;
        if (startsWith(h, "<?xml", 5, at)) {
            at = h.find("?>", at);
            if (at == std::string::npos)
                return false;
            at += 2;
        } else if (startsWith(h, "<!--", 4, at)) {
            at = h.find("-->", at);
            if (at == std::string::npos)
                return false;
            at += 3;
        } else if (startsWith(h, "<!DOCTYPE svg", 13, at)) {
            at = h.find('>', at);
            if (at == std::string::npos)
                return false;
            at += 1;
        } else {
            return startsWith(h, "<svg", 4, at) && at + 4 < h.size() && std::strchr(" \t\r\n>", h[at + 4]);
        }
    }
}

void appendUtf8(std::string &out, uint32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xc0 | code >> 6);
        out += char(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += char(0xe0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3f));
        out += char(0x80 | (code & 0x3f));
    } else {
        out += char(0xf0 | code >> 18);
        out += char(0x80 | (code >> 12 & 0x3f));
        out += char(0x80 | (code >> 6 & 0x3f));
        out += char(0x80 | (code & 0x3f));
    }
}

bool isCharacter(uint64_t code)
{
    return code > 0 && code <= 0x10ffff && !(code >= 0xd800 && code <= 0xdfff);
}

} // namespace

std::string sniffImageType(const std::string &head, uint64_t size)
{
    if (isPng(head)) return "png";
    if (isJpeg(head)) return "jpg";
    if (isGif(head)) return "gif";
    if (isBmp(head, size)) return "bmp";
    if (isWebp(head, size)) return "webp";
    if (isTiff(head, size)) return "tiff";
    if (isSvg(head)) return "svg";
    return std::string();
}

std::string contentTypeOf(const std::string &type)
{
    if (type == "jpg") return "image/jpeg";
    if (type == "svg") return "image/svg+xml";
    return "image/" + type;
}

bool isValidUtf8(const std::string &text)
{
    for (size_t i = 0; i < text.size();) {
        const uint8_t c = uint8_t(text[i]);
        size_t extra = 0;
        uint32_t code = 0;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xc2 && c <= 0xdf) { extra = 1; code = c & 0x1f; }
        else if (c >= 0xe0 && c <= 0xef) { extra = 2; code = c & 0x0f; }
        else if (c >= 0xf0 && c <= 0xf4) { extra = 3; code = c & 0x07; }
        else return false;
        if (i + extra >= text.size())
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            const uint8_t d = uint8_t(text[i + k]);
            if ((d & 0xc0) != 0x80)
                return false;
            code = code << 6 | (d & 0x3f);
        }
        if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10ffff))
            || (code >= 0xd800 && code <= 0xdfff))
            return false;
        i += extra + 1;
    }
    return true;
}

namespace {

std::string decodedText(const std::string &raw, size_t maxCharacters, bool references)
{
    std::string text;
    if (isValidUtf8(raw)) {
        text = raw;
    } else {
        for (unsigned char c : raw)
            appendUtf8(text, c);
    }
    std::string out;
    size_t characters = 0;
    for (size_t i = 0; i < text.size() && characters < maxCharacters; ++characters) {
        if (references && text[i] == '&' && i + 2 < text.size() && text[i + 1] == '#') {
            const bool hex = text[i + 2] == 'x' || text[i + 2] == 'X';
            size_t j = i + (hex ? 3 : 2);
            uint64_t code = 0;
            const size_t digitsStart = j;
            while (j < text.size() && j - digitsStart < 8
                   && (std::isdigit(uint8_t(text[j])) || (hex && std::isxdigit(uint8_t(text[j]))))) {
                code = code * (hex ? 16 : 10) + uint64_t(std::isdigit(uint8_t(text[j])) ? text[j] - '0' : (text[j] | 0x20) - 'a' + 10);
                ++j;
            }
            if (j > digitsStart && j < text.size() && text[j] == ';' && isCharacter(code)) {
                appendUtf8(out, uint32_t(code));
                i = j + 1;
                continue;
            }
        }
        size_t length = 1;
        while (i + length < text.size() && (uint8_t(text[i + length]) & 0xc0) == 0x80)
            ++length;
        out.append(text, i, length);
        i += length;
    }
    return out;
}

} // namespace

std::string clientText(const std::string &raw, size_t maxCharacters)
{
    return decodedText(raw, maxCharacters, true);
}

std::string storedText(const std::string &stored, size_t maxCharacters)
{
    return decodedText(stored, maxCharacters, false);
}

std::string htmlEscaped(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string readableSize(uint64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    const char *units[] = {"KB", "MB", "GB", "TB"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, value < 10 ? "%.1f %s" : "%.0f %s", value, units[unit]);
    return text;
}

ByteRange parseRange(const std::string &header, uint64_t size)
{
    ByteRange whole;
    whole.length = size;
    const std::string prefix = "bytes=";
    if (header.compare(0, prefix.size(), prefix) != 0 || header.find(',') != std::string::npos)
        return whole;
    const std::string asked = header.substr(prefix.size());
    const size_t dash = asked.find('-');
    if (dash == std::string::npos)
        return whole;
    auto number = [](const std::string &digits, uint64_t *value) {
        if (digits.empty() || digits.size() > 19 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        *value = std::stoull(digits);
        return true;
    };
    const std::string a = asked.substr(0, dash), b = asked.substr(dash + 1);
    uint64_t first = 0, last = 0;
    ByteRange range;
    range.kind = ByteRange::Part;
    if (a.empty()) { // the last b bytes
        if (!number(b, &last))
            return whole;
        if (last == 0 || size == 0) {
            range.kind = ByteRange::Unsatisfiable;
            return range;
        }
        range.length = last < size ? last : size;
        range.first = size - range.length;
        return range;
    }
    if (!number(a, &first) || (!b.empty() && (!number(b, &last) || last < first)))
        return whole;
    if (first >= size) {
        range.kind = ByteRange::Unsatisfiable;
        return range;
    }
    if (b.empty() || last >= size)
        last = size - 1;
    range.first = first;
    range.length = last - first + 1;
    return range;
}

} // namespace host
