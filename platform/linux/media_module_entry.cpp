// korvex-media.so: the wave player and the trash, with the libraries they need
// (see media_module.h). Nothing else is exported.
#include "platform/linux/alsa_sound_player.h"
#include "platform/linux/gio_trash.h"
#include "platform/linux/media_module.h"

using namespace kvx::platform;

extern "C" __attribute__((visibility("default"))) SoundPlayer* kvx_media_new_sound_player(Diagnostics* diagnostics) {
    try {
        return new linux_backend::AlsaSoundPlayer(*diagnostics);
    } catch (...) {  // nothing may cross the module's C boundary
        return nullptr;
    }
}

extern "C" __attribute__((visibility("default"))) Trash* kvx_media_new_trash() {
    try {
        return new linux_backend::GioTrash();
    } catch (...) {
        return nullptr;
    }
}
