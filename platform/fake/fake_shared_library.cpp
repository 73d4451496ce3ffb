#include "platform/fake/fake_shared_library.h"

namespace kvx::platform::fake {
namespace {

class FakeSharedLibrary final : public SharedLibrary {
public:
    explicit FakeSharedLibrary(FakeSharedLibraryLoader::SymbolTable symbols) : symbols_(std::move(symbols)) {}
    void* symbol(const char* name) const override {
        auto it = symbols_.find(name);
        return it == symbols_.end() ? nullptr : it->second;
    }

private:
    FakeSharedLibraryLoader::SymbolTable symbols_;
};

}  // namespace

std::unique_ptr<SharedLibrary> FakeSharedLibraryLoader::open(const std::string& path, std::string& error) {
    auto it = libraries_.find(path);
    if (it == libraries_.end()) {
        error = path + ": cannot open shared object file: No such file or directory";
        return nullptr;
    }
    return std::make_unique<FakeSharedLibrary>(it->second);
}

}  // namespace kvx::platform::fake
