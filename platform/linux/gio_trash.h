#pragma once
#include "platform/trash.h"

namespace kvx::platform::linux_backend {

// The freedesktop.org trash through GIO: the home trash ($XDG_DATA_HOME/Trash)
// for files on the home's file system, a ".Trash-UID" folder at the top of any
// other file system that allows one. GIO writes the ".trashinfo" entry that
// file managers use to restore the file.
class GioTrash final : public Trash {
public:
    FsStatus moveToTrash(const std::string& path) override;
};

}  // namespace kvx::platform::linux_backend
