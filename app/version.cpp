#include "app/version.h"

#include "kvx_version.h"

namespace kvx::app {
std::string versionText() { return std::string("Korvex ") + kVersionNumber; }
}  // namespace kvx::app
