#pragma once

#include <map>
#include <string>
#include <string_view>

namespace host {

std::string base64Encoded(const std::string &bytes);
// Strict: padding required, nothing but the alphabet.
bool base64Decoded(const std::string &text, std::string *bytes);

// `Authorization: Basic <base64 of name:password>`; false if the header is some other scheme
// or does not decode.
bool parseBasicAuthorization(const std::string &header, std::string *user, std::string *password);

// Whether a password given in a login is the stored one. It reads every byte given, whatever
// the stored one holds, so its time tells neither where the first wrong byte is nor how long
// the stored password is.
bool samePassword(std::string_view given, const std::string &stored);

// An application/x-www-form-urlencoded body, as a browser's form sends it.
std::map<std::string, std::string> parseFormFields(const std::string &body);

} // namespace host
