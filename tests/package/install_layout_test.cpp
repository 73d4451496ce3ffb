#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
        std::vector<std::string> files;
        std::string exeFolder;  // relative to the tree
        std::string sysconf;
        bool installed;
        std::string libraries, data, machineHive;  // relative to the tree, "/..." absolute
    };
    const Case cases[] = {
        {"package under /usr",
         {"usr/bin", "usr/lib/korvex"},
         {},
         "usr/bin/",
         "../etc",
         true,
         "usr/lib/korvex/",
         "usr/share/korvex/",
         "etc/korvex/machine.reg"},
        {"folder without trailing slash",
         {"usr/bin", "usr/lib/korvex"},
         {},
         "usr/bin",
         "../etc",
         true,
         "usr/lib/korvex/",
         "usr/share/korvex/",
         "etc/korvex/machine.reg"},
        {"cmake --install to /usr/local",
         {"usr/local/bin", "usr/local/lib/korvex"},
         {},
         "usr/local/bin/",
         "etc",
         true,
         "usr/local/lib/korvex/",
         "usr/local/share/korvex/",
         "usr/local/etc/korvex/machine.reg"},
        {"absolute system configuration folder",
         {"opt/kvx/bin", "opt/kvx/lib/korvex"},
         {},
         "opt/kvx/bin/",
         "/etc",
         true,
         "opt/kvx/lib/korvex/",
         "opt/kvx/share/korvex/",
         "/etc/korvex/machine.reg"},
        {"build tree", {"build/bin"}, {}, "build/bin/", "../etc", false, "", "", ""},
        {"bin without lib/korvex", {"usr/bin", "usr/lib"}, {}, "usr/bin/", "../etc", false, "", "", ""},
        {"lib/korvex is a file", {"usr/bin", "usr/lib"}, {"usr/lib/korvex"}, "usr/bin/", "../etc", false, "", "", ""},
        {"lib/korvex beside a folder not called bin",
         {"usr/sbin", "usr/lib/korvex"},
         {},
         "usr/sbin/",
         "../etc",
         false,
         "",
         "",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string root = makeTree(c.folders, c.files);
        auto layout = installedLayout(root + "/" + c.exeFolder, c.sysconf);
        ASSERT_EQ(layout.has_value(), c.installed);
        if (layout) {
            auto at = [&](const std::string& p) { return p.front() == '/' ? p : root + "/" + p; };
            EXPECT_EQ(layout->libraries, at(c.libraries));
            EXPECT_EQ(layout->data, at(c.data));
            EXPECT_EQ(layout->machineHive, at(c.machineHive));
        }
        fs::remove_all(root);
    }
}
