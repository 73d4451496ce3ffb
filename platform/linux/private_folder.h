#pragma once
#include <string>

namespace kvx::platform::linux_backend {

// Makes `path` a folder that only this user can enter, for lock files and
// sockets. Creates it with mode 0700 when missing (its parent must exist). An
// existing one must be a real folder, not a symbolic link, owned by this user;
// group and other permissions are then taken away. Returns false with a
// one-line reason in `error` otherwise.
bool ensurePrivateFolder(const std::string& path, std::string& error);

// The folder for this login session's locks and sockets: $XDG_RUNTIME_DIR when
// it is set to an absolute path (used as it is: it is the session's, never ours
// to change), else /tmp/korvex-<uid> made private as above. Returns an empty
// text with a reason in `error` when neither can be used.
std::string runtimeFolder(std::string& error);

// The program's own folders under `runtime` (a runtimeFolder()), each made
// private by whoever uses it, so that the runtime folder itself is never changed:
// the one-copy lock files, and the window-message sockets.
std::string lockFolder(const std::string& runtime);
std::string windowMessagesFolder(const std::string& runtime);

}  // namespace kvx::platform::linux_backend
