#include "platform/fake/fake_single_instance.h"

namespace kvx::platform::fake {

InstanceClaim FakeSingleInstance::acquire(const std::string& name) {
    if (!failure_.empty()) return {InstanceClaim::Kind::Error, failure_};
    if (name.empty()) return {InstanceClaim::Kind::Error, "an instance name must not be empty"};
    if (elsewhere_.count(name) != 0) return {InstanceClaim::Kind::AnotherCopyRuns, {}};
    held_.insert(name);
    return {InstanceClaim::Kind::Acquired, {}};
}

}  // namespace kvx::platform::fake
