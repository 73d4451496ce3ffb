// The shutdown launcher library as the program loads it, its reading of
// machine.reg, and korvex-shutdown's switches. A recording program stands in
// for the shutdown program: nothing here can shut the machine down.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "alarms/shutdown_launcher.h"
#include "launcher/plugin/shutdown_location.h"
#include "launcher/shutdown/power_request.h"
#include "platform/linux/dl_shared_library.h"

namespace {

std::string hiveWithPath(const std::string& key, const std::string& valueLine) {
    return "Windows Registry Editor Version 5.00\r\n\r\n[" + key + "]\r\n" + valueLine + "\r\n\r\n";
}

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
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

TEST(PowerRequest, EachSwitchAsksForPowerOffAndOnlyTheForcedOneIgnoresInhibitors) {
    using kvx::launcher::PowerRequest;
    EXPECT_EQ(kvx::launcher::powerRequestFor("/SHUTDOWN"), (PowerRequest{"PowerOff", false}));
    EXPECT_EQ(kvx::launcher::powerRequestFor("/poweroff"), (PowerRequest{"PowerOff", false}));
    EXPECT_EQ(kvx::launcher::powerRequestFor("/FSHUTDOWN"), (PowerRequest{"PowerOff", true}));
    for (const char* bad : {"", "/REBOOT", "SHUTDOWN", "/SHUTDOWN "})
        EXPECT_EQ(kvx::launcher::powerRequestFor(bad), std::nullopt) << bad;
}

// The built libshdnlnch.so, loaded as the program loads it, finds a recording
// program through machine.reg and starts it with the switch as its only argument.
TEST(ShutdownLauncherLibrary, FindsAndStartsTheRegisteredProgramWithTheSwitch) {
    char pattern[] = "/tmp/korvex-launcher-XXXXXX";
    std::string folder = mkdtemp(pattern);
    std::string recorder = folder + "/record";
    std::ofstream(recorder) << "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" << folder << "/args.txt'\n";
    chmod(recorder.c_str(), 0755);
    setenv("KORVEX_CONFIG_DIR", folder.c_str(), 1);

    kvx::platform::linux_backend::DlSharedLibraryLoader loader;
    auto launcher = kvx::alarms::ShutdownLauncher::load(loader, std::string(KVX_BIN_DIR) + "/libshdnlnch.so");
    ASSERT_TRUE(launcher->loaded()) << launcher->problem();
    EXPECT_EQ(launcher->location(), "") << "no machine.reg: not installed";

    std::ofstream(folder + "/machine.reg")
        << hiveWithPath("HKEY_LOCAL_MACHINE\\Software\\ShutDown NOW!", "\"Path\"=\"" + recorder + "\"");
    EXPECT_EQ(launcher->location(), recorder);
    launcher->launch("/FSHUTDOWN");
    std::string args;
    for (int i = 0; i < 50 && (args = readAll(folder + "/args.txt")).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(args, "1|/FSHUTDOWN|");
    unsetenv("KORVEX_CONFIG_DIR");
}

// Guards against: the launcher library staying mapped for the whole run although it is needed
// only to look up and start the shutdown program.
TEST(ShutdownLauncherLibrary, IsOpenedOnlyForEachCall) {
    auto mapped = [] { return readAll("/proc/self/maps").find("libshdnlnch.so") != std::string::npos; };
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
