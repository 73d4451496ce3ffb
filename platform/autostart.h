#pragma once
#include <string>

#include "platform/file_system.h"

namespace kvx::platform {

// The user's list of programs started when they log in, each entry known by a
// name ("Korvex"; older releases used "Pellor", "Pellor 2.42", "Korvex 2.42",
// "Korvex 2.5"). Names are any non-empty text; the backend maps them to safe
// storage keys. Calls come from one thread; every call goes to the store.
class Autostart {
public:
    virtual ~Autostart() = default;

    // Whether an entry under `name` will start a program at login. An entry the
    // user switched off in the desktop's own settings counts as absent.
    virtual bool exists(const std::string& name) = 0;

    // Creates or replaces the entry `name` so that it starts `programPath`
    // (an absolute path, used as is, with no arguments) at login. Atomic: a
    // crash leaves the old entry or the new one. On failure the status says why.
    virtual FsStatus write(const std::string& name, const std::string& programPath) = 0;

    // Deletes the entry. Kind::NotFound when there was none; Kind::Failed with
    // a reason when it could not be deleted.
    virtual FsStatus remove(const std::string& name) = 0;
};

}  // namespace kvx::platform
