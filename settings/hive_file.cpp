#include "settings/hive_file.h"

namespace kvx::settings {
namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

platform::FsStatus failedWith(std::string message) {
    platform::FsStatus status;
    status.kind = platform::FsStatus::Kind::Failed;
    status.message = std::move(message);
    return status;
}

}  // namespace

HiveLoad HiveFile::load() {
    HiveLoad load;
    copyBeforeSave_ = false;
    saveBlocked_ = false;
    blockReason_.clear();

    const platform::FileContent content = files_.readFile(path_);
    if (content.status.notFound()) return load;
    if (!content.status.ok()) {
        load.messages.push_back("cannot read settings: " + content.status.message);
        moveAside(load);
        return load;
    }

    HiveParseResult parsed = Hive::parse(content.bytes, path_);
    for (const HiveProblem& problem : parsed.problems) load.messages.push_back(problem.text());
    if (parsed.fatal()) {
        moveAside(load);
        return load;
    }
    load.hive = std::move(*parsed.hive);
    if (!parsed.problems.empty()) {
        copyBeforeSave_ = true;
        load.messages.push_back(path_ +
                                ": lines above are skipped or changed; the next save keeps a copy of this file aside");
    }
    return load;
}

void HiveFile::moveAside(HiveLoad& load) {
    const platform::KeptAside aside = files_.moveAside(path_);
    if (aside.status.ok()) {
        load.keptAsidePath = aside.path;
        load.messages.push_back(path_ + " moved aside as " + aside.path);
        return;
    }
    saveBlocked_ = true;
    blockReason_ = path_ + " is left unchanged: it could not be moved aside (" + aside.status.message + ")";
    load.messages.push_back(blockReason_);
}

platform::FsStatus HiveFile::save(const Hive& hive) {
    savedCopyPath_.clear();
    if (saveBlocked_) return failedWith(blockReason_);
    const std::string folder = folderOf(path_);
    if (!folder.empty()) {
        platform::FsStatus created = files_.createFolders(folder);
        if (!created.ok()) return created;
    }
    if (copyBeforeSave_) {
        const platform::KeptAside copy = files_.copyAside(path_);
        if (!copy.status.ok() && !copy.status.notFound()) {
            return failedWith(path_ + " is left unchanged: no copy could be kept aside (" + copy.status.message + ")");
        }
        savedCopyPath_ = copy.path;
        copyBeforeSave_ = false;
    }
    return files_.replaceFile(path_, hive.serialize());
}

}  // namespace kvx::settings
