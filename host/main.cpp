// tarvello-host: a small local image host that takes the uploader's requests, stores the
// images and serves them back, so the program works end to end on one machine.

#include "store.h"

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

struct Options
{
    std::string listen = "127.0.0.1";
    int port = 8765;
    std::string dataDir = "tarvello-host-data";
    std::string usersFile;
    std::string publicUrl;
    std::string portFile;
    size_t maxSize = 128u * 1024u * 1024u;
};

void usage()
{
    std::cout <<
        "usage: tarvello-host [options]\n"
        "  --listen ADDR      address to listen on (default 127.0.0.1)\n"
        "  --port N           port (default 8765; 0 picks a free one)\n"
        "  --data DIR         where images are stored (default ./tarvello-host-data)\n"
        "  --users FILE       accounts, one \"name:password\" a line; without it only\n"
        "                     anonymous uploads are taken\n"
        "  --max-size BYTES   largest upload body taken (default 134217728)\n"
        "  --public-url URL   base of the links handed out (default http://ADDR:PORT)\n"
        "  --port-file FILE   write the port to FILE once listening\n";
}

bool parseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string &out) {
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string number;
        if (arg == "--listen") {
            if (!value(options.listen)) return false;
        } else if (arg == "--port") {
            if (!value(number)) return false;
            options.port = std::atoi(number.c_str());
        } else if (arg == "--data") {
            if (!value(options.dataDir)) return false;
        } else if (arg == "--users") {
            if (!value(options.usersFile)) return false;
        } else if (arg == "--public-url") {
            if (!value(options.publicUrl)) return false;
        } else if (arg == "--port-file") {
            if (!value(options.portFile)) return false;
        } else if (arg == "--max-size") {
            if (!value(number)) return false;
            options.maxSize = std::strtoull(number.c_str(), nullptr, 10);
        } else {
            return false;
        }
    }
    return true;
}

const char setAsideContentType[] = "X-Tarvello-Content-Type";

void plainError(httplib::Response &res, int status, const std::string &message)
{
    res.status = status;
    res.set_content("error: " + message + "\n", "text/plain; charset=utf-8");
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        usage();
        return 0;
    }
    if (!parseOptions(argc, argv, options)) {
        usage();
        return 2;
    }

    host::Store store(options.dataDir);
    std::string problem;
    if (!store.open(&problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }
    host::Accounts accounts;
    if (!options.usersFile.empty() && !accounts.load(options.usersFile, &problem)) {
        std::cerr << "tarvello-host: " << problem << "\n";
        return 1;
    }

    // SIGINT and SIGTERM are taken by a thread of their own, which stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    httplib::Server server;
    server.set_payload_max_length(options.maxSize);
    server.set_keep_alive_timeout(2);

    std::string base = options.publicUrl;

    // cpp-httplib 0.11's multipart parser refuses a body whose close delimiter has no line end
    // after it (RFC 2046 allows that, and it is how the uploader ends its body), and it parses
    // every multipart request it reads. So the Content-Type is set aside before the body is
    // read, the body arrives raw in req.body, and it is split by host::parseMultipart.
    server.set_pre_routing_handler([](const httplib::Request &constReq, httplib::Response &) {
        // The request object is httplib's own, not const; only this hook hands it out as const.
        auto &req = const_cast<httplib::Request &>(constReq);
        req.headers.erase(setAsideContentType);
        const auto type = req.headers.find("Content-Type");
        if (type != req.headers.end()) {
            req.headers.emplace(setAsideContentType, type->second);
            req.headers.erase(type);
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });

    server.Post(R"(/upload/index/bitlyonly/true/.*)", [&](const httplib::Request &req, httplib::Response &res) {
        const host::UploadPath path = host::parseUploadPath(req.target);
        if (!path.valid)
            return plainError(res, 404, "no such upload address");
        if (path.hasCredentials) {
            if (!accounts.enabled())
                return plainError(res, 403, "this host has no user accounts; upload without a login");
            if (!accounts.check(path.user, path.password))
                return plainError(res, 403, "wrong user name or password");
        }
        const std::string boundary = host::multipartBoundary(req.get_header_value(setAsideContentType));
        if (boundary.empty())
            return plainError(res, 400, "expected a multipart/form-data upload");
        std::vector<host::FormPart> parts;
        if (!host::parseMultipart(req.body, boundary, &parts))
            return plainError(res, 400, "the multipart body is malformed");

        const host::FormPart *file = nullptr;
        std::string description;
        for (const host::FormPart &part : parts) {
            if (part.name == "file" && !file)
                file = &part;
            else if (part.name == "desc")
                description = part.content;
        }
        // The uploader ends a description with a line end of its own.
        if (description.size() >= 2 && description.compare(description.size() - 2, 2, "\r\n") == 0) {
            description.resize(description.size() - 2);
        }
        if (!file)
            return plainError(res, 400, "the upload has no \"file\" part");
        const std::string type = host::sniffImageType(file->content);
        if (type.empty())
            return plainError(res, 415, "the file is not an image this host takes");

        std::string name;
        std::string failure; // handlers run on several threads: nothing shared is written here
        if (!store.save(file->content, type, path.hasCredentials ? path.user : std::string(), description, &name, &failure))
            return plainError(res, 500, failure);

        const std::string linkBase = base.empty() ? "http://" + req.get_header_value("Host") : base;
        res.status = 200;
        res.set_content(linkBase + "/i/" + name, "text/plain; charset=utf-8");
    });

    server.Get(R"(/i/([0-9a-f]+\.[a-z]+))", [&](const httplib::Request &req, httplib::Response &res) {
        std::string content;
        std::string type;
        if (!store.load(req.matches[1], &content, &type))
            return plainError(res, 404, "no such image");
        res.set_content(std::move(content), type.c_str());
    });

    server.Get("/", [&](const httplib::Request &, httplib::Response &res) {
        res.set_content(store.indexPage(), "text/html; charset=utf-8");
    });

    server.set_error_handler([](const httplib::Request &, httplib::Response &res) {
        if (!res.body.empty())
            return;
        if (res.status == 413)
            plainError(res, 413, "the upload is larger than this host takes");
        else if (res.status == 404)
            plainError(res, 404, "not found");
        else
            plainError(res, res.status, "the request was refused");
    });

    int port = options.port;
    if (port == 0) {
        port = server.bind_to_any_port(options.listen);
        if (port < 0) {
            std::cerr << "tarvello-host: cannot listen on " << options.listen << "\n";
            return 1;
        }
    } else if (!server.bind_to_port(options.listen, port)) {
        std::cerr << "tarvello-host: cannot listen on " << options.listen << ":" << port << "\n";
        return 1;
    }
    if (base.empty() && options.listen != "0.0.0.0" && options.listen != "::")
        base = "http://" + options.listen + ":" + std::to_string(port);
    if (!options.portFile.empty()) {
        std::ofstream(options.portFile) << port << "\n";
    }
    std::cout << "tarvello-host: serving http://" << options.listen << ":" << port << "/ from "
              << store.directory() << std::endl;

    std::thread stopper([&server, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.stop();
    });

    const bool ok = server.listen_after_bind();
    // When the server ended by itself, wake the stopper so it can be joined; if it has already
    // taken a signal, this one stays pending on a blocked mask and is never delivered.
    kill(getpid(), SIGTERM);
    stopper.join();
    return ok ? 0 : 1;
}
