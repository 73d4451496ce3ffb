#include "platform/linux/ioctl_cd_tray.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kvx::platform::linux_backend {

IoctlCdTray::IoctlCdTray() : devices_{"/dev/cdrom", "/dev/sr0", "/dev/sr1", "/dev/sr2", "/dev/sr3"} {}

bool IoctlCdTray::open() {
    for (const std::string& device : devices_) {
        // Non-blocking: a drive without a disc opens all the same.
        int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        // Only the first drive that opens is asked; a file that is no drive refuses the ioctl.
        bool opened = ::ioctl(fd, CDROMEJECT, 0) == 0;
        ::close(fd);
        return opened;
    }
    return false;
}

}  // namespace kvx::platform::linux_backend
