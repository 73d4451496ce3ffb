#pragma once
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kvx::platform::linux_backend {

// "OPERATION PATH: system text"; NotFound for ENOENT, Failed otherwise.
FsStatus errnoStatus(const char* operation, const std::string& path, int error);

// Writes every byte, retrying after interruptions; the first error is reported
// as a "write" failure of `path`.
FsStatus writeAll(int fd, std::string_view bytes, const std::string& path);

}  // namespace kvx::platform::linux_backend
