#pragma once
// A square-wave tone on an ALSA device, for machines whose PC speaker has no
// evdev device: the alarm is still heard on the sound card. A worker thread
// writes the wave until stop(); start() and stop() return at once. Without a
// sound device the tone is silent and nothing is printed.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kvx::lmsensors {

// One period's worth of a square wave at `hz` sampled at `rate`: the first
// half of each period at +amplitude, the second at -amplitude. `frames`
// samples starting `phase` frames into the wave.
std::vector<std::int16_t> squareWave(unsigned hz, unsigned rate, std::size_t phase, std::size_t frames,
                                     std::int16_t amplitude);

class AlsaTone {
public:
    static constexpr unsigned kRate = 48000;

    explicit AlsaTone(std::string device = "default");
    ~AlsaTone();
    AlsaTone(const AlsaTone&) = delete;
    AlsaTone& operator=(const AlsaTone&) = delete;

    // Sounds `hz` (a new frequency replaces the old one); 0 is silence.
    void start(unsigned hz);
    void stop() { start(0); }
    // Waits until the worker has taken the newest request and, for silence,
    // closed the device. For tests.
    void waitUntilSettled();
    // Whether the device could be opened at the last try.
    bool deviceFound();

private:
    void run();
    void sound(unsigned hz, std::uint64_t generation);
    bool superseded(std::uint64_t generation);

    std::string device_;
    std::mutex mutex_;
    std::condition_variable changed_;
    unsigned hz_ = 0;
    std::uint64_t generation_ = 0;
    std::uint64_t settled_ = 0;
    bool quit_ = false;
    bool deviceFound_ = true;
    std::thread worker_;
};

}  // namespace kvx::lmsensors
