#pragma once
#include <string>
#include <vector>

#include "platform/cd_tray.h"

namespace kvx::platform::linux_backend {

// Opens a CD tray with the CDROMEJECT ioctl on the first of `devices` that
// opens (by default /dev/cdrom, then /dev/sr0 .. /dev/sr3).
class IoctlCdTray : public CdTray {
public:
    IoctlCdTray();
    explicit IoctlCdTray(std::vector<std::string> devices) : devices_(std::move(devices)) {}
    bool open() override;

private:
    std::vector<std::string> devices_;
};

}  // namespace kvx::platform::linux_backend
