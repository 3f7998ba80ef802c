#pragma once

#include <cstdint>
#include <string>

namespace host {

// The image type of an upload from its first bytes and its full size ("png", "jpg", ...), or
// empty. Each format's own header is checked, not just its magic bytes.
std::string sniffImageType(const std::string &head, uint64_t size);

// How many leading bytes sniffImageType needs at most.
constexpr size_t sniffLength = 4096;

// The content type served for a stored image of that type.
std::string contentTypeOf(const std::string &type);

bool isValidUtf8(const std::string &text);

// Text from a client: UTF-8 when it is valid UTF-8, else Latin-1; "&#N;" and "&#xN;" turned
// back into characters; cut to at most maxCharacters characters. What is stored.
std::string clientText(const std::string &raw, size_t maxCharacters);
// Stored text as it is shown: references were turned into characters once, when it came, so a
// "&#65;" left in it is what the client meant. Valid UTF-8, cut to maxCharacters characters.
std::string storedText(const std::string &stored, size_t maxCharacters);

std::string htmlEscaped(const std::string &text);

// "512 bytes", "1.5 KB", "30.2 MB"
std::string readableSize(uint64_t bytes);

// The answer to a Range header for a file of that size.
struct ByteRange
{
    enum Kind { Whole, Part, Unsatisfiable } kind = Whole;
    uint64_t first = 0;
    uint64_t length = 0;
};
// Only one range is served; a header with several, or one that does not parse, is ignored
// (the whole file is sent, which RFC 9110 allows).
ByteRange parseRange(const std::string &header, uint64_t size);

} // namespace host
