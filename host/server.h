#pragma once

#include "options.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace host {

class Accounts;
class Store;

// The HTTP(S) side of the host: uploads, images and the index page.
class Server
{
public:
    // `log` gets a line for each connection cut off for its pace.
    Server(const Options &options, Store &store, const Accounts &accounts,
           std::function<void(const std::string &)> log = {});
    ~Server();
    Server(const Server &) = delete;
    Server &operator=(const Server &) = delete;

    bool start(std::string *problem);
    uint16_t port() const;
    // What the links begin with; for a wildcard address without --public-url it depends on the
    // address each request arrives on, and this shows the port only.
    std::string describeBase() const;
    void stop();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace host
