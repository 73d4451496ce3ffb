#pragma once
#include <map>
#include <string>

#include "platform/single_instance.h"

namespace kvx::platform::linux_backend {

// The one-copy guard on lock files: "<folder>/<safe name>.lock" held with an
// exclusive flock(2). The kernel drops the lock when the last descriptor of
// the file closes, so a copy that dies in any way (SIGKILL included) frees the
// name at once. Descriptors are close-on-exec, so programs started by this
// one never inherit the lock. The lock file holds the holder's process id, for
// people looking; the file itself is never deleted (deleting a lock file
// races with a process that has just opened it).
class FlockSingleInstance final : public SingleInstance {
public:
    // `folder`: where the lock files live, normally lockFolder(); a folder of
    // their own, since it is created when missing and made private (mode 0700).
    explicit FlockSingleInstance(std::string folder);
    ~FlockSingleInstance() override;  // releases every name held
    FlockSingleInstance(const FlockSingleInstance&) = delete;
    FlockSingleInstance& operator=(const FlockSingleInstance&) = delete;

    InstanceClaim acquire(const std::string& name) override;

    std::string lockPath(const std::string& name) const;

private:
    std::string folder_;
    std::map<std::string, int> held_;  // name -> locked descriptor
};

}  // namespace kvx::platform::linux_backend
