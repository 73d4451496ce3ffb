#pragma once
#include <set>
#include <string>

#include "platform/single_instance.h"

namespace kvx::platform::fake {

// A one-copy guard in memory. Names marked with heldElsewhere() answer
// AnotherCopyRuns; failWith() makes every later claim answer Error.
class FakeSingleInstance final : public SingleInstance {
public:
    void heldElsewhere(const std::string& name) { elsewhere_.insert(name); }
    void failWith(std::string message) { failure_ = std::move(message); }

    InstanceClaim acquire(const std::string& name) override;

    const std::set<std::string>& held() const { return held_; }

private:
    std::set<std::string> elsewhere_;
    std::set<std::string> held_;
    std::string failure_;
};

}  // namespace kvx::platform::fake
