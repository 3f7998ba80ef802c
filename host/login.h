#pragma once

#include <map>
#include <string>

namespace host {

std::string base64Encoded(const std::string &bytes);
// Strict: padding required, nothing but the alphabet.
bool base64Decoded(const std::string &text, std::string *bytes);

// `Authorization: Basic <base64 of name:password>`; false if the header is some other scheme
// or does not decode.
bool parseBasicAuthorization(const std::string &header, std::string *user, std::string *password);

// An application/x-www-form-urlencoded body, as a browser's form sends it.
std::map<std::string, std::string> parseFormFields(const std::string &body);

} // namespace host
