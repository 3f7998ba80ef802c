#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace host {

struct Record;

struct IndexPage
{
    std::vector<Record> records; // newest first
    size_t index = 0;            // which page
    size_t pageSize = 200;
    size_t total = 0;            // images in all
    bool accounts = false;       // the host has a users file: offer the login form
};

// The index page: no script, every client text escaped and kept apart from the page's own
// direction, and each thumbnail described by its description or file name.
std::string indexHtml(const IndexPage &page);

extern const char styleSheet[];

} // namespace host
