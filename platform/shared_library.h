#pragma once
#include <memory>
#include <string>

namespace kvx::platform {

// A shared object opened at run time. Symbols stay valid while the object lives.
class SharedLibrary {
public:
    virtual ~SharedLibrary() = default;
    // The address of the exported symbol `name`, or nullptr when it is not exported.
    virtual void* symbol(const char* name) const = 0;
};

// Opens shared objects. open() returns nullptr and sets `error` to a one-line
// reason when the file cannot be loaded.
class SharedLibraryLoader {
public:
    virtual ~SharedLibraryLoader() = default;
    virtual std::unique_ptr<SharedLibrary> open(const std::string& path, std::string& error) = 0;
};

}  // namespace kvx::platform
