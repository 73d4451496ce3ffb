#include "platform/linux/alsa_sound_player.h"

#include <alsa/asoundlib.h>
#include <sndfile.h>

#include <memory>
#include <vector>

namespace kvx::platform::linux_backend {
namespace {

// ALSA prints every failed open to stderr by itself; the player says it once, in its own words.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

struct SndFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};

constexpr sf_count_t kChunkFrames = 1024;
constexpr unsigned kLatencyUs = 100000;  // also how long a stop may take to be heard

}  // namespace

AlsaSoundPlayer::AlsaSoundPlayer(Diagnostics& diagnostics, std::string device)
    : diagnostics_(diagnostics), device_(std::move(device)) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { snd_lib_error_set_handler(quietAlsa); });
    worker_ = std::thread([this] { run(); });
}

AlsaSoundPlayer::~AlsaSoundPlayer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        ++generation_;
    }
    changed_.notify_all();
    worker_.join();
}

void AlsaSoundPlayer::play(const std::string& path, bool loop) {
    {
        std::lock_guard lock(mutex_);
        request_ = {path, loop};
        ++generation_;
    }
    changed_.notify_all();
}

void AlsaSoundPlayer::stop() { play("", false); }

void AlsaSoundPlayer::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_ == generation_; });
}

bool AlsaSoundPlayer::superseded(std::uint64_t generation) {
    std::lock_guard lock(mutex_);
    return generation != generation_;
}

void AlsaSoundPlayer::run() {
    std::uint64_t seen = 0;
    for (;;) {
        Request request;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return quit_ || generation_ != seen; });
            if (quit_) return;
            seen = generation_;
            request = request_;
        }
        if (!request.path.empty()) playFile(request, seen);
        {
            std::lock_guard lock(mutex_);
            done_ = seen;
        }
        changed_.notify_all();
    }
}

void AlsaSoundPlayer::playFile(const Request& request, std::uint64_t generation) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndFileCloser> file(sf_open(request.path.c_str(), SFM_READ, &info));
    if (!file || info.channels <= 0 || info.samplerate <= 0) return;  // not a sound file: silence

    snd_pcm_t* raw = nullptr;
    // Opened without waiting, so a device held by another program does not hang the player.
    int rc = snd_pcm_open(&raw, device_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (rc < 0) {
        if (!toldNoDevice_)
            diagnostics_ << "korvex: no sound device (" << device_ << ": " << snd_strerror(rc)
                         << "): alarm waves are silent\n";
        toldNoDevice_ = true;
        return;
    }
    std::unique_ptr<snd_pcm_t, PcmCloser> pcm(raw);
    snd_pcm_nonblock(raw, 0);
    if (snd_pcm_set_params(raw, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, static_cast<unsigned>(info.channels),
                           static_cast<unsigned>(info.samplerate), 1, kLatencyUs) < 0)
        return;

    std::vector<short> samples(static_cast<size_t>(kChunkFrames * info.channels));
    for (;;) {
        sf_count_t passFrames = 0;
        for (;;) {
            if (superseded(generation)) {
                snd_pcm_drop(raw);
                return;
            }
            sf_count_t frames = sf_readf_short(file.get(), samples.data(), kChunkFrames);
            if (frames <= 0) break;
            passFrames += frames;
            const short* at = samples.data();
            while (frames > 0) {
                snd_pcm_sframes_t written = snd_pcm_writei(raw, at, static_cast<snd_pcm_uframes_t>(frames));
                if (written < 0) {
                    if (snd_pcm_recover(raw, static_cast<int>(written), 1) < 0) return;
                    continue;
                }
                frames -= written;
                at += written * info.channels;
            }
        }
        // A file without a single frame would loop forever without a sound.
        if (!request.loop || passFrames == 0) break;
        if (sf_seek(file.get(), 0, SEEK_SET) < 0) break;
    }
    snd_pcm_drain(raw);
}

}  // namespace kvx::platform::linux_backend
