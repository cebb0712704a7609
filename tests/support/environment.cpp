#include "support/environment.hpp"

#include <cstdlib>

namespace vadrel::test {

#ifdef _WIN32
// The C runtime keeps its narrow and wide copies of the environment in step.
void setEnv(const char* name, const std::string& value) { ::_putenv_s(name, value.c_str()); }
void unsetEnv(const char* name) { ::_putenv_s(name, ""); }
#else
void setEnv(const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); }
void unsetEnv(const char* name) { ::unsetenv(name); }
#endif

}  // namespace vadrel::test
