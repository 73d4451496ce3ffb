#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace kvx::platform {

// A log file opened for reading its end and writing at its end. Closed when
// the object is destroyed; close() reports errors that only show at closing.
class OpenLogFile {
public:
    virtual ~OpenLogFile() = default;

    // Current size in bytes, and up to `count` bytes that end at the end of the
    // file (all of them when the file is shorter). `bytes` is meaningful only
    // when status.ok().
    struct Tail {
        FsStatus status;
        std::uint64_t fileSize = 0;
        std::string bytes;
    };
    virtual Tail readTail(std::size_t count) = 0;

    // Cuts the file to `length` bytes.
    virtual FsStatus truncate(std::uint64_t length) = 0;

    // Writes all of `bytes` at the end of the file. A short write (disk full)
    // is a failure.
    virtual FsStatus append(std::string_view bytes) = 0;

    // Closes the file; later calls fail. Calling it is optional but only its
    // result tells whether buffered data reached the file.
    virtual FsStatus close() = 0;
};

// The files in which the logs live. Every message in an FsStatus names the
// operation, the path and the system's text for the error, e.g.
// "create /opt/korvex/kvxlog.txt: Permission denied". Nothing throws for I/O errors.
class LogStorage {
public:
    virtual ~LogStorage() = default;

    // How createFile treats a file that is already there.
    enum class Existing { Truncate, Keep };

    struct Created {
        FsStatus status;
        bool created = false;  // false with status.ok(): the file existed and Existing::Keep left it alone
    };

    // Creates the file with exactly `bytes` as its content. With
    // Existing::Truncate an existing file is emptied first; with Existing::Keep
    // an existing file (even an empty one) is not touched at all, decided
    // atomically by the system, so a file made by another program in between is
    // never overwritten. When the bytes cannot all be written the new file is
    // removed, so that a half-written header never passes for a complete one.
    virtual Created createFile(const std::string& path, std::string_view bytes, Existing existing) = 0;

    // Opens an existing file for appending. A missing file is not created: it
    // gives Kind::NotFound. A file that another program holds locked against
    // writing is not opened ("... locked by another program"). Returns nullptr
    // exactly when status is not ok.
    virtual std::unique_ptr<OpenLogFile> openForAppend(const std::string& path, FsStatus& status) = 0;
    // The size in bytes of a file opened for reading; `bytes` is meaningful only
    // when status.ok(). A file another program holds locked against reading fails.
    struct Size {
        FsStatus status;
        std::uint64_t bytes = 0;
    };
    virtual Size fileSize(const std::string& path) = 0;
};

}  // namespace kvx::platform
