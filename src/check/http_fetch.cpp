#include "check/http_fetch.hpp"

#include <curl/curl.h>

#include <mutex>

#include "core/failure.hpp"

namespace vadrel::check {

namespace {

// No schema comes near this; an answer that does is no schema.
constexpr std::size_t kMaxBody = std::size_t{16} << 20;

struct Body {
    std::string bytes;
    bool tooLarge = false;
};

std::size_t append(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* body = static_cast<Body*>(user);
    const std::size_t n = size * count;
    if (body->bytes.size() + n > kMaxBody) {
        body->tooLarge = true;
        return 0;  // makes curl stop with an error
    }
    body->bytes.append(data, n);
    return n;
}

}  // namespace

std::string httpGet(const std::string& url)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    CURL* curl = curl_easy_init();
    if (!curl) throw Failure("no se ha podido preparar la descarga de " + url);
    Body body;
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Vadrel/2.0");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode code = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    if (body.tooLarge) throw Failure("la respuesta de " + url + " es demasiado grande para ser un esquema");
    if (code != CURLE_OK) {
        std::string reason = "no se ha podido descargar ";
        reason += url;
        reason += " (";
        reason += *error ? error : curl_easy_strerror(code);
        reason += ")";
        throw Failure(reason);
    }
    return std::move(body.bytes);
}

}  // namespace vadrel::check
