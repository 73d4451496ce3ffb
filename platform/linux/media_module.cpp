#include "platform/linux/media_module.h"

namespace kvx::platform::linux_backend {

MediaModule::MediaModule(SharedLibraryLoader& loader, std::string path, Diagnostics& diagnostics)
    : loader_(loader), path_(std::move(path)), diagnostics_(diagnostics) {}

MediaModule::~MediaModule() {
    // The objects' code lives in the module: they go first. The module itself
    // stays mapped (a worker thread's last instructions may still run there).
    sound_.reset();
    trash_.reset();
    [[maybe_unused]] static SharedLibrary* volatile kept = nullptr;
    kept = library_.release();
}

SharedLibrary* MediaModule::library() {
    if (!tried_) {
        tried_ = true;
        std::string error;
        library_ = loader_.open(path_, error);
        if (!library_) {
            problem_ = "the media module " + path_ + " cannot be loaded: " + error;
            diagnostics_ << "korvex: " << problem_
                         << "; alarm waves are silent and logs cannot be moved to the trash\n";
        }
    }
    return library_.get();
}

SoundPlayer* MediaModule::sound() {
    if (!sound_ && library())
        if (auto entry = reinterpret_cast<MediaSoundEntry>(library_->symbol(kMediaSoundEntry)))
            sound_.reset(entry(&diagnostics_));
    return sound_.get();
}

Trash* MediaModule::trash() {
    if (!trash_ && library())
        if (auto entry = reinterpret_cast<MediaTrashEntry>(library_->symbol(kMediaTrashEntry))) trash_.reset(entry());
    return trash_.get();
}

void LazySoundPlayer::play(const std::string& path, bool loop) {
    if (path.empty()) return stop();  // silence needs no module
    if (SoundPlayer* player = module_.sound()) player->play(path, loop);
}

void LazySoundPlayer::stop() {
    if (SoundPlayer* player = module_.soundIfMade()) player->stop();
}

FsStatus LazyTrash::moveToTrash(const std::string& path) {
    if (Trash* trash = module_.trash()) return trash->moveToTrash(path);
    const std::string reason = module_.problem().empty() ? "the media module has no trash" : module_.problem();
    return {FsStatus::Kind::Failed, "trash " + path + ": " + reason};
}

}  // namespace kvx::platform::linux_backend
