#pragma once
// Downloading one file over HTTPS.

#include <functional>
#include <string>
#include <string_view>

#include "core/failure.hpp"

namespace vadrel::check {

// The body of a successful answer. Redirects are followed only to https
// addresses whose host `allowed` accepts. Throws Failure with the reason in
// Spanish (no connection, not found, too large, too slow, sent elsewhere).
std::string httpGet(const std::string& url, const std::function<bool(std::string_view host)>& allowed);

// What a download may take and how its refusals read; the defaults are the
// schemas'.
struct FetchLimits {
    std::size_t maxBody = std::size_t{16} << 20;
    long timeoutSeconds = 60;
    bool plainHttp = false;  // http:// too (the caller has vetted the host)
    bool direct = false;     // never through a proxy (this machine's own server)
    std::string tooLarge = "es demasiado grande para ser un esquema";
    std::string elsewhere = "fuera de los servidores de esquemas";
    // Called often while the answer is awaited (a window kept alive).
    std::function<void()> waiting;
};

// No answer within the time allowed: a busy server may answer a second try.
class TimedOut : public Failure {
public:
    using Failure::Failure;
};

struct HttpAnswer {
    long status = 0;
    std::string body;
};

// The final answer after redirects, whatever its status; throws Failure
// only when no answer came (TimedOut when none came in time) or it broke
// the limits.
HttpAnswer httpFetch(const std::string& url, const std::function<bool(std::string_view host)>& allowed,
                     const FetchLimits& limits);

// "inspire.ec.europa.eu" of "https://inspire.ec.europa.eu/schemas/…";
// "[::1]" of "http://[::1]:8080/".
std::string_view hostOf(std::string_view url);

}  // namespace vadrel::check
