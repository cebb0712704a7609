#include "check/http_fetch.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "check/check_text.hpp"
#include "core/failure.hpp"

namespace vadrel::check {

namespace {

constexpr int kMostRedirects = 5;

struct Body {
    std::string bytes;
    std::size_t limit = 0;
    bool tooLarge = false;
};

std::size_t append(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* body = static_cast<Body*>(user);
    const std::size_t n = size * count;
    if (body->bytes.size() + n > body->limit) {
        body->tooLarge = true;
        return 0;  // makes curl stop with an error
    }
    body->bytes.append(data, n);
    return n;
}

std::string reason(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST: return "no se encuentra el servidor; ¿hay conexión a Internet?";
    case CURLE_COULDNT_CONNECT: return "no se puede conectar con el servidor";
    case CURLE_OPERATION_TIMEDOUT: return "el servidor no responde a tiempo";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE: return "la conexión segura con el servidor ha fallado";
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING: return "la conexión se ha cortado";
    default: return concat({"error de descarga: ", curl_easy_strerror(code)});
    }
}

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};

// How often `waiting` is called while an answer is awaited.
constexpr int kWaitingEveryMs = 50;

// The transfer, calling `waiting` every few milliseconds until it ends.
CURLcode perform(CURL* easy, const std::function<void()>& waiting)
{
    if (!waiting) return curl_easy_perform(easy);
    CURLM* multi = curl_multi_init();
    if (!multi) return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi, easy);
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running > 0) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_RECV_ERROR;
            break;
        }
        if (running > 0) {
            curl_multi_poll(multi, nullptr, 0, kWaitingEveryMs, nullptr);
            waiting();
        }
    }
    int left = 0;
    while (CURLMsg* m = curl_multi_info_read(multi, &left))
        if (m->msg == CURLMSG_DONE) result = m->data.result;
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return result;
}

}  // namespace

std::string_view hostOf(std::string_view url)
{
    const std::size_t scheme = url.find("://");
    if (scheme == std::string_view::npos) return {};
    url.remove_prefix(scheme + 3);
    url = url.substr(0, url.find_first_of("/?#"));
    if (const std::size_t at = url.rfind('@'); at != std::string_view::npos) url.remove_prefix(at + 1);
    // An IPv6 literal keeps its brackets: its colons are not the port's.
    if (url.starts_with('[')) {
        const std::size_t close = url.find(']');
        return close == std::string_view::npos ? std::string_view{} : url.substr(0, close + 1);
    }
    return url.substr(0, url.find(':'));
}

HttpAnswer httpFetch(const std::string& first, const std::function<bool(std::string_view host)>& allowed,
                     const FetchLimits& limits)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    std::string url = first;
    for (int hop = 0; hop <= kMostRedirects; ++hop) {
        std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
        if (!curl) throw Failure(concat({"no se ha podido preparar la descarga de ", url}));
        Body body;
        body.limit = limits.maxBody;
        curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, limits.plainHttp ? "http,https" : "https");
        curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, std::min(10L, limits.timeoutSeconds));
        curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, limits.timeoutSeconds);
        curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl.get(), CURLOPT_USERAGENT, "Vadrel/2.0");
        if (limits.direct) curl_easy_setopt(curl.get(), CURLOPT_PROXY, "");
        curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, append);
        curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
        const CURLcode code = perform(curl.get(), limits.waiting);
        if (body.tooLarge) throw Failure(concat({"lo que llega de ", url, " ", limits.tooLarge}));
        if (code == CURLE_OPERATION_TIMEDOUT)
            throw TimedOut(concat({"no se ha podido descargar ", url, ": ", reason(code)}));
        if (code != CURLE_OK) throw Failure(concat({"no se ha podido descargar ", url, ": ", reason(code)}));

        long status = 0;
        curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
        if (status >= 300 && status < 400) {
            char* next = nullptr;
            curl_easy_getinfo(curl.get(), CURLINFO_REDIRECT_URL, &next);
            const std::string target = next ? next : "";
            // Only to the hosts asked for, and never down to plain http.
            const bool secure = target.starts_with("https://") || (limits.plainHttp && target.starts_with("http://"));
            if (!secure || !allowed(hostOf(target)))
                throw Failure(concat({"no se ha descargado ", url, ": el servidor la envía a ",
                                      target.empty() ? "ninguna parte" : printable(target, kLongestName), ", ",
                                      limits.elsewhere}));
            url = target;
            continue;
        }
        return {status, std::move(body.bytes)};
    }
    throw Failure(concat({"no se ha podido descargar ", first, ": demasiadas redirecciones"}));
}

std::string httpGet(const std::string& url, const std::function<bool(std::string_view host)>& allowed)
{
    HttpAnswer answer = httpFetch(url, allowed, FetchLimits{});
    if (answer.status != 200)
        throw Failure(concat({"no se ha podido descargar ", url, ": el servidor responde con el código ",
                              std::to_string(answer.status)}));
    return std::move(answer.body);
}

}  // namespace vadrel::check
