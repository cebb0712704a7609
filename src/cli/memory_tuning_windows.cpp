#include "cli/memory_tuning.hpp"

namespace vadrel::cli {

// Nothing to tune: the settings are glibc's and the huge pages Linux's;
// Windows's heap has neither.
bool tuneMemory() { return false; }

}  // namespace vadrel::cli
