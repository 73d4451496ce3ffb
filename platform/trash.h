#pragma once
#include <string>

#include "platform/file_system.h"

namespace kvx::platform {

// The desktop's trash: files moved there can be restored by the user.
class Trash {
public:
    virtual ~Trash() = default;

    // Moves the file at `path` to the trash, without asking anyone. Ok: nothing
    // is left at `path` and the file can be restored from the trash. Otherwise
    // the file is left where it was, and the message names the path and the
    // reason, e.g. "trash /opt/korvex/kvxlog.txt: Unable to find or create
    // trash directory"; Kind::NotFound when there was no file at `path`.
    // Calls come from one thread.
    virtual FsStatus moveToTrash(const std::string& path) = 0;
};

}  // namespace kvx::platform
