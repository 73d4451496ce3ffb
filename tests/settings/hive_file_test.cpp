#include "settings/hive_file.h"
#include "platform/linux/posix_file_system.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace kvx::settings {
namespace {

namespace fs = std::filesystem;
using platform::linux_backend::PosixFileSystem;

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Korvex";

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

Hive hiveWithInterval(std::uint32_t interval) {
    Hive hive;
    hive.key(kKey).setDword("Interval", interval);
    return hive;
}

std::vector<fs::path> asideFiles(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with("user.reg.bad-")) found.push_back(entry.path());
    }
    return found;
}

class HiveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "kvx-hive-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        path_ = folder_ / "user.reg";
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms(0755));
        fs::remove_all(folder_);
    }

    fs::path folder_;
    fs::path path_;
    PosixFileSystem files_;
};

// Guards against a file that is no hive, or cannot be read, being overwritten by the next save.
TEST_F(HiveFileTest, FileThatIsNoHiveOrCannotBeReadIsMovedAsideAndReported) {
    const std::string garbage = "this is not a hive\n";
    writeBytes(path_, garbage);
    HiveFile file(files_, path_.string());
    HiveLoad load = file.load();

    EXPECT_EQ(load.hive, Hive());
    ASSERT_EQ(load.messages.size(), 2u);
    EXPECT_TRUE(load.messages[0].starts_with(path_.string() + ":1: not a settings hive")) << load.messages[0];
    EXPECT_NE(load.messages[1].find("moved aside as " + load.keptAsidePath), std::string::npos);
    EXPECT_EQ(readBytes(load.keptAsidePath), garbage);
    EXPECT_FALSE(fs::exists(path_));

    // The same happening again within the second gets a name of its own.
    writeBytes(path_, "garbage again");
    const HiveLoad again = file.load();
    EXPECT_NE(again.keptAsidePath, load.keptAsidePath);
    EXPECT_EQ(asideFiles(folder_).size(), 2u);
    EXPECT_EQ(readBytes(load.keptAsidePath), garbage);  // the first one is not overwritten
    ASSERT_TRUE(file.save(hiveWithInterval(1)).ok());
    EXPECT_EQ(file.load().hive, hiveWithInterval(1));

    fs::remove(path_);
    fs::create_directory(path_);  // reading a folder fails with EISDIR, even for root
    const HiveLoad unreadable = file.load();
    ASSERT_FALSE(unreadable.messages.empty());
    EXPECT_NE(unreadable.messages[0].find("Is a directory"), std::string::npos) << unreadable.messages[0];
    EXPECT_TRUE(fs::is_directory(unreadable.keptAsidePath));
    EXPECT_TRUE(file.save(hiveWithInterval(2)).ok());
}

TEST_F(HiveFileTest, BadLinesLoadTheRestAndTheNextSaveKeepsACopy) {
    const std::string original =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Korvex]\r\n"
        "\"Interval\"=dword:00002710\r\n"
        "\"Typo\"=dword:1O\r\n";
    writeBytes(path_, original);
    HiveFile file(files_, path_.string());
    HiveLoad load = file.load();
    EXPECT_EQ(load.hive, hiveWithInterval(10000));
    ASSERT_FALSE(load.messages.empty());
    EXPECT_TRUE(load.messages[0].starts_with(path_.string() + ":5: ")) << load.messages[0];
    EXPECT_TRUE(asideFiles(folder_).empty());  // loading alone changes nothing on disk

    ASSERT_TRUE(file.save(load.hive).ok());
    EXPECT_EQ(readBytes(file.savedCopyPath()), original);
    ASSERT_TRUE(file.save(load.hive).ok());
    EXPECT_EQ(asideFiles(folder_).size(), 1u);  // one copy, not one per save
}

TEST_F(HiveFileTest, SaveKeepsPermissionsAndSymbolicLinks) {
    const fs::path target = folder_ / "real.reg";
    writeBytes(target, hiveWithInterval(1).serialize());
    fs::permissions(target, fs::perms(0600));
    fs::create_symlink(target, path_);

    HiveFile file(files_, path_.string());
    ASSERT_TRUE(file.save(hiveWithInterval(2)).ok());
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms(0600));
    EXPECT_EQ(file.load().hive, hiveWithInterval(2));
}

// Guards against a half-written or missing hive after a crash during a save.
TEST_F(HiveFileTest, CrashBetweenTemporaryFileAndRenameKeepsTheOldHive) {
    const std::string old = hiveWithInterval(10000).serialize();
    writeBytes(path_, old);

    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        PosixFileSystem files;
        files.setBeforeRenameHook([](const std::string&) { ::raise(SIGKILL); });
        HiveFile file(files, path_.string());
        file.save(hiveWithInterval(20000));
        ::_exit(0);  // not reached
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child was not stopped at the hook";

    EXPECT_EQ(readBytes(path_), old);
    EXPECT_TRUE(fs::exists(path_.string() + ".tmp"));  // the interrupted new content
    HiveFile file(files_, path_.string());
    HiveLoad load = file.load();
    EXPECT_TRUE(load.messages.empty());
    EXPECT_EQ(load.hive, hiveWithInterval(10000));

    ASSERT_TRUE(file.save(hiveWithInterval(30000)).ok());
    EXPECT_EQ(file.load().hive, hiveWithInterval(30000));
    EXPECT_FALSE(fs::exists(path_.string() + ".tmp"));
}

// Guards against a save that writes through a planted "user.reg.tmp" link into
// another file, or clears away what is at that name when it is no file of ours.
TEST_F(HiveFileTest, WhatIsAtTheTemporaryNameIsNeverFollowedOrCleared) {
    const fs::path victim = folder_ / "victim.txt";
    writeBytes(victim, "must stay untouched");
    fs::permissions(victim, fs::perms(0644));
    const fs::path temporary = path_.string() + ".tmp";
    HiveFile file(files_, path_.string());
    for (const fs::path& target : {victim, folder_ / "missing.txt"}) {
        SCOPED_TRACE(target.string());
        fs::create_symlink(target, temporary);
        ASSERT_TRUE(file.save(hiveWithInterval(5)).ok());
        EXPECT_EQ(readBytes(victim), "must stay untouched");
        EXPECT_EQ(fs::status(victim).permissions() & fs::perms::all, fs::perms(0644));
        EXPECT_FALSE(fs::exists(folder_ / "missing.txt"));
        EXPECT_FALSE(fs::is_symlink(path_));
        EXPECT_EQ(file.load().hive, hiveWithInterval(5));
        EXPECT_FALSE(fs::exists(fs::symlink_status(temporary)));
    }

    const std::string old = readBytes(path_);
    fs::create_directory(temporary);
    const platform::FsStatus saved = file.save(hiveWithInterval(2));
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message.find("user.reg.tmp"), std::string::npos) << saved.message;
    EXPECT_EQ(readBytes(path_), old);
    EXPECT_TRUE(fs::is_directory(temporary));
}

}  // namespace
}  // namespace kvx::settings
