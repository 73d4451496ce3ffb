#pragma once
#include "platform/file_system.h"
#include "settings/hive.h"

#include <string>
#include <vector>

namespace kvx::settings {

// What loading a hive file found.
struct HiveLoad {
    Hive hive;  // empty when the file was missing, unreadable or not a hive
    // Problems in "FILE:LINE: reason" form, and file-level messages such as
    // "cannot read ...: Permission denied" or "... kept aside as ...".
    std::vector<std::string> messages;
    std::string keptAsidePath;  // set when the old file was moved or copied aside
};

// One hive file on disk (user.reg, machine.reg).
//
// load() never loses what is on disk: a missing file gives an empty hive; a file
// that cannot be read or is not a hive is moved aside to a new name and reported;
// a hive with unreadable lines loads the rest (and one with bytes that are not
// UTF-8 loads them as U+FFFD, see Hive::parse), and the first save after that
// keeps a copy of the old file aside before replacing it, because the new file
// lacks those lines. Whenever the old file cannot be kept aside, save() refuses
// to overwrite it.
//
// save() replaces the file atomically; the folder is created when missing.
class HiveFile {
public:
    HiveFile(platform::FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    HiveLoad load();

    // Fails with the system's error text; the file on disk is then unchanged.
    platform::FsStatus save(const Hive& hive);

    // Where the last save kept the old file aside, or empty.
    const std::string& savedCopyPath() const { return savedCopyPath_; }

private:
    void moveAside(HiveLoad& load);

    platform::FileSystem& files_;
    std::string path_;
    bool copyBeforeSave_ = false;
    bool saveBlocked_ = false;
    std::string blockReason_;
    std::string savedCopyPath_;
};

}  // namespace kvx::settings
