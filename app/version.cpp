#include "app/version.h"

#ifndef KVX_VERSION
#define KVX_VERSION "0.1.0"
#endif

namespace kvx::app {
std::string versionText() { return std::string("Korvex ") + KVX_VERSION; }
}
