#pragma once

#include <cstdint>
#include <string>

namespace host {

// The port, a line, written whole: into a file beside `path` that is then renamed to it, so that
// a reader finds no file or the whole number, never a part of it. On failure *problem says why
// and nothing is left behind.
bool writePortFile(const std::string &path, uint16_t port, std::string *problem);

} // namespace host
