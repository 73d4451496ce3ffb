#pragma once
#include <string>
#include <string_view>

namespace kvx::platform {

// Outcome of a file operation. `message` is one line naming the operation, the
// path and the system's error text, e.g. "rename /x/user.reg.tmp: Permission denied".
struct FsStatus {
    enum class Kind { Ok, NotFound, Failed };
    Kind kind = Kind::Ok;
    std::string message;

    bool ok() const { return kind == Kind::Ok; }
    bool notFound() const { return kind == Kind::NotFound; }

    static FsStatus success() { return {}; }
};

// The whole content of a file. `bytes` is meaningful only when status.ok().
struct FileContent {
    FsStatus status;
    std::string bytes;
};

// Where a kept-aside file now lives. `path` is meaningful only when status.ok().
struct KeptAside {
    FsStatus status;
    std::string path;
};

// Files of the configuration folder. Paths are absolute or relative to the
// working folder; nothing is cached, every call goes to the disk. All calls
// report failure through their result and never throw for I/O errors.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Reads the file at once. A file that does not exist gives Kind::NotFound;
    // any other failure (no permission, a folder, an I/O error) gives Kind::Failed.
    virtual FileContent readFile(const std::string& path) = 0;

    // Replaces the file with `bytes` so that a crash or power loss at any moment
    // leaves either the old or the new content under `path`, never a mix:
    // the bytes go to "<path>.tmp" in the same folder, which is flushed to disk and
    // then renamed over `path`, and the folder is flushed. On failure the old file
    // is untouched and the temporary file removed where possible.
    // An existing file keeps its permission bits.
    virtual FsStatus replaceFile(const std::string& path, std::string_view bytes) = 0;

    // Renames the file to a new name beside it that did not exist before
    // ("<path>.bad-YYYYMMDD-HHMMSS", with "-2", "-3", ... added when taken).
    // Never overwrites another file.
    virtual KeptAside moveAside(const std::string& path) = 0;

    // Like moveAside, but the original stays where it is and a copy with the
    // same content is made under the new name. Kind::NotFound when there is no file.
    virtual KeptAside copyAside(const std::string& path) = 0;

    // Creates the folder and any missing parents; an existing folder is success.
    virtual FsStatus createFolders(const std::string& path) = 0;

    virtual bool exists(const std::string& path) = 0;

    // Deletes a file (not a folder). NotFound when there was none.
    virtual FsStatus removeFile(const std::string& path) = 0;
};

}  // namespace kvx::platform
