#pragma once
// Downloading one file over HTTP(S).

#include <string>

namespace vadrel::check {

// The body of a successful answer, redirects followed. Throws Failure with
// the reason in Spanish (no connection, not found, too large, too slow).
std::string httpGet(const std::string& url);

}  // namespace vadrel::check
