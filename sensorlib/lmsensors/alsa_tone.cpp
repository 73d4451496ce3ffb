#include "sensorlib/lmsensors/alsa_tone.h"

#include <alsa/asoundlib.h>

namespace kvx::lmsensors {
namespace {

// ALSA prints a failed open to stderr by itself; a library must not.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

constexpr std::size_t kChunkFrames = 2400;  // 50 ms: how soon a stop or a new pitch is heard
constexpr unsigned kLatencyUs = 100000;
constexpr std::int16_t kAmplitude = 6000;  // well below full scale: a warning, not a shock

}  // namespace

std::vector<std::int16_t> squareWave(unsigned hz, unsigned rate, std::size_t phase, std::size_t frames,
                                     std::int16_t amplitude) {
    std::vector<std::int16_t> samples(frames, 0);
    if (hz == 0 || rate == 0) return samples;
    // The sign flips every half period; counted in whole samples against the
    // exact period (rate / hz), so frequencies that do not divide the rate keep their pitch.
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint64_t n = phase + i;
        const bool high = (2 * n * hz / rate) % 2 == 0;
        samples[i] = high ? amplitude : static_cast<std::int16_t>(-amplitude);
    }
    return samples;
}

AlsaTone::AlsaTone(std::string device) : device_(std::move(device)) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { snd_lib_error_set_handler(quietAlsa); });
    worker_ = std::thread([this] { run(); });
}

AlsaTone::~AlsaTone() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        ++generation_;
    }
    changed_.notify_all();
    worker_.join();
}

void AlsaTone::start(unsigned hz) {
    {
        std::lock_guard lock(mutex_);
        if (hz == hz_) return;
        hz_ = hz;
        ++generation_;
    }
    changed_.notify_all();
}

void AlsaTone::waitUntilSettled() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return settled_ == generation_; });
}

bool AlsaTone::deviceFound() {
    std::lock_guard lock(mutex_);
    return deviceFound_;
}

bool AlsaTone::superseded(std::uint64_t generation) {
    std::lock_guard lock(mutex_);
    return generation != generation_;
}

void AlsaTone::run() {
    std::uint64_t seen = 0;
    for (;;) {
        unsigned hz = 0;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return quit_ || generation_ != seen; });
            if (quit_) return;
            seen = generation_;
            hz = hz_;
        }
        if (hz != 0) {
            sound(hz, seen);
        } else {
            std::lock_guard lock(mutex_);
            settled_ = seen;
        }
        changed_.notify_all();
    }
}

void AlsaTone::sound(unsigned hz, std::uint64_t generation) {
    snd_pcm_t* pcm = nullptr;
    // Opened without waiting, so a device held by another program never blocks.
    const bool found = snd_pcm_open(&pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) >= 0;
    {
        std::lock_guard lock(mutex_);
        deviceFound_ = found;
        settled_ = generation;
    }
    changed_.notify_all();
    if (!found) return;
    snd_pcm_nonblock(pcm, 0);
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1, kLatencyUs) >= 0) {
        std::size_t phase = 0;
        while (!superseded(generation)) {
            const std::vector<std::int16_t> chunk = squareWave(hz, kRate, phase, kChunkFrames, kAmplitude);
            phase += kChunkFrames;
            snd_pcm_sframes_t written = snd_pcm_writei(pcm, chunk.data(), chunk.size());
            if (written < 0 && snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) break;
        }
        snd_pcm_drop(pcm);
    }
    snd_pcm_close(pcm);
}

}  // namespace kvx::lmsensors
