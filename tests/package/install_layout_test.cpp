#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/linux/install_layout.h"

namespace fs = std::filesystem;
using kvx::platform::linux_backend::installedLayout;

namespace {

std::string makeTree(const std::vector<std::string>& folders, const std::vector<std::string>& files = {}) {
    char pattern[] = "/tmp/korvex-layout-XXXXXX";
    std::string root = mkdtemp(pattern);
    for (const auto& f : folders) fs::create_directories(root + "/" + f);
    for (const auto& f : files) std::ofstream(root + "/" + f) << "x";
    return root;
}

}  // namespace

// Guards against an installed program looking for its libraries, help and
// machine-wide hive beside itself, and a build tree taken for an installation.
TEST(InstallLayout, FoundOnlyWhereThePackagePutsItsParts) {
    struct Case {
        const char* what;
        std::vector<std::string> folders;
        std::string exeFolder;  // relative to the tree
        std::string sysconf;
        // libraries, data and machine-wide hive, relative to the tree ("/..." absolute); "" = not installed
        std::string expected;
        std::vector<std::string> files = {};
    };
    const Case cases[] = {
        {"package under /usr",
         {"usr/bin", "usr/lib/korvex"},
         "usr/bin/",
         "../etc",
         "usr/lib/korvex/ usr/share/korvex/ etc/korvex/machine.reg"},
        {"folder without trailing slash",
         {"usr/bin", "usr/lib/korvex"},
         "usr/bin",
         "../etc",
         "usr/lib/korvex/ usr/share/korvex/ etc/korvex/machine.reg"},
        {"cmake --install to /usr/local",
         {"usr/local/bin", "usr/local/lib/korvex"},
         "usr/local/bin/",
         "etc",
         "usr/local/lib/korvex/ usr/local/share/korvex/ usr/local/etc/korvex/machine.reg"},
        {"absolute system configuration folder",
         {"opt/kvx/bin", "opt/kvx/lib/korvex"},
         "opt/kvx/bin/",
         "/etc",
         "opt/kvx/lib/korvex/ opt/kvx/share/korvex/ /etc/korvex/machine.reg"},
        {"build tree", {"build/bin"}, "build/bin/", "../etc", ""},
        {"bin without lib/korvex", {"usr/bin", "usr/lib"}, "usr/bin/", "../etc", ""},
        {"lib/korvex is a file", {"usr/bin", "usr/lib"}, "usr/bin/", "../etc", "", {"usr/lib/korvex"}},
        {"lib/korvex beside a folder not called bin", {"usr/sbin", "usr/lib/korvex"}, "usr/sbin/", "../etc", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string root = makeTree(c.folders, c.files);
        auto at = [&](const std::string& p) { return p.front() == '/' ? p : root + "/" + p; };
        std::string found;
        if (auto layout = installedLayout(root + "/" + c.exeFolder, c.sysconf))
            found = layout->libraries + " " + layout->data + " " + layout->machineHive;
        std::istringstream parts(c.expected);
        std::string expected;
        for (std::string part; parts >> part;) expected += (expected.empty() ? "" : " ") + at(part);
        EXPECT_EQ(found, expected);
        fs::remove_all(root);
    }
}
