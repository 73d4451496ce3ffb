#pragma once
#include <string>

namespace kvx::app {
// "Korvex <version>", as --version prints it.
std::string versionText();
}  // namespace kvx::app
