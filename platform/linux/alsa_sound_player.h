#pragma once
// Wave files read with libsndfile and played through ALSA on a worker thread.
// The device is opened for each sound, so a sound server started after the
// program is still found, and never waited for when it is busy.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "platform/diagnostics.h"
#include "platform/sound_player.h"

namespace kvx::platform::linux_backend {

class AlsaSoundPlayer final : public SoundPlayer {
public:
    // `device` is an ALSA device name ("default"); `diagnostics` hears, once,
    // that there is no sound device to play on.
    AlsaSoundPlayer(Diagnostics& diagnostics, std::string device = "default");
    ~AlsaSoundPlayer() override;
    AlsaSoundPlayer(const AlsaSoundPlayer&) = delete;
    AlsaSoundPlayer& operator=(const AlsaSoundPlayer&) = delete;

    void play(const std::string& path, bool loop) override;
    void stop() override;
    // Waits until the sound asked for last has ended (a looping one never
    // ends by itself: stop it first). For tests and the end of the program.
    void waitUntilIdle();

private:
    struct Request {
        std::string path;  // empty: silence
        bool loop = false;
    };
    void run();
    void playFile(const Request& request, std::uint64_t generation);
    bool superseded(std::uint64_t generation);

    Diagnostics& diagnostics_;
    std::string device_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Request request_;
    std::uint64_t generation_ = 0;  // counts the requests; a sound plays while it is still the newest
    std::uint64_t done_ = 0;        // the newest request the worker has finished with
    bool quit_ = false;
    bool toldNoDevice_ = false;
    std::thread worker_;
};

}  // namespace kvx::platform::linux_backend
