#pragma once
#include <map>
#include <string>

#include "platform/shared_library.h"

namespace kvx::platform::fake {

// A loader that serves in-process symbol tables by path; for unit tests of the
// sensor library loader. An unknown path fails to load.
class FakeSharedLibraryLoader final : public SharedLibraryLoader {
public:
    using SymbolTable = std::map<std::string, void*>;
    void add(const std::string& path, SymbolTable symbols) { libraries_[path] = std::move(symbols); }
    std::unique_ptr<SharedLibrary> open(const std::string& path, std::string& error) override;

private:
    std::map<std::string, SymbolTable> libraries_;
};

}  // namespace kvx::platform::fake
