#include "sensorlib/lmsensors/alsa_tone.h"

#include <alsa/asoundlib.h>
#include <dlfcn.h>

#include <type_traits>

namespace kvx::lmsensors {
namespace {

// ALSA prints a failed open to stderr by itself; a library must not.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// The calls of libasound that a tone needs. The library is opened on the
// first tone, not linked: a run that never beeps does not map it (nor what it
// brings), and a machine without it has no sound card to beep on anyway.
struct AlsaCalls {
    decltype(&snd_lib_error_set_handler) setErrorHandler = nullptr;
    decltype(&snd_pcm_open) open = nullptr;
    decltype(&snd_pcm_nonblock) nonblock = nullptr;
    decltype(&snd_pcm_set_params) setParams = nullptr;
    decltype(&snd_pcm_writei) writei = nullptr;
    decltype(&snd_pcm_recover) recover = nullptr;
    decltype(&snd_pcm_drop) drop = nullptr;
    decltype(&snd_pcm_close) close = nullptr;
};

// The calls, looked up once (and ALSA quietened); nullptr when libasound
// cannot be opened or lacks one of them. Kept open until the process ends.
const AlsaCalls* alsa() {
    static const AlsaCalls* calls = []() -> const AlsaCalls* {
        void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) return nullptr;
        static AlsaCalls found;
        bool complete = true;
        auto look = [&](auto& call, const char* name) {
            call = reinterpret_cast<std::remove_reference_t<decltype(call)>>(dlsym(library, name));
            complete = complete && call;
        };
        look(found.setErrorHandler, "snd_lib_error_set_handler");
        look(found.open, "snd_pcm_open");
        look(found.nonblock, "snd_pcm_nonblock");
        look(found.setParams, "snd_pcm_set_params");
        look(found.writei, "snd_pcm_writei");
        look(found.recover, "snd_pcm_recover");
        look(found.drop, "snd_pcm_drop");
        look(found.close, "snd_pcm_close");
        if (!complete) return nullptr;
        found.setErrorHandler(quietAlsa);
        return &found;
    }();
    return calls;
}

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
    alsa();  // opened here, on the first tone, rather than on the worker
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
    const AlsaCalls* calls = alsa();
    // Opened without waiting, so a device held by another program never blocks.
    const bool found = calls && calls->open(&pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) >= 0;
    {
        std::lock_guard lock(mutex_);
        deviceFound_ = found;
        settled_ = generation;
    }
    changed_.notify_all();
    if (!found) return;
    calls->nonblock(pcm, 0);
    if (calls->setParams(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, kRate, 1, kLatencyUs) >= 0) {
        std::size_t phase = 0;
        while (!superseded(generation)) {
            const std::vector<std::int16_t> chunk = squareWave(hz, kRate, phase, kChunkFrames, kAmplitude);
            phase += kChunkFrames;
            snd_pcm_sframes_t written = calls->writei(pcm, chunk.data(), chunk.size());
            if (written < 0 && calls->recover(pcm, static_cast<int>(written), 1) < 0) break;
        }
        calls->drop(pcm);
    }
    calls->close(pcm);
}

}  // namespace kvx::lmsensors
