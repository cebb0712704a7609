#pragma once
// A real HTTP server on 127.0.0.1 for the download tests: answers each
// request from a handler, one at a time, on a thread of its own.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vadrel::test {

struct Reply {
    int status = 200;
    std::string body;
};

class LocalServer {
public:
    // The handler gets the request target ("/INSPIRE/wfsCP.aspx?…"); no
    // reply keeps the connection open and silent until the server stops.
    using Handler = std::function<std::optional<Reply>(const std::string& target)>;

    explicit LocalServer(Handler handler);
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:PORT/INSPIRE/"
    std::string base() const;
    std::vector<std::string> targets() const;

private:
    void serve();

    // A socket on every system (Windows' SOCKET is pointer-sized).
    using Socket = std::intptr_t;

    Handler handler_;
    Socket listener_ = -1;
    std::atomic<bool> stopping_{false};
    int port_ = 0;
    std::vector<Socket> silent_;
    mutable std::mutex mutex_;
    std::vector<std::string> targets_;
    std::thread thread_;
};

}  // namespace vadrel::test
