#pragma once

#include <cstdint>
#include <string>

namespace host {

// Makes sure the process may open `needed` files: raises its soft limit towards the hard one
// when it has to (systemd starts services with a soft limit of 1024), and otherwise says what
// to change. Running short of descriptors would make the host refuse connections at random,
// or fail to store uploads it has already taken in.
bool ensureFileLimit(uint64_t needed, std::string *problem);

} // namespace host
