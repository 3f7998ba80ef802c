#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

// A header value with parameters: `type; a=b; c="d e"`. Names are lower-cased, quoted values
// unquoted. False if the value breaks the grammar (an unclosed quote, a parameter without '=').
// Browsers put a Windows path's backslashes into a part's filename as they are, so there a
// backslash does not escape.
bool parseHeaderValue(const std::string &value, std::string *main,
                      std::vector<std::pair<std::string, std::string>> *parameters, bool backslashEscapes = true);

// The boundary of a multipart/form-data Content-Type, empty if there is none or it is not a
// valid boundary (1 to 70 characters of the allowed set, not ending in a space).
std::string multipartBoundary(const std::string &contentType);

struct PartHeader
{
    std::string name;
    std::string filename;
    bool hasFilename = false;
};

// Splits a multipart/form-data body as it arrives, in pieces of any size; memory stays bounded
// by the boundary and the part headers, whatever the size of the parts.
class MultipartReader
{
public:
    class Sink
    {
    public:
        virtual ~Sink() = default;
        virtual bool partBegins(const PartHeader &header) = 0;
        virtual bool partData(const char *data, size_t size) = 0;
        virtual bool partEnds() = 0;
    };

    MultipartReader(const std::string &boundary, Sink *sink);

    // False once the body is malformed or the sink refused something; later calls stay false.
    bool feed(const char *data, size_t size);
    // True if the close delimiter was seen (whatever followed it is epilogue).
    bool complete() const { return m_state == State::Done; }

private:
    enum class State { Preamble, AfterDelimiter, Headers, Body, Done, Failed };
    bool fail();
    bool partHeadersEnd();

    std::string m_delimiter; // CRLF "--" boundary
    Sink *m_sink;
    State m_state = State::Preamble;
    std::string m_buffer;
    std::vector<std::string> m_headerLines;
    size_t m_headerBytes = 0;
};

} // namespace host
