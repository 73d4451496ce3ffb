// The shutdown launcher library's reading of machine.reg, the library opened
// only for each call, and the library missing. Loading it and launching through it is proven by the korvex runs
// of OutsideBlackBox.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "alarms/shutdown_launcher.h"
#include "launcher/plugin/shutdown_location.h"
#include "platform/linux/dl_shared_library.h"

namespace {

std::string hiveWithPath(const std::string& key, const std::string& valueLine) {
    return "Windows Registry Editor Version 5.00\r\n\r\n[" + key + "]\r\n" + valueLine + "\r\n\r\n";
}

TEST(ShutdownLocation, ThePathComesFromTheStringValueOfItsKeyOnly) {
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\ShutDown NOW!";
    struct Case {
        std::string hive;
        std::string location;
    };
    const Case cases[] = {
        {hiveWithPath(key, "\"Path\"=\"/usr/local/bin/korvex-shutdown\""), "/usr/local/bin/korvex-shutdown"},
        {hiveWithPath("HKEY_LOCAL_MACHINE\\SOFTWARE\\shutdown now!", "\"Path\"=\"/x\""), "/x"},  // any case
        {hiveWithPath(key, "\"Path\"=dword:00000001"), ""},                                      // not a string
        {hiveWithPath(key, "\"Other\"=\"/x\""), ""},
        {hiveWithPath("HKEY_LOCAL_MACHINE\\Software\\CpuIdle", "\"Path\"=\"/x\""), ""},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\ShutDown NOW!]\r\n\"Path\"=\"/x\"\r\n", ""},  // not a hive
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(kvx::launcher::locationFromHive(c.hive), c.location) << c.hive;
}

// Guards against: the launcher library staying mapped for the whole run although it is needed
// only to look up and start the shutdown program.
TEST(ShutdownLauncherLibrary, IsOpenedOnlyForEachCall) {
    auto mapped = [] {
        std::ifstream maps("/proc/self/maps");
        std::stringstream text;
        text << maps.rdbuf();
        return text.str().find("libshdnlnch.so") != std::string::npos;
    };
    ASSERT_FALSE(mapped()) << "an earlier test left the library open";
    kvx::platform::linux_backend::DlSharedLibraryLoader loader;
    auto launcher = kvx::alarms::ShutdownLauncher::load(loader, std::string(KVX_BIN_DIR) + "/libshdnlnch.so");
    ASSERT_TRUE(launcher->loaded()) << launcher->problem();
    EXPECT_FALSE(mapped()) << "still mapped after load()";
    launcher->location();
    EXPECT_FALSE(mapped()) << "still mapped after location()";
}

TEST(ShutdownLauncherLibrary, AMissingLibraryCountsAsNotInstalled) {
    kvx::platform::linux_backend::DlSharedLibraryLoader loader;
    auto launcher = kvx::alarms::ShutdownLauncher::load(loader, "/nonexistent/libshdnlnch.so");
    EXPECT_FALSE(launcher->loaded());
    EXPECT_FALSE(launcher->problem().empty());
    EXPECT_EQ(launcher->location(), "");
    launcher->launch("/SHUTDOWN");  // does nothing
}

}  // namespace
