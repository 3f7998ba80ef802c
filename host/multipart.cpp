#include "multipart.h"

#include <cctype>
#include <cstring>

namespace host {

namespace {

std::string lower(std::string text)
{
    for (char &c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string trimmed(const std::string &text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Part headers are small; a part whose headers do not fit is refused rather than buffered.
constexpr size_t maxPartHeaderBytes = 16 * 1024;

} // namespace

bool parseHeaderValue(const std::string &value, std::string *main,
                      std::vector<std::pair<std::string, std::string>> *parameters, bool backslashEscapes)
{
    size_t at = value.find(';');
    *main = lower(trimmed(value.substr(0, at)));
    while (at != std::string::npos) {
        ++at;
        while (at < value.size() && (value[at] == ' ' || value[at] == '\t'))
            ++at;
        if (at == value.size())
            break; // a trailing ';'
        const size_t equals = value.find('=', at);
        const size_t semicolon = value.find(';', at);
        if (equals == std::string::npos || equals > semicolon)
            return false;
        const std::string name = lower(trimmed(value.substr(at, equals - at)));
        if (name.empty())
            return false;
        at = equals + 1;
        while (at < value.size() && (value[at] == ' ' || value[at] == '\t'))
            ++at;
        std::string content;
        if (at < value.size() && value[at] == '"') {
            ++at;
            for (;; ++at) {
                if (at >= value.size())
                    return false;
                if (value[at] == '"')
                    break;
                if (backslashEscapes && value[at] == '\\' && at + 1 < value.size())
                    ++at;
                content += value[at];
            }
            at = value.find_first_not_of(" \t", at + 1);
            if (at != std::string::npos && value[at] != ';')
                return false;
        } else {
            const size_t end = value.find(';', at);
            content = trimmed(value.substr(at, end == std::string::npos ? std::string::npos : end - at));
            at = end;
        }
        parameters->emplace_back(name, content);
    }
    return true;
}

std::string multipartBoundary(const std::string &contentType)
{
    std::string type;
    std::vector<std::pair<std::string, std::string>> parameters;
    if (!parseHeaderValue(contentType, &type, &parameters) || type != "multipart/form-data")
        return std::string();
    for (const auto &[name, value] : parameters) {
        if (name != "boundary")
            continue;
        static const char allowed[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ'()+_,-./:=? ";
        if (value.empty() || value.size() > 70 || value.back() == ' '
            || value.find_first_not_of(allowed) != std::string::npos)
            return std::string();
        return value;
    }
    return std::string();
}

MultipartReader::MultipartReader(const std::string &boundary, Sink *sink)
    : m_delimiter("\r\n--" + boundary)
    , m_sink(sink)
    // The first delimiter may open the body without a line end before it: read the body as if
    // one were there, so every delimiter looks the same.
    , m_buffer("\r\n")
{
}

bool MultipartReader::fail()
{
    m_state = State::Failed;
    m_buffer.clear();
    return false;
}

bool MultipartReader::feed(const char *data, size_t size)
{
    if (m_state == State::Failed)
        return false;
    if (m_state == State::Done)
        return true; // epilogue
    m_buffer.append(data, size);
    size_t at = 0;
    for (;;) {
        switch (m_state) {
        case State::Preamble:
        case State::Body: {
            const size_t found = m_buffer.find(m_delimiter, at);
            const size_t end = found == std::string::npos
                ? (m_buffer.size() - at >= m_delimiter.size() ? m_buffer.size() - m_delimiter.size() + 1 : at)
                : found;
            if (m_state == State::Body && end > at && !m_sink->partData(m_buffer.data() + at, end - at))
                return fail();
            at = end;
            if (found == std::string::npos) {
                m_buffer.erase(0, at);
                return true;
            }
            if (m_state == State::Body && !m_sink->partEnds())
                return fail();
            at += m_delimiter.size();
            m_state = State::AfterDelimiter;
            break;
        }
        case State::AfterDelimiter: {
            // "--" closes; else optional white space, then the line end before the part headers.
            size_t k = at;
            if (m_buffer.size() - at >= 2 && m_buffer.compare(at, 2, "--") == 0) {
                m_state = State::Done;
                m_buffer.clear();
                return true;
            }
            while (k < m_buffer.size() && (m_buffer[k] == ' ' || m_buffer[k] == '\t'))
                ++k;
            if (k - at > 64)
                return fail();
            if (m_buffer.size() - k < 2) {
                m_buffer.erase(0, at);
                return true;
            }
            if (m_buffer.compare(k, 2, "\r\n") != 0)
                return fail();
            at = k + 2;
            m_headerLines.clear();
            m_headerBytes = 0;
            m_state = State::Headers;
            break;
        }
        case State::Headers: {
            const size_t lineEnd = m_buffer.find("\r\n", at);
            if (lineEnd == std::string::npos) {
                if (m_buffer.size() - at + m_headerBytes > maxPartHeaderBytes)
                    return fail();
                m_buffer.erase(0, at);
                return true;
            }
            const std::string line = m_buffer.substr(at, lineEnd - at);
            at = lineEnd + 2;
            m_headerBytes += line.size() + 2;
            if (m_headerBytes > maxPartHeaderBytes)
                return fail();
            if (!line.empty()) {
                if ((line[0] == ' ' || line[0] == '\t') && !m_headerLines.empty())
                    m_headerLines.back() += line; // folded
                else
                    m_headerLines.push_back(line);
                break;
            }
            if (!partHeadersEnd())
                return fail();
            m_state = State::Body;
            break;
        }
        case State::Done:
        case State::Failed:
            return m_state == State::Done;
        }
    }
}

bool MultipartReader::partHeadersEnd()
{
    PartHeader header;
    bool disposition = false;
    for (const std::string &line : m_headerLines) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos)
            return false;
        if (lower(trimmed(line.substr(0, colon))) != "content-disposition")
            continue;
        std::string type;
        std::vector<std::pair<std::string, std::string>> parameters;
        if (!parseHeaderValue(line.substr(colon + 1), &type, &parameters, false) || type != "form-data")
            return false;
        for (const auto &[name, value] : parameters) {
            if (name == "name") {
                header.name = value;
                disposition = true;
            } else if (name == "filename") {
                header.filename = value;
                header.hasFilename = true;
            }
        }
    }
    return disposition && m_sink->partBegins(header);
}

} // namespace host
