#pragma once
// Downloading one file over HTTPS.

#include <functional>
#include <string>
#include <string_view>

namespace vadrel::check {

// The body of a successful answer. Redirects are followed only to https
// addresses whose host `allowed` accepts. Throws Failure with the reason in
// Spanish (no connection, not found, too large, too slow, sent elsewhere).
std::string httpGet(const std::string& url, const std::function<bool(std::string_view host)>& allowed);

// "inspire.ec.europa.eu" of "https://inspire.ec.europa.eu/schemas/…".
std::string_view hostOf(std::string_view url);

}  // namespace vadrel::check
