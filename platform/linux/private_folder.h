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
// it is set to an absolute path, else /tmp/korvex-<uid> made private as above.
// Returns an empty text with a reason in `error` when neither can be used.
std::string runtimeFolder(std::string& error);

// Where the window-message sockets live: <runtimeFolder>/korvex-windows.
// Empty with a reason in `error` when the runtime folder cannot be used.
std::string windowMessagesFolder(std::string& error);

}  // namespace kvx::platform::linux_backend
