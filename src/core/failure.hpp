#pragma once
// An operation that "ends with a message": whoever invoked the handler shows
// the text; handlers never catch it themselves.

#include <stdexcept>
#include <string>
#include <string_view>

namespace vadrel {

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// Conversion messages, worded exactly as users have always seen them.
inline constexpr std::string_view kNotAFloat = "'%s' is not a valid floating point value";
inline constexpr std::string_view kNotAnInteger = "'%s' is not a valid integer value";
inline constexpr std::string_view kInvalidFloatOperation = "Invalid floating point operation";
inline constexpr std::string_view kFloatDivisionByZero = "Floating point division by zero";

// Replaces the first "%s" of pattern by arg.
std::string formatMessage(std::string_view pattern, std::string_view arg);

}  // namespace vadrel
