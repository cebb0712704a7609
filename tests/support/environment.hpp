#pragma once
// Setting and clearing environment variables from a test, on every system.

#include <string>

namespace vadrel::test {

void setEnv(const char* name, const std::string& value);
void unsetEnv(const char* name);

}  // namespace vadrel::test
