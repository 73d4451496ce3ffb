#pragma once
#include <string>

namespace kvx::platform {

// Outcome of claiming a name for the one running copy of the program.
struct InstanceClaim {
    enum class Kind {
        Acquired,         // this process now holds the name
        AnotherCopyRuns,  // a live process holds it
        Error,            // the guard could not be checked; `message` says why
    };
    Kind kind = Kind::Error;
    // One line naming the operation, the path and the system's error text; empty unless Kind::Error.
    std::string message;

    bool acquired() const { return kind == Kind::Acquired; }
    bool anotherCopyRuns() const { return kind == Kind::AnotherCopyRuns; }
};

// The one-copy guard: at most one process of the user holds a given name.
//
// A held name is released when the guard object is destroyed and, whatever
// happens, when the process ends: a copy that crashed or was killed never
// blocks the next start. The program creates one guard at start and keeps it
// for its whole life.
//
// acquire() may be called for several names; calling it again for a name this
// guard already holds answers Acquired. Calls come from one thread.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;

    // Claims `name` (any text; it need not be a valid file name). Never blocks:
    // when another process holds the name the answer is AnotherCopyRuns at once.
    // Error means the guard itself failed (for example an unwritable folder);
    // the caller decides whether to run anyway.
    virtual InstanceClaim acquire(const std::string& name) = 0;
};

}  // namespace kvx::platform
