#pragma once
#include <string>
#include <vector>

#include "platform/program_launcher.h"

namespace kvx::platform::linux_backend {

// Runs the program at `path` (no PATH search, no shell) with `arguments` as
// its argv (arguments[0] included), in `workingFolder` (empty: ours), in a
// new session, detached: started by a child that exits at once, so the
// program is reparented and this process never has to reap it. Standard input
// comes from /dev/null; output and environment are inherited; signal
// dispositions and mask are reset; descriptors other than 0-2 are closed at
// exec (close_range, Linux 5.11 and later; older kernels rely on every
// descriptor having been opened close-on-exec).
// Waits only until the program has been executed: started = false with the
// reason when that failed (no such file, no permission, not a program, no
// such working folder).
LaunchOutcome spawnDetached(const std::string& path, const std::vector<std::string>& arguments,
                            const std::string& workingFolder);

}  // namespace kvx::platform::linux_backend
