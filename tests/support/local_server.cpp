#include "support/local_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace vadrel::test {

namespace {

// The request's head, up to its blank line (these requests have no body).
std::string readHead(int fd)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    return head;
}

void sendAll(int fd, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

}  // namespace

LocalServer::LocalServer(Handler handler) : handler_(std::move(handler))
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe(stopPipe_) != 0)
        throw std::runtime_error("no local server");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalServer::~LocalServer()
{
    const char stop = 1;
    (void)!::write(stopPipe_[1], &stop, 1);
    thread_.join();
    for (int fd : silent_) ::close(fd);
    ::close(listener_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
}

std::string LocalServer::base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/INSPIRE/"; }

std::vector<std::string> LocalServer::targets() const
{
    std::lock_guard lock(mutex_);
    return targets_;
}

void LocalServer::serve()
{
    for (;;) {
        pollfd waits[2] = {{listener_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) return;
        if (waits[1].revents) return;
        const int fd = ::accept(listener_, nullptr, nullptr);
        if (fd < 0) continue;
        const std::string head = readHead(fd);
        // "GET /target HTTP/1.1"
        const std::size_t from = head.find(' ') + 1, to = head.find(' ', from);
        const std::string target = from > 0 && to != std::string::npos ? head.substr(from, to - from) : "";
        {
            std::lock_guard lock(mutex_);
            targets_.push_back(target);
        }
        const std::optional<Reply> reply = handler_(target);
        if (!reply) {
            silent_.push_back(fd);
            continue;
        }
        sendAll(fd, "HTTP/1.1 " + std::to_string(reply->status) +
                        " X\r\nContent-Type: text/xml\r\nConnection: close\r\nContent-Length: " +
                        std::to_string(reply->body.size()) + "\r\n\r\n" + reply->body);
        ::close(fd);
    }
}

}  // namespace vadrel::test
