#pragma once
#include "platform/shared_library.h"

namespace kvx::platform::linux_backend {

// dlopen/dlsym. Libraries are opened RTLD_NOW | RTLD_LOCAL so that a missing
// dependency is reported at load time rather than on the first call.
class DlSharedLibraryLoader final : public SharedLibraryLoader {
public:
    std::unique_ptr<SharedLibrary> open(const std::string& path, std::string& error) override;
};

}  // namespace kvx::platform::linux_backend
