// The CD tray: refused quietly by whatever is not a CD drive.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/linux/ioctl_cd_tray.h"

using kvx::platform::linux_backend::IoctlCdTray;

// Guards against "Tovel Beer Can Holder" failing loudly (or crashing) on a
// machine without a drive: a missing device, a plain file and a device that
// is no CD drive all give false.
TEST(CdTray, WithoutADriveOpeningFailsQuietly) {
    char folder[] = "/tmp/kvx-cdtray-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string plainFile = std::string(folder) + "/sr0";
    std::ofstream(plainFile) << "not a drive";
    for (const std::vector<std::string>& devices :
         {std::vector<std::string>{}, {std::string(folder) + "/missing"}, {plainFile}, {"/dev/null"}}) {
        IoctlCdTray tray(devices);
        EXPECT_FALSE(tray.open()) << (devices.empty() ? "no devices" : devices.front());
    }
    std::remove(plainFile.c_str());
    rmdir(folder);
}
