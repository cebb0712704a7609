#include "support/local_server.hpp"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <stdexcept>

namespace vadrel::test {

namespace {

#ifdef _WIN32
using Native = SOCKET;
constexpr int kNoSignal = 0;
void closeSocket(std::intptr_t s) { ::closesocket(static_cast<Native>(s)); }
// Winsock wants starting once per process.
void startSockets()
{
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) throw std::runtime_error("no sockets");
}
#else
using Native = int;
constexpr int kNoSignal = MSG_NOSIGNAL;
void closeSocket(std::intptr_t s) { ::close(static_cast<Native>(s)); }
void startSockets() {}
#endif

Native native(std::intptr_t s) { return static_cast<Native>(s); }

// The request's head, up to its blank line (these requests have no body).
std::string readHead(std::intptr_t fd)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        const auto n = ::recv(native(fd), buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    return head;
}

void sendAll(std::intptr_t fd, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const auto n = ::send(native(fd), bytes.data() + sent, static_cast<int>(bytes.size() - sent), kNoSignal);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<unsigned short>(port));
    return address;
}

}  // namespace

LocalServer::LocalServer(Handler handler) : handler_(std::move(handler))
{
    startSockets();
    const Native listener = ::socket(AF_INET, SOCK_STREAM, 0);
    listener_ = static_cast<Socket>(listener);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no local server");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalServer::~LocalServer()
{
    // The server waits in accept: one connection of our own wakes it to
    // see that it must stop.
    stopping_ = true;
    const Native waker = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port_);
    (void)::connect(waker, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    thread_.join();
    closeSocket(static_cast<Socket>(waker));
    for (Socket fd : silent_) closeSocket(fd);
    closeSocket(listener_);
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
        const Native accepted = ::accept(native(listener_), nullptr, nullptr);
        if (stopping_) {
            closeSocket(static_cast<Socket>(accepted));
            return;
        }
        const Socket fd = static_cast<Socket>(accepted);
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
        closeSocket(fd);
    }
}

}  // namespace vadrel::test
