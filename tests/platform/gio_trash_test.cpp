// The GIO trash on a home folder of the test's own: GIO takes the home and
// data folders from the environment once per process, so every case runs in
// a forked child that sets them first.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/linux/gio_trash.h"

namespace fs = std::filesystem;
using kvx::platform::FsStatus;
using kvx::platform::linux_backend::GioTrash;

namespace {

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs `check` in a child whose home is `home`; returns what it reports ("" = passed).
std::string inChildWithHome(const fs::path& home, const std::function<std::string()>& check) {
    int out[2];
    if (::pipe(out) != 0) return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(out[0]);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_DATA_HOME", (home / "share").c_str(), 1);
        const std::string report = check();
        [[maybe_unused]] ssize_t n = ::write(out[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return report;
}

struct Home {
    fs::path path;
    Home() {
        char pattern[] = "/tmp/korvex-trash-XXXXXX";
        path = ::mkdtemp(pattern);
        fs::create_directories(path / "share");
    }
    ~Home() { fs::remove_all(path); }
};

}  // namespace

// Guards against a log that is deleted instead of being put where the user can
// restore it, or a restore entry that names another file (a blank in the name
// must be escaped in the entry).
TEST(GioTrash, MovesTheFileWhereItCanBeRestored) {
    Home home;
    const fs::path log = home.path / "program folder" / "kvx log.txt";
    fs::create_directories(log.parent_path());
    std::ofstream(log, std::ios::binary) << "rows\r\n";
    const std::string report = inChildWithHome(home.path, [&log] {
        const FsStatus moved = GioTrash().moveToTrash(log);
        return moved.ok() ? std::string() : moved.message;
    });
    ASSERT_EQ(report, "");
    EXPECT_FALSE(fs::exists(log));
    const fs::path trash = home.path / "share" / "Trash";
    EXPECT_EQ(fileText(trash / "files" / "kvx log.txt"), "rows\r\n");
    const std::string info = fileText(trash / "info" / "kvx log.txt.trashinfo");
    EXPECT_NE(info.find("Path=" + (home.path / "program%20folder" / "kvx%20log.txt").string() + "\n"),
              std::string::npos)
        << info;
}
