#pragma once
#include "platform/file_system.h"
#include "settings/hive_file.h"

#include <string>

namespace kvx::settings {

// Loads a hive file that this program reads but never writes (machine.reg, the
// machine-wide values). Nothing on disk changes, whatever the file holds:
// - missing: an empty hive, no message;
// - unreadable, or not a hive at all: an empty hive (every value counts as
//   absent) and messages that say so and that the file is left as it is;
// - a hive with lines that cannot be understood: the rest loads, and each such
//   line is named.
// keptAsidePath stays empty.
HiveLoad loadReadOnlyHive(platform::FileSystem& files, const std::string& path);

}  // namespace kvx::settings
