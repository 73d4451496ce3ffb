#include "platform/fake/fake_autostart.h"

namespace kvx::platform::fake {
namespace {

FsStatus status(FsStatus::Kind kind, std::string message) {
    FsStatus result;
    result.kind = kind;
    result.message = std::move(message);
    return result;
}

}  // namespace

FsStatus FakeAutostart::write(const std::string& name, const std::string& programPath) {
    if (!failure_.empty()) return status(FsStatus::Kind::Failed, failure_);
    entries_[name] = programPath;
    return FsStatus::success();
}

FsStatus FakeAutostart::remove(const std::string& name) {
    if (!failure_.empty()) return status(FsStatus::Kind::Failed, failure_);
    if (entries_.erase(name) == 0) return status(FsStatus::Kind::NotFound, "no autostart entry " + name);
    return FsStatus::success();
}

}  // namespace kvx::platform::fake
