#pragma once

#include <string>

namespace host {

// The custom-uploader file (.sxcu, JSON) that points an uploader at this host: a multipart
// POST of the image as "file" to `base` + the upload path, the whole answer being the link or,
// on failure, the message. With an authorization it carries that header, so the password
// never sits in the address.
std::string customUploaderFile(const std::string &base, const std::string &authorization = std::string());
// "img.example.org.sxcu", "127.0.0.1_8765.sxcu": only characters every file system takes.
std::string customUploaderFileName(const std::string &base);

// A JSON string literal, quotes included.
std::string jsonQuoted(const std::string &text);

} // namespace host
