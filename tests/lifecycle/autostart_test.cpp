#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/linux/xdg_autostart.h"
#include "temp_folder.h"

namespace kvx::lifecycle_test {
namespace {

using platform::FsStatus;
using platform::linux_backend::desktopEntryText;
using platform::linux_backend::execArgument;
using platform::linux_backend::XdgAutostart;

class Autostart : public testing::Test {
protected:
    TempFolder config;
    std::string folder = config / "autostart";  // missing until the first write
    XdgAutostart entries{folder};
};

// Guards against: older releases' names reaching outside the folder or
// colliding with the current entry.
TEST_F(Autostart, WriteExistsRemoveAndOldNamesAreSeparateFilesInsideTheFolder) {
    EXPECT_FALSE(entries.exists("Korvex"));
    ASSERT_TRUE(entries.write("Korvex", "/opt/korvex/korvex").ok());
    EXPECT_TRUE(entries.exists("Korvex"));
    EXPECT_EQ(readAll(folder + "/Korvex.desktop"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Korvex\n"
              "Exec=\"/opt/korvex/korvex\"\n"
              "X-GNOME-Autostart-enabled=true\n");
    const std::pair<const char*, const char*> table[] = {
        {"Pellor", "Pellor.desktop"},
        {"Korvex 2.5", "Korvex%202.5.desktop"},
        {"../../evil", "%2E.%2F..%2Fevil.desktop"},
    };
    for (const auto& [name, file] : table) {
        EXPECT_EQ(entries.entryPath(name), folder + "/" + file);
        ASSERT_TRUE(entries.write(name, "/old/korvex").ok()) << name;
        EXPECT_TRUE(entries.exists(name)) << name;
        EXPECT_TRUE(entries.remove(name).ok()) << name;
    }
    EXPECT_TRUE(entries.exists("Korvex"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "no stray files";
    EXPECT_TRUE(entries.remove("Korvex").ok());
    EXPECT_FALSE(entries.exists("Korvex"));
    EXPECT_TRUE(entries.remove("Korvex").notFound());
    EXPECT_FALSE(std::filesystem::exists(folder + "/Korvex.desktop"));
}

// Guards against a '%' in the path read as a field code (GLib's check below cannot see that).
TEST(ExecArgument, PercentSignsAreDoubled) { EXPECT_EQ(execArgument("/100%/k"), R"("/100%%/k")"); }

// An independent reader (GLib's key-file parser, then its shell-style
// unquoting, which matches the Exec quoting rules) gets back the exact path.
TEST(ExecArgument, GLibReadsBackTheExactPath) {
    for (const char* path : {"/opt/korvex/korvex", "/opt/my app/korvex", "/a$HOME/b", "/a\"b", "/a`b", "/a\\b",
                             "/x;y&z|w", "/it's", "/tab\there", "/new\nline"}) {
        const std::string text = desktopEntryText("Pellor 2.42", path);
        GKeyFile* file = g_key_file_new();
        ASSERT_TRUE(g_key_file_load_from_data(file, text.c_str(), text.size(), G_KEY_FILE_NONE, nullptr)) << text;
        gchar* name = g_key_file_get_string(file, "Desktop Entry", "Name", nullptr);
        gchar* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
        gint argc = 0;
        gchar** argv = nullptr;
        ASSERT_TRUE(g_shell_parse_argv(exec, &argc, &argv, nullptr)) << exec;
        EXPECT_STREQ(name, "Pellor 2.42");
        ASSERT_EQ(argc, 1) << exec;
        EXPECT_STREQ(argv[0], path);
        g_strfreev(argv);
        g_free(exec);
        g_free(name);
        g_key_file_free(file);
    }
}

TEST_F(Autostart, EntryTheUserSwitchedOffCountsAsAbsent) {
    const std::pair<const char*, bool> table[] = {
        {"[Desktop Entry]\nType=Application\nExec=korvex\n", true},
        {"[Desktop Entry]\nExec=korvex\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=korvex\nX-GNOME-Autostart-enabled=false\n", false},
        {"# note\n[Desktop Entry]\r\nExec=korvex\r\nX-GNOME-Autostart-enabled = false\r\n", false},
        {"[Desktop Entry]\nExec=korvex\n[Desktop Action x]\nHidden=true\n", true},
        {"Exec=korvex\n", false},
    };
    std::filesystem::create_directories(folder);
    for (const auto& [text, starts] : table) {
        writeFile(entries.entryPath("Korvex"), text);
        EXPECT_EQ(entries.exists("Korvex"), starts) << text;
    }
    ASSERT_TRUE(entries.write("Korvex", "/opt/korvex/korvex").ok());
    EXPECT_TRUE(entries.exists("Korvex")) << "writing switches it on again";
}

TEST_F(Autostart, BadPathsAndFoldersFailWithAReason) {
    for (const char* path : {"", "korvex", "relative/korvex", "/bell\a"}) {
        const FsStatus status = entries.write("Korvex", path);
        EXPECT_EQ(status.kind, FsStatus::Kind::Failed) << path;
        EXPECT_FALSE(status.message.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(folder)) << "nothing written for a bad path";

    if (::getuid() == 0) GTEST_SKIP() << "SKIPPED: running as root, so a read-only folder cannot be shown to fail";
    std::filesystem::create_directories(folder);
    ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
    const FsStatus status = entries.write("Korvex", "/opt/korvex/korvex");
    EXPECT_EQ(status.kind, FsStatus::Kind::Failed);
    EXPECT_NE(status.message.find("Permission denied"), std::string::npos) << status.message;
}

}  // namespace
}  // namespace kvx::lifecycle_test
