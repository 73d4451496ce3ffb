#include "platform/diagnostics.h"

#include <cstdio>

namespace kvx::platform {

void StandardErrorDiagnostics::write(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace kvx::platform
