#pragma once
// Alarm waves (ALSA, libsndfile and their codecs) and the desktop's trash
// (GIO) pull in many shared libraries that a monitor at rest never needs. They
// live in korvex-media.so, which is loaded the first time a wave is played or
// a file is moved to the trash, so a headless run stays small.
#include <memory>
#include <string>

#include "platform/diagnostics.h"
#include "platform/shared_library.h"
#include "platform/sound_player.h"
#include "platform/trash.h"

namespace kvx::platform::linux_backend {

inline constexpr const char* kMediaModuleName = "korvex-media.so";
// The module's two C entries: each returns a new object, owned by the caller.
inline constexpr const char* kMediaSoundEntry = "kvx_media_new_sound_player";
inline constexpr const char* kMediaTrashEntry = "kvx_media_new_trash";
using MediaSoundEntry = SoundPlayer* (*)(Diagnostics* diagnostics);
using MediaTrashEntry = Trash* (*)();

// Loads the module at `path` on first use and keeps it loaded until exit.
// A module that cannot be loaded is told once on `diagnostics`; waves then stay
// silent and the trash refuses every move with the reason.
class MediaModule {
public:
    MediaModule(SharedLibraryLoader& loader, std::string path, Diagnostics& diagnostics);
    ~MediaModule();
    MediaModule(const MediaModule&) = delete;
    MediaModule& operator=(const MediaModule&) = delete;

    // The module's wave player, made on the first call; null without the module.
    SoundPlayer* sound();
    // The player if one was made already: stopping needs no module.
    SoundPlayer* soundIfMade() { return sound_.get(); }
    // The module's trash; null without the module.
    Trash* trash();
    // Why the module could not be loaded; empty while it loads or was never asked for.
    const std::string& problem() const { return problem_; }

private:
    SharedLibrary* library();

    SharedLibraryLoader& loader_;
    std::string path_;
    Diagnostics& diagnostics_;
    std::unique_ptr<SharedLibrary> library_;
    bool tried_ = false;
    std::string problem_;
    std::unique_ptr<SoundPlayer> sound_;
    std::unique_ptr<Trash> trash_;
};

// A SoundPlayer that loads the media module on the first play().
class LazySoundPlayer final : public SoundPlayer {
public:
    explicit LazySoundPlayer(MediaModule& module) : module_(module) {}
    void play(const std::string& path, bool loop) override;
    void stop() override;

private:
    MediaModule& module_;
};

// A Trash that loads the media module on the first move.
class LazyTrash final : public Trash {
public:
    explicit LazyTrash(MediaModule& module) : module_(module) {}
    FsStatus moveToTrash(const std::string& path) override;

private:
    MediaModule& module_;
};

}  // namespace kvx::platform::linux_backend
