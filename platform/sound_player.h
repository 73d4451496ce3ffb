#pragma once
#include <string>

namespace kvx::platform {

// Plays the wave files of alarms in the background. Calls come from one
// thread and return at once; the sound itself never blocks the caller.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Starts the wave file at `path`, ending any sound in progress. With `loop`
    // it starts again at its end until stop() or the next play(). A file that
    // cannot be read, or a machine without a sound device, stays silent.
    virtual void play(const std::string& path, bool loop) = 0;
    // Ends the sound in progress; nothing when there is none.
    virtual void stop() = 0;
};

}  // namespace kvx::platform
