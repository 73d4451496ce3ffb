#include "platform/linux/dl_shared_library.h"

#include <dlfcn.h>

namespace kvx::platform::linux_backend {
namespace {

class DlSharedLibrary final : public SharedLibrary {
public:
    explicit DlSharedLibrary(void* handle) : handle_(handle) {}
    ~DlSharedLibrary() override { dlclose(handle_); }
    DlSharedLibrary(const DlSharedLibrary&) = delete;
    DlSharedLibrary& operator=(const DlSharedLibrary&) = delete;

    void* symbol(const char* name) const override { return dlsym(handle_, name); }

private:
    void* handle_;
};

}  // namespace

std::unique_ptr<SharedLibrary> DlSharedLibraryLoader::open(const std::string& path, std::string& error) {
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : ("cannot load " + path);
        return nullptr;
    }
    return std::make_unique<DlSharedLibrary>(handle);
}

}  // namespace kvx::platform::linux_backend
