#pragma once
#include <map>
#include <string>

#include "platform/autostart.h"

namespace kvx::platform::fake {

// Login start entries in memory: name -> program path. failWith() makes
// every later write and remove fail with that message.
class FakeAutostart final : public Autostart {
public:
    bool exists(const std::string& name) override { return entries_.count(name) != 0; }
    FsStatus write(const std::string& name, const std::string& programPath) override;
    FsStatus remove(const std::string& name) override;

    void failWith(std::string message) { failure_ = std::move(message); }
    std::map<std::string, std::string>& entries() { return entries_; }

private:
    std::map<std::string, std::string> entries_;
    std::string failure_;
};

}  // namespace kvx::platform::fake
